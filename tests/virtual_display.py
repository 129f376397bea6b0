#!/usr/bin/env python3
"""A virtual X display for the real-window checks and scripts, the one way
they start it: Xvfb picks a free display itself and reports it, so two runs
never race for the same number; jwm, where a check needs a window manager.

    virtual_display.py [--screen WxHxD] [--wm] -- COMMAND [ARGS...]

starts Xvfb (1024x768x24 unless --screen says otherwise) and, with --wm,
jwm, waiting until it has taken the screen; runs COMMAND with DISPLAY set to
that display (and no WAYLAND_DISPLAY); stops what it started and exits with
COMMAND's status. Python checks import it and use VirtualDisplay.
"""

import argparse
import os
import select
import signal
import subprocess
import sys
import tempfile
import time

# Click to focus, nothing else: no panel or tray that could cover a window.
WM_CONFIG = """<?xml version="1.0"?>
<JWM>
  <FocusModel>click</FocusModel>
</JWM>
"""


def start_xvfb(screen, log=subprocess.DEVNULL):
    """Starts Xvfb with one screen ("1024x768x24"); returns (process, ":N")."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0", screen],
        pass_fds=[write_end], stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    number = b""
    try:
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 15)
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                server.kill()
                server.wait()
                raise RuntimeError("Xvfb did not report a display")
            number += chunk
    finally:
        os.close(read_end)
    return server, ":" + number.decode().strip()


def wait_for_window_manager(env):
    """Returns once a window manager has taken the screen of env's DISPLAY."""
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        # Answered only once a window manager has taken the screen.
        if subprocess.run(["xdotool", "get_desktop"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0:
            return
        time.sleep(0.02)
    raise RuntimeError("the window manager did not start")


def start_window_manager(env, config, log=subprocess.DEVNULL):
    """Starts jwm with the config file on env's DISPLAY and waits until it
    has taken the screen. jwm now and then fails to open a display that has
    just come up while other checks start theirs; it is started again then."""
    for attempt in range(3):
        manager = subprocess.Popen(["jwm", "-f", config], env=env, stdout=log, stderr=log,
                                   start_new_session=True)
        try:
            wait_for_window_manager(env)
            return manager
        except RuntimeError:
            stop(manager)
            if attempt == 2:
                raise
    raise AssertionError("not reached")


def stop(process):
    """Ends a process started in a session of its own (start_new_session=True)
    together with whatever it started: SIGTERM to its group, SIGKILL if it is
    still there after 5 seconds."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


class VirtualDisplay:
    """Xvfb on a display it picks itself, with jwm when wm is true. env is
    the given environment (the process's own by default) with DISPLAY set to
    it and WAYLAND_DISPLAY removed, so Qt takes the X display."""

    def __init__(self, screen="1024x768x24", wm=False, env=None, log=subprocess.DEVNULL):
        self.server, self.name = start_xvfb(screen, log)
        self.env = dict(os.environ if env is None else env)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env["DISPLAY"] = self.name
        self.manager = None
        self._config = None
        if wm:
            try:
                with tempfile.NamedTemporaryFile("w", suffix=".jwmrc", delete=False) as config:
                    config.write(WM_CONFIG)
                self._config = config.name
                self.manager = start_window_manager(self.env, self._config, log)
            except BaseException:
                self.close()
                raise

    def close(self):
        for process in (self.manager, self.server):
            if process is not None:
                stop(process)
        self.manager = None
        if self._config is not None:
            os.unlink(self._config)
            self._config = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()


def main(argv):
    parser = argparse.ArgumentParser(
        usage="virtual_display.py [--screen WxHxD] [--wm] -- COMMAND [ARGS...]")
    parser.add_argument("--screen", default="1024x768x24")
    parser.add_argument("--wm", action="store_true")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args(argv)
    screen, wm, command = args.screen, args.wm, args.command

    try:
        display = VirtualDisplay(screen, wm)
    except (OSError, RuntimeError) as error:
        print(f"virtual_display.py: {error}", file=sys.stderr)
        return 1
    with display:
        try:
            process = subprocess.Popen(command, env=display.env)
        except OSError as error:
            print(f"virtual_display.py: {command[0]}: {error.strerror}", file=sys.stderr)
            return 127
        # A stop asked of this helper reaches the command, which ends first;
        # the display goes after it.
        def forward(signum, _frame):
            if process.poll() is None:
                process.send_signal(signum)
        for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            signal.signal(signum, forward)
        status = process.wait()
    return 128 - status if status < 0 else status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
