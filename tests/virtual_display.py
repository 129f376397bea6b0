"""A virtual X display for the real-window checks: Xvfb picks a free display
itself and reports it, so two runs never race for the same number. And the
one way those checks end what they started on it."""

import os
import select
import signal
import subprocess
import time


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
