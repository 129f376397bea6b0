#!/usr/bin/env python3
"""Nothing stored, nothing sent.

Runs the real program under strace on a virtual display, with HOME and the
XDG folders pointing at empty temporary folders, drives it by keyboard and
mouse through every feature, and then reads the system-call log: the program
must create, write, rename or delete no file, and connect to nothing but the
X server and the D-Bus session bus. The web menu entries must only hand their
addresses to the browser, a stand-in that records its arguments.

Usage: check.py --kidsum build/kidsum [--keep]
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TITLE = os.environ["KIDSUM_TITLE"]  # the build's, which CTest gives
sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import virtual_display  # noqa: E402


# Files a system library may open for writing although the program stores
# nothing, each with the reason it is not the program storing anything.
# Matched against the path as strace prints it.
ALLOWED_WRITES = [
    (re.compile(r"^/dev/null$"), "the null device: output thrown away, no file"),
    (re.compile(r"^/dev/tty$"), "the terminal device, no file"),
    (re.compile(r"^/dev/dri/"), "graphics device probed by the GL library, no file"),
]

STAND_IN = """#!/bin/sh
# Stands in for the desktop's browser opener: records what it is asked to open.
printf '%s\\n' "$*" >> "$KIDSUM_BROWSER_RECORD"
"""

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE")
# Calls that change the file system whatever their flags.
CHANGING_CALLS = {
    "creat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "rmdir",
    "mkdir", "mkdirat", "link", "linkat", "symlink", "symlinkat", "mknod", "mknodat",
    "truncate", "chmod", "fchmodat", "chown", "lchown", "fchownat", "utime", "utimes",
    "utimensat", "futimesat", "setxattr", "lsetxattr", "removexattr", "lremovexattr",
}
OPEN_CALLS = {"open", "openat", "openat2"}
FORK_CALLS = {"clone", "clone3", "fork", "vfork"}


def run(cmd, env, check=True):
    return subprocess.run(cmd, env=env, check=check, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, text=True)


class Desktop:
    """A virtual display with a light window manager and a session bus."""

    def __init__(self, root):
        self.procs = []
        self.screen = None
        try:
            self._start(root)
        except BaseException:
            # Nothing started here outlives a failed start.
            self.close()
            raise

    def _start(self, root):
        # The program's window must be one the manager frames and focuses.
        self.screen = virtual_display.VirtualDisplay(
            "1280x1024x24", wm=shutil.which("jwm") is not None,
            env={"PATH": "/usr/bin:/bin", "HOME": root, "LANG": "C.UTF-8"})
        self.display = self.screen.name
        self.env = self.screen.env
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               text=True)
        self.procs.append(bus)
        self.bus_address = bus.stdout.readline().strip()

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        if self.screen is not None:
            self.screen.close()


def xdo(env, *args):
    return run(["xdotool", *args], env, check=False).stdout.strip()


def key(env, *keys, pause=0.25):
    for k in keys:
        xdo(env, "key", "--clearmodifiers", k)
        time.sleep(pause)


def wait_for_window(env, name, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        found = xdo(env, "search", "--onlyvisible", "--name", name).split()
        if found:
            return found
        time.sleep(0.2)
    return []


def close_message(env, main_window, what):
    """Waits for a message box above the window and closes it by Return."""
    end = time.time() + 15
    while time.time() < end:
        windows = xdo(env, "search", "--onlyvisible", "--name", TITLE + "|错误提示|提示").split()
        boxes = [w for w in windows if w != main_window]
        if boxes:
            xdo(env, "windowactivate", "--sync", boxes[-1])
            xdo(env, "windowfocus", "--sync", boxes[-1])
            time.sleep(0.3)
            key(env, "Return")
            # The next key must reach the window, not a box still closing.
            gone = time.time() + 10
            while boxes[-1] in xdo(env, "search", "--onlyvisible", "--name",
                                   TITLE + "|错误提示|提示").split():
                if time.time() > gone:
                    raise RuntimeError(f"the message box for {what} did not close on Return")
                time.sleep(0.1)
            # Focus given back by hand too: without a window manager, X hands
            # it to the root when the box goes, and the next key would be lost.
            xdo(env, "windowactivate", "--sync", main_window)
            xdo(env, "windowfocus", "--sync", main_window)
            time.sleep(0.2)
            return
        time.sleep(0.2)
    raise RuntimeError(f"no message box for {what}")


def screenshot_region(env, path, x, y, w, h):
    if not shutil.which("import"):
        return None
    run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", path], env, check=False)
    with open(path, "rb") as f:
        return f.read()


def drive(env, window_id):
    """Every feature, by keyboard and mouse, as a parent and a child would."""
    xdo(env, "windowactivate", "--sync", window_id)
    xdo(env, "windowfocus", "--sync", window_id)
    time.sleep(0.5)
    # Focus starts on the first list; five tabs reach the answer box.
    key(env, *["Tab"] * 5)
    key(env, "3")                     # no question yet: the first-number message
    close_message(env, window_id, "typing with no question")
    key(env, "Escape")                # 答案 with no question: the no-number message
    close_message(env, window_id, "答案 with no question")

    key(env, *["shift+Tab"] * 5)      # back to the first list
    key(env, *["Down"] * 8)           # "7"
    key(env, "Tab")                   # operation stays "+"
    key(env, "Tab", *["Down"] * 6)    # second list "5"
    key(env, "Tab", "Down")           # hint set 2
    key(env, "Tab", "space")          # 出题: 7 + 5
    key(env, "Tab")                   # the answer box
    key(env, "3", "BackSpace", "1", "2")  # wrong, then right: the next question
    key(env, "alt+c")                 # 出题测试
    key(env, "1", "5", "BackSpace", "2")  # still typing, wrong, right
    key(env, *["shift+Tab"] * 4, "Down")  # subtraction: 7 - 5
    key(env, *["Tab"] * 4)
    key(env, "9")
    key(env, "Escape")                # 答案: 2 and the counting explanation
    close_message(env, window_id, "答案 on a subtraction")

    # Hold the mouse on the first hint picture: the enlarged picture shows.
    geometry = xdo(env, "getwindowgeometry", "--shell", window_id)
    pos = dict(line.split("=") for line in geometry.splitlines() if "=" in line)
    wx, wy = int(pos.get("X", 0)), int(pos.get("Y", 0))
    menu_bar = 27
    slot_x, slot_y = 24 + 8 + 16 + 15, menu_bar + 24 + 136 + 16 + 18
    big_x, big_y = wx + 24 + 8 + 136 + 40, wy + menu_bar + 24 + 136 + 16 + 40
    xdo(env, "mousemove", "--window", window_id, str(slot_x), str(slot_y))
    time.sleep(0.3)
    shots = tempfile.mkdtemp(prefix="kidsum-shots-")
    before = screenshot_region(env, os.path.join(shots, "before.png"), big_x, big_y, 80, 80)
    xdo(env, "mousedown", "1")
    time.sleep(0.5)
    held = screenshot_region(env, os.path.join(shots, "held.png"), big_x, big_y, 80, 80)
    xdo(env, "mouseup", "1")
    time.sleep(0.3)
    shutil.rmtree(shots, ignore_errors=True)
    enlarged = None if before is None else before != held

    key(env, "alt+b")                 # 使用帮助: the help page
    key(env, "alt+g", "alt+y")        # 软件更新, 意见建议
    for n in (1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12):
        key(env, f"F{n}")
    time.sleep(1.0)
    key(env, "alt+t")                 # 退出软件
    return enlarged


# ---- reading the strace log ---------------------------------------------------

LINE = re.compile(r"^(\d+)\s+(.*)$")
CALL = re.compile(r"^([a-z0-9_]+)\((.*)\)\s+=\s+(-?\d+|\?|0x[0-9a-f]+)(.*)$")


def read_calls(log):
    """(pid, name, arguments, result) for every finished call."""
    pending = {}
    calls = []
    with open(log, encoding="utf-8", errors="replace") as f:
        for raw in f:
            m = LINE.match(raw.rstrip("\n"))
            if not m:
                continue
            pid, rest = int(m.group(1)), m.group(2)
            if rest.endswith("<unfinished ...>"):
                pending[pid] = rest[: -len("<unfinished ...>")].rstrip()
                continue
            resumed = re.match(r"^<\.\.\. [a-z0-9_]+ resumed>(.*)$", rest)
            if resumed:
                rest = pending.pop(pid, "") + resumed.group(1)
            c = CALL.match(rest)
            if c:
                calls.append((pid, c.group(1), c.group(2), c.group(3) + c.group(4)))
    return calls


def first_path(args):
    m = re.search(r'"((?:[^"\\]|\\.)*)"', args)
    return m.group(1) if m else ""


def analyse(calls, stand_in, x_display, bus_address):
    parent = {}
    threads = set()
    stand_in_pids = set()
    for pid, name, args, result in calls:
        if name in FORK_CALLS and result.split()[0].isdigit() and int(result.split()[0]) > 0:
            child = int(result.split()[0])
            parent[child] = pid
            if "CLONE_THREAD" in args:
                threads.add(child)
        if name == "execve" and first_path(args) == stand_in:
            stand_in_pids.add(pid)

    def under_stand_in(pid):
        seen = set()
        while pid not in seen:
            if pid in stand_in_pids:
                return True
            seen.add(pid)
            if pid not in parent:
                return False
            pid = parent[pid]
        return False

    # The forked processes between the program and the browser it starts are
    # the launching machinery (fork, then exec): count them with the browser.
    # The program's own threads are never among them.
    launchers = set()
    for pid in stand_in_pids:
        p = parent.get(pid)
        while p is not None and p in parent and p not in threads:
            launchers.add(p)
            p = parent.get(p)

    display_number = x_display.lstrip(":")
    bus_paths = re.findall(r"(?:path|abstract)=([^,;]+)", bus_address)
    allowed_sockets = [f"/tmp/.X11-unix/X{display_number}", f"@/tmp/.X11-unix/X{display_number}"]
    allowed_sockets += bus_paths + ["@" + p for p in bus_paths]

    writes, network, excused, socket_files = [], [], [], []
    for pid, name, args, result in calls:
        if under_stand_in(pid) or pid in launchers:
            continue
        path = first_path(args)
        if name in OPEN_CALLS:
            m = re.search(r'(?:^|, )(O_[A-Z0-9_]+(?:\|O_[A-Z0-9_]+)*)', args[len(path):])
            flags = m.group(1) if m else ""
            if any(f in flags for f in WRITE_FLAGS):
                reason = next((why for rx, why in ALLOWED_WRITES if rx.search(path)), None)
                (excused if reason else writes).append(
                    f"{pid} {name}({path}, {flags.strip()}) = {result}"
                    + (f"  [{reason}]" if reason else ""))
        elif name in CHANGING_CALLS:
            line = f"{pid} {name}({args[:200]}) = {result}"
            if name in ("mkdir", "mkdirat") and "EEXIST" in result:
                # Qt makes sure XDG_RUNTIME_DIR exists before it names it;
                # the folder is there already, so nothing is made.
                excused.append(line + "  [the folder exists: nothing made]")
            else:
                writes.append(line)
        elif name in ("connect", "sendto", "sendmsg", "bind"):
            family = re.search(r"sa_family=(AF_[A-Z0-9]+)", args)
            family = family.group(1) if family else ""
            if family in ("AF_INET", "AF_INET6"):
                network.append(f"{pid} {name}({args[:200]}) = {result}")
            elif family == "AF_UNIX":
                sun = re.search(r'sun_path=(@?)"((?:[^"\\]|\\.)*)"', args)
                target = (sun.group(1) + sun.group(2)) if sun else ""
                if name == "bind" and not target.startswith("@"):
                    socket_files.append(f"{pid} bind({target}) = {result}")
                elif name == "connect" and target not in allowed_sockets:
                    network.append(f"{pid} connect({target}) = {result}")
        elif name == "socket" and re.search(r"AF_INET6?\b", args):
            network.append(f"{pid} socket({args}) = {result}")
    return writes + socket_files, network, excused, stand_in_pids


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kidsum", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    opts = parser.parse_args()
    for tool in ("strace", "Xvfb", "xdotool", "dbus-daemon"):
        if not shutil.which(tool):
            print(f"FAIL: {tool} is not installed")
            return 1
    kidsum = os.path.realpath(opts.kidsum)

    root = tempfile.mkdtemp(prefix="kidsum-nothing-stored-")
    folders = {name: os.path.join(root, name) for name in
               ("home", "config", "cache", "data", "state", "runtime", "bin", "desktop")}
    for path in folders.values():
        os.makedirs(path, mode=0o700)
    stand_in = os.path.join(folders["bin"], "xdg-open")
    with open(stand_in, "w") as f:
        f.write(STAND_IN)
    os.chmod(stand_in, 0o755)
    record = os.path.join(root, "browser-record")
    log = os.path.join(root, "strace.log")

    desktop = Desktop(folders["desktop"])
    env = dict(desktop.env)
    env.update({
        "PATH": folders["bin"] + ":/usr/bin:/bin",
        "HOME": folders["home"],
        "XDG_CONFIG_HOME": folders["config"],
        "XDG_CACHE_HOME": folders["cache"],
        "XDG_DATA_HOME": folders["data"],
        "XDG_STATE_HOME": folders["state"],
        "XDG_RUNTIME_DIR": folders["runtime"],
        "DBUS_SESSION_BUS_ADDRESS": desktop.bus_address,
        "KIDSUM_BROWSER_RECORD": record,
        "QT_QPA_PLATFORM": "xcb",
    })
    for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
        if name in os.environ:
            env[name] = os.environ[name]

    failures = []
    program = subprocess.Popen(
        ["strace", "-f", "-qq", "-s", "4096", "-e", "trace=%file,%network,%process",
         "-o", log, kidsum], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
        text=True)
    enlarged = None
    try:
        windows = wait_for_window(env, TITLE)
        if not windows:
            raise RuntimeError("the window did not appear")
        enlarged = drive(env, windows[0])
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            failures.append("退出软件 did not end the program")
            program.send_signal(signal.SIGTERM)
            program.wait(timeout=10)
    except RuntimeError as e:
        failures.append(str(e))
        program.kill()
        program.wait()
    finally:
        desktop.close()
    output = program.stdout.read()
    if program.returncode != 0:
        failures.append(f"the program ended with {program.returncode}: {output[-2000:]}")

    calls = read_calls(log)
    if not any(n == "execve" and first_path(a) == kidsum for _, n, a, _ in calls):
        failures.append("the log shows no start of the program")
    writes, network, excused, stand_in_pids = analyse(calls, stand_in, desktop.display,
                                                      desktop.bus_address)
    if writes:
        failures.append("files created, written, renamed or deleted:\n    " + "\n    ".join(writes))
    if network:
        failures.append("connections other than X and D-Bus:\n    " + "\n    ".join(network))

    addresses = open(record).read().split("\n")[:-1] if os.path.exists(record) else []
    help_url = "file://" + os.path.join(os.path.dirname(kidsum), "help.htm")
    web = [a for a in addresses if a.startswith("https://")]
    if addresses.count(help_url) != 1:
        failures.append(f"the help page was not handed to the browser once: {addresses}")
    if len(web) != 13 or len(addresses) != 14:
        failures.append(f"expected 13 web addresses and the help page, got {addresses}")
    if len(stand_in_pids) != len(addresses):
        failures.append(f"{len(stand_in_pids)} browser starts for {len(addresses)} addresses")
    if enlarged is False:
        failures.append("holding the mouse on a hint picture showed no enlarged picture")

    for folder in ("home", "config", "cache", "data", "state", "runtime"):
        left = os.listdir(folders[folder])
        if left:
            failures.append(f"{folder} folder is no longer empty: {left}")

    print(f"{len(calls)} calls traced; {len(addresses)} addresses handed to the stand-in "
          f"browser; enlarged picture seen: {enlarged}")
    for line in sorted(set(excused)):
        print(f"allowed ({excused.count(line)}x): " + line.split(" ", 1)[1])
    if not opts.keep:
        shutil.rmtree(root, ignore_errors=True)
    else:
        print("kept " + root)
    if failures:
        for f in failures:
            print("FAIL: " + f)
        return 1
    print("PASS: nothing stored, nothing sent")
    return 0


if __name__ == "__main__":
    sys.exit(main())
