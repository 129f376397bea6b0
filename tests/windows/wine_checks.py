#!/usr/bin/python3
"""The Windows program under Wine, in real X windows on a virtual display.

    wine_checks.py --build BUILD --shots DIR [--only CHECK ...]

BUILD is the `windows` build folder, holding kidsum.exe and the two
packages. The build's title, version and website base come in KIDSUM_TITLE,
KIDSUM_VERSION and KIDSUM_MAIN_BASE (scripts/windows.sh reads them from the
build). Checks, each from the packaged or installed folder (never the
build's own DLL search path, so a folder that lacks a DLL fails):

  window     the title, the client area 839 x 526 and the window 839 x 549
             (Windows 10's style, also on Windows 11), Esc before any question,
             Alt+C makes a question, the right answer shows the tick, Alt+T
             ends the program with status 0
  browser    the help entry and one web entry reach a stand-in browser
             (Wine's winebrowser calls the desktop's xdg-open)
  zip        holds the licences and the notices; unpacked into a folder
             whose name has a blank and Chinese letters, the program starts
             and shows its pictures
  installer  the first page in Chinese; silent install into a fresh Wine
             prefix: the licences and notices, the Start-menu entry and the
             desktop shortcut, the entry of "Programs and Features" with its
             icon, publisher, version and size; installed again over itself,
             one entry and no file more; uninstalling while the program is
             open removes nothing; the installed program starts; silent
             uninstall leaves no file of it

Wine's windows are X windows: they are found by title with xdotool and
read from screenshots. Every check runs in a Wine prefix of its own that
reports Windows 11.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
import zipfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import virtual_display  # noqa: E402
from virtual_display import stop  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
TITLE = os.environ["KIDSUM_TITLE"]
VERSION = os.environ["KIDSUM_VERSION"]
CAPTION = f"{TITLE} V{VERSION}"
# What every Windows package carries beside the program.
NOTICES = ["NOTICES.txt", "licenses/LGPL-3.0.txt", "licenses/GPL-3.0.txt",
           "licenses/GCC-Runtime-Library-Exception-3.1.txt", "licenses/winpthreads.txt",
           "licenses/Apache-2.0.txt", "licenses/qt6-base-copyright.txt"]
TOOLS = ["Xvfb", "jwm", "xdotool", "import", "convert"]
WINE = "/usr/lib/wine/wine64" if os.access("/usr/lib/wine/wine64", os.X_OK) else "wine"
WINESERVER = os.path.join(os.path.dirname(WINE), "wineserver") if WINE.startswith("/") else "wineserver"

# The window's client area below the menu bar, and where its controls stand
# in it, in logical pixels (the layout table's twips / 15).
CLIENT = (839, 526)
WINDOW = (839, 549)
CBO1ST = (72, 448, 81, 20)
CBO2ND = (296, 448, 81, 20)
CHKAUTO = (568, 464, 121, 25)
TXTTEST1 = (72, 48, 113, 81)
TXTANSWER = (544, 48, 113, 81)
IMGOK = (680, 72, 33, 41)
FIRST_HINT = (48, 176, 30, 37)        # img1(0), in fraPic in fraDisplay

BROWSER_STUB = """#!/bin/sh
for a in "$@"; do printf '%s\\n' "$a"; done >> '{record}'
"""


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=10.0, step=0.1):
    deadline = time.monotonic() + timeout
    last = None
    while True:
        ok, last = probe()
        if ok:
            return last
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not seen within {timeout:.0f} s ({last})")
        time.sleep(step)


# ---- the display -------------------------------------------------------

class Display:
    """Xvfb with a small window manager, on a display it picks itself."""

    def __init__(self, log):
        self.screen = virtual_display.VirtualDisplay("1024x768x24", wm=True, log=log)
        self.env = self.screen.env

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True, timeout=20).stdout

    def windows(self, title):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               env=self.env, capture_output=True, text=True)
        return found.stdout.split()

    def geometry(self, window):
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=20)

    def close(self):
        self.screen.close()


class Image:
    """The RGB pixels of a picture file, read once."""

    def __init__(self, path, resize=None):
        command = ["convert", path]
        if resize:
            command += ["-resize", f"{resize[0]}x{resize[1]}!"]
        size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                              capture_output=True, text=True, timeout=20).stdout.split()
        self.width, self.height = resize or (int(size[0]), int(size[1]))
        self.data = subprocess.run(command + ["-depth", "8", "rgb:-"], check=True,
                                   capture_output=True, timeout=20).stdout

    def crop(self, box):
        x, y, w, h = box
        if x < 0 or y < 0 or x + w > self.width or y + h > self.height:
            return b""
        row = 3 * self.width
        return b"".join(self.data[(y + i) * row + 3 * x:(y + i) * row + 3 * (x + w)]
                        for i in range(h))


def pixels(path, box=None, resize=None):
    image = Image(path, resize)
    return image.crop(box) if box else image.data


def difference(a, b):
    """Mean absolute difference per channel, 0 to 255."""
    if len(a) != len(b) or not a:
        return 255.0
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def spread(data):
    """How much the colours of a region vary: 0 for a flat one."""
    mean = sum(data) / len(data)
    return (sum((v - mean) ** 2 for v in data) / len(data)) ** 0.5


# ---- Wine --------------------------------------------------------------

class Wine:
    """A fresh Wine prefix of its own."""

    def __init__(self, work, display, path_dirs=()):
        self.prefix = os.path.join(work, "prefix")
        self.env = dict(display.env)
        for name in ("WINEPATH", "LANG", "LC_ALL", "LANGUAGE"):
            self.env.pop(name, None)
        self.env.update({
            "WINEPREFIX": self.prefix, "WINEARCH": "win64", "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "LANG": "C.UTF-8",
        })
        if WINE.startswith("/"):
            self.env["WINELOADER"] = WINE
        if path_dirs:
            self.env["PATH"] = os.pathsep.join([*path_dirs, self.env.get("PATH", "/usr/bin:/bin")])
        began = time.monotonic()
        subprocess.run([WINE, "wineboot", "-i"], env=self.env, check=True, timeout=180,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Windows 11, where Qt would pick a style other than the program's.
        subprocess.run([WINE, "winecfg", "-v", "win11"], env=self.env, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait()
        self.boot_seconds = time.monotonic() - began

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def start(self, exe, log):
        return subprocess.Popen([WINE, exe], env=self.env, cwd=os.path.dirname(exe),
                                stdout=log, stderr=subprocess.STDOUT, start_new_session=True)

    def run(self, *args, timeout=120):
        return subprocess.run([WINE, *args], env=self.env, capture_output=True, timeout=timeout)

    def wait(self):
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=120)

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)


class Window:
    """The program's main window: found by title, its client area located
    by where the background picture starts below the menu bar."""

    def __init__(self, display, process, shots, name):
        self.display = display
        self.process = process
        self.shots = shots
        self.name = name

        def found():
            if process.poll() is not None:
                raise Failure(f"kidsum.exe ended at start-up with status {process.returncode}")
            ids = display.windows(CAPTION)
            return bool(ids), ids
        began = time.monotonic()
        self.id = wait_for(f"a window titled {CAPTION!r}", found, timeout=60)[0]
        self.appeared = time.monotonic() - began
        display.xdotool("windowactivate", "--sync", self.id)
        time.sleep(0.5)
        self.x, self.y, self.width, self.height = display.geometry(self.id)
        self.client_x, self.client_y, self.client_size = self.locate_client()

    def shot(self, label):
        path = os.path.join(self.shots, f"{self.name}-{label}.png")
        self.display.screenshot(path)
        return path

    def locate_client(self):
        """Where the client area below the menu bar starts on the screen:
        where the background picture shows unchanged, at its natural size.
        Found in a screenshot, near where the window manager says the
        window is."""
        shot = Image(self.shot("located"))
        background = Image(os.path.join(SOURCE, "assets", "background.jpg"))
        probe = background.crop((200, 2, 64, 1))
        patch = background.crop((100, 0, 600, 24))
        candidates = []
        for y in range(max(self.y - 10, 0), self.y + 80):
            for x in range(max(self.x - 20, 0), self.x + 20):
                d = difference(shot.crop((x + 200, y + 2, 64, 1)), probe)
                if d < 12:
                    candidates.append((d, x, y))
        best = None
        for _, x, y in sorted(candidates)[:20]:
            d = difference(shot.crop((x + 100, y, 600, 24)), patch)
            if best is None or d < best[0]:
                best = (d, x, y)
        if best is None or best[0] > 6:
            raise Failure("the background picture is not drawn at its natural size below the "
                          f"menu bar (best match {best})")
        _, x, y = best

        # The client area ends where the background stops showing: its last
        # column and row match the picture, the next ones (the frame) do not.
        # The strips lie in the margins right of and below the two frames.
        def shows(column=None, row=None):
            if column is not None:
                return difference(shot.crop((x + column, y + 100, 1, 300)),
                                  background.crop((column, 100, 1, 300))) < 8
            return difference(shot.crop((x + 100, y + row, 600, 1)),
                              background.crop((100, row, 600, 1))) < 8
        width = next((c for c in range(CLIENT[0] - 10, background.width) if not shows(column=c)),
                     background.width)
        height = next((r for r in range(CLIENT[1] - 10, background.height) if not shows(row=r)),
                      background.height)
        return x, y, (width, height)

    def client_box(self, box):
        x, y, w, h = box
        return self.client_x + x, self.client_y + y, w, h

    def region(self, shot, box):
        return Image(shot).crop(self.client_box(box))

    def click(self, box, dx=None, dy=None):
        x, y, w, h = self.client_box(box)
        self.display.xdotool("mousemove", "--sync", str(x + (w // 2 if dx is None else dx)),
                             str(y + (h // 2 if dy is None else dy)), "click", "1")
        time.sleep(0.2)

    def keys(self, *names):
        self.display.xdotool("key", "--clearmodifiers", "--delay", "40", *names)
        time.sleep(0.3)

    def pick_by_typing(self, box, text):
        """Types an entry's text into a list's field; Tab ends the edit."""
        self.click(box, dx=20)
        self.keys("ctrl+a")
        self.display.xdotool("type", "--delay", "60", text)
        self.keys("Tab")

    def message_box(self, title, timeout=10):
        return wait_for(f"a message box titled {title!r}",
                        lambda: (bool(self.display.windows(title)), self.display.windows(title)),
                        timeout)

    def close_with_alt_t(self):
        """Alt+T, and nothing after it, ends the program at once."""
        self.display.xdotool("key", "--clearmodifiers", "alt+t")
        began = time.monotonic()
        try:
            status = self.process.wait(timeout=2)
        except subprocess.TimeoutExpired:
            raise Failure("kidsum.exe still runs 2 s after Alt+T") from None
        if status != 0:
            raise Failure(f"kidsum.exe ended with status {status} after Alt+T, expected 0")
        return time.monotonic() - began


def expect(condition, message):
    if not condition:
        raise Failure(message)


def question_7_plus_5(win):
    """Single-number ranges make the question certain: 7 + 5."""
    win.pick_by_typing(CBO1ST, "7")
    win.pick_by_typing(CBO2ND, "5")
    win.keys("alt+c")


# ---- the checks --------------------------------------------------------

def check_window(ctx):
    folder = ctx.deployed_folder()
    wine = Wine(ctx.work("window"), ctx.display)
    log = open(os.path.join(ctx.shots, "window.log"), "wb")
    began = time.monotonic()
    process = wine.start(os.path.join(folder, "kidsum.exe"), log)
    try:
        win = Window(ctx.display, process, ctx.shots, "window")
        ctx.note(f"window: appeared {time.monotonic() - began:.1f} s after start "
                 f"(prefix made in {wine.boot_seconds:.1f} s); X window {win.width} x "
                 f"{win.height}, client area below the menu bar {win.client_size[0]} x "
                 f"{win.client_size[1]}")
        expect(win.client_size == CLIENT,
               f"client area {win.client_size[0]} x {win.client_size[1]}, expected "
               f"{CLIENT[0]} x {CLIENT[1]}")
        # The menu bar of the Windows 10 style, also on Windows 11.
        expect((win.width, win.height) == WINDOW,
               f"X window {win.width} x {win.height}, expected {WINDOW[0]} x {WINDOW[1]}")
        start = win.shot("start-up")

        # Untick auto-next, so that the tick of a right answer stays.
        win.click(CHKAUTO, dx=8)
        unticked = win.shot("auto-next-off")
        expect(difference(win.region(start, CHKAUTO), win.region(unticked, CHKAUTO)) > 1,
               "a click on 答对后自动换题 left it as it was")

        # Esc presses "答案": with no question, the error trap's message.
        win.keys("Escape")
        win.message_box("错误提示")
        win.shot("no-question")
        win.keys("Return")
        wait_for("the message box to close",
                 lambda: (not ctx.display.windows("错误提示"), "still open"))

        question_7_plus_5(win)
        asked = win.shot("question")
        expect(difference(win.region(start, TXTTEST1), win.region(asked, TXTTEST1)) > 2,
               "Alt+C left the first number's box as it was")
        expect(spread(win.region(asked, FIRST_HINT)) > 10,
               "no hint picture in the first slot after 7 + 5")

        win.click(TXTANSWER)
        win.display.xdotool("type", "--delay", "80", "12")
        time.sleep(0.5)
        answered = win.shot("right-answer")
        verdict = win.region(answered, IMGOK)
        ok = pixels(os.path.join(folder, "img", "ok.jpg"), resize=IMGOK[2:])
        err = pixels(os.path.join(folder, "img", "err.jpg"), resize=IMGOK[2:])
        d_ok, d_err = difference(verdict, ok), difference(verdict, err)
        expect(d_ok < 20 and d_ok < d_err,
               f"the verdict picture is not the tick (difference {d_ok:.1f} from ok.jpg, "
               f"{d_err:.1f} from err.jpg)")
        ctx.note(f"window: tick shown (difference {d_ok:.1f} from ok.jpg, {d_err:.1f} from err.jpg)")

        took = win.close_with_alt_t()
        ctx.note(f"window: Alt+T ended kidsum.exe with status 0 in {took:.2f} s")
    finally:
        stop(process)
        wine.close()
        log.close()


def check_browser(ctx):
    folder = ctx.deployed_folder()
    work = ctx.work("browser")
    stubs = os.path.join(work, "bin")
    os.makedirs(stubs)
    record = os.path.join(work, "opened.txt")
    for name in ("xdg-open",):
        stub = os.path.join(stubs, name)
        with open(stub, "w", encoding="utf-8") as f:
            f.write(BROWSER_STUB.format(record=record))
        os.chmod(stub, 0o755)
    wine = Wine(work, ctx.display, path_dirs=[stubs])
    # Windows opens .htm files in the default browser; a fresh Wine prefix
    # knows no .htm at all (its desktop integration, which is off here, would
    # add it). Give it Windows' association, to Wine's browser bridge.
    done = wine.run("reg", "add", r"HKLM\Software\Classes\.htm", "/ve", "/d", "htmlfile", "/f")
    expect(done.returncode == 0, "could not associate .htm in the Wine prefix")
    log = open(os.path.join(ctx.shots, "browser.log"), "wb")
    process = wine.start(os.path.join(folder, "kidsum.exe"), log)

    def lines(n):
        def probe():
            if not os.path.exists(record):
                return False, "nothing opened yet"
            with open(record, encoding="utf-8") as f:
                got = f.read().splitlines()
            return len(got) >= n, got
        return wait_for(f"{n} address(es) at the stand-in browser", probe, timeout=20)

    try:
        win = Window(ctx.display, process, ctx.shots, "browser")
        win.keys("alt+b")
        opened = lines(1)[0]
        url = urllib.parse.urlsplit(opened)
        path = urllib.parse.unquote(url.path) if url.scheme == "file" else opened
        expected = os.path.realpath(os.path.join(folder, "help.htm"))
        expect(os.path.realpath(path) == expected,
               f"Alt+B opened {opened!r}, expected the help page {expected!r}")
        ctx.note(f"browser: Alt+B opened {opened}")
        win.keys("F2")
        opened = lines(2)[1]
        base = os.environ["KIDSUM_MAIN_BASE"]
        expect(opened == f"{base}/tools/", f"F2 opened {opened!r}, expected {base + '/tools/'!r}")
        ctx.note(f"browser: F2 opened {opened}")
        win.close_with_alt_t()
    finally:
        stop(process)
        wine.close()
        log.close()


def check_zip(ctx):
    work = ctx.work("zip")
    target = os.path.join(work, "乐乐 的 程序")
    top = f"kidsum-{VERSION}-win64"
    with zipfile.ZipFile(ctx.package("zip")) as archive:
        listed = archive.namelist()
        archive.extractall(target)
    tops = os.listdir(target)
    expect(tops == [top], f"the zip holds {tops!r}, expected one folder {top!r}")
    missing = [f for f in NOTICES if f"{top}/{f}" not in listed]
    expect(not missing, f"the zip lacks {missing!r}")
    folder = os.path.join(target, tops[0])
    wine = Wine(work, ctx.display)
    log = open(os.path.join(ctx.shots, "zip.log"), "wb")
    process = wine.start(os.path.join(folder, "kidsum.exe"), log)
    try:
        win = Window(ctx.display, process, ctx.shots, "zip")
        before = win.shot("start-up")
        question_7_plus_5(win)
        after = win.shot("question")
        expect(spread(win.region(before, FIRST_HINT)) < 10 < spread(win.region(after, FIRST_HINT)),
               "the first hint slot shows no picture after 7 + 5")
        ctx.note(f"zip: started from {folder!r}; background and hint pictures shown")
        win.close_with_alt_t()
    finally:
        stop(process)
        wine.close()
        log.close()


def files_under(root):
    found = []
    for base, _, files in os.walk(root):
        found += [os.path.join(base, f) for f in files]
    return found


def wine_path(path):
    """A Linux path as Wine's drive Z: names it."""
    return "Z:" + path.replace("/", "\\")


def registry_key(wine, key, work):
    """A registry key as .reg text (reg export writes UTF-16, whatever the
    console's code page), or None when there is no such key."""
    path = os.path.join(work, "key.reg")
    if os.path.exists(path):
        os.remove(path)
    done = wine.run("reg", "export", key, wine_path(path), "/y")
    if done.returncode != 0 or not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read().decode("utf-16")


def check_installer(ctx):
    work = ctx.work("installer")
    wine = Wine(work, ctx.display)
    setup = ctx.package("setup")
    log = open(os.path.join(ctx.shots, "installer.log"), "wb")
    try:
        # The pages are Chinese: the first one's title says 安装, not Setup.
        # Their font is "宋体", which every Chinese Windows has and a fresh
        # Wine prefix has not; the prefix is given a stand-in for it.
        for face in ("宋体", "SimSun"):
            wine.run("reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face,
                     "/d", "Noto Sans CJK SC", "/f")
        wine.wait()
        pages = wine.start(setup, log)
        title = f"{TITLE} {VERSION} 安装"
        wait_for(f"the installer's first page, titled {title!r}",
                 lambda: (bool(ctx.display.windows(title)), "not yet"), timeout=60)
        time.sleep(1)
        ctx.display.screenshot(os.path.join(ctx.shots, "installer-welcome.png"))
        stop(pages)
        wine.close()
        wine.wait()
        ctx.note("installer: the first page reads in Chinese")

        before = set(files_under(wine.drive_c()))
        began = time.monotonic()
        done = wine.run(setup, "/S", timeout=180)
        wine.wait()
        expect(done.returncode == 0, f"the silent install ended with status {done.returncode}")
        folder = wine.drive_c("Program Files", TITLE)
        missing = [f for f in ["kidsum.exe"] + NOTICES
                   if not os.path.isfile(os.path.join(folder, f))]
        expect(not missing, f"not in {folder!r} after the silent install: {missing!r}")
        link = wine.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                            f"{TITLE}.lnk")
        desktop = wine.drive_c("users", "Public", "Desktop", f"{TITLE}.lnk")
        expect(os.path.isfile(link), f"no Start-menu entry {link!r}")
        expect(os.path.isfile(desktop), f"no desktop shortcut {desktop!r}")
        key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kidsum"
        registered = registry_key(wine, key, work) or ""
        size = re.search(r'"EstimatedSize"=dword:([0-9a-f]{8})', registered)
        installed_kib = sum(os.path.getsize(f) for f in files_under(folder)) / 1024
        expect(f'"DisplayName"="{TITLE}"' in registered and "uninstall.exe" in registered
               and f'"DisplayVersion"="{VERSION}"' in registered
               and '"Publisher"="Lele"' in registered and "kidsum.exe" in registered
               and size and abs(int(size.group(1), 16) - installed_kib) < 0.05 * installed_kib,
               f"Programs and Features lacks the title, version, publisher, icon, uninstaller "
               f"or size ({installed_kib:.0f} KiB) under {key}: {registered!r}")
        ctx.note(f"installer: silent install in {time.monotonic() - began:.1f} s; "
                 f"{len(files_under(folder))} files with the licences and notices, Start-menu "
                 f"entry and desktop shortcut, registered with its size "
                 f"({int(size.group(1), 16)} KiB)")

        # Again over itself: one entry, and not one file more than before.
        installed = sorted(files_under(wine.drive_c()))
        done = wine.run(setup, "/S", timeout=180)
        wine.wait()
        expect(done.returncode == 0, f"installing again ended with status {done.returncode}")
        now = files_under(wine.drive_c())
        expect(sorted(now) == installed, "installing again over the same version changed the files "
               f"on drive C: {sorted(set(installed) ^ set(now))!r}")
        entries = (registry_key(wine, r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall",
                                work) or "").count(f'"DisplayName"="{TITLE}"')
        expect(entries == 1, f"{entries} entries in Programs and Features after installing again")
        ctx.note("installer: installed again over itself, one entry and the same files")

        # While the program is open, the uninstaller removes nothing (run in
        # place, silent: its message box answers Cancel by itself).
        process = wine.start(os.path.join(folder, "kidsum.exe"), log)
        try:
            Window(ctx.display, process, ctx.shots, "open-while-uninstalling")
            ours = set(files_under(folder)) | {link, desktop}
            wine.run(os.path.join(folder, "uninstall.exe"), "/S", f"_?=C:\\Program Files\\{TITLE}")
            gone = sorted(f for f in ours if not os.path.isfile(f))
            expect(not gone, f"uninstalling while the program is open removed {gone!r}")
            expect(process.poll() is None, "the program ended while it was being uninstalled")
        finally:
            stop(process)
            wine.wait()
        ctx.note("installer: uninstalling while the program is open removed nothing")

        process = wine.start(os.path.join(folder, "kidsum.exe"), log)
        try:
            win = Window(ctx.display, process, ctx.shots, "installed")
            win.close_with_alt_t()
        finally:
            stop(process)
        ctx.note("installer: the installed program started and ended with Alt+T")

        # The uninstaller copies itself away and returns at once.
        wine.run(os.path.join(folder, "uninstall.exe"), "/S")
        wait_for("the program folder to go", lambda: (not os.path.exists(folder), "still there"),
                 timeout=60)
        wine.wait()
        expect(not os.path.exists(link), "the Start-menu entry is left after uninstalling")
        expect(not os.path.exists(desktop), "the desktop shortcut is left after uninstalling")
        expect(registry_key(wine, key, work) is None,
               "the uninstaller's registration is left after uninstalling")
        # Not one file more on drive C: than before the install, the
        # uninstaller's own temporary copy included.
        left = sorted(set(files_under(wine.drive_c())) - before)
        expect(not left, f"left after uninstalling: {left!r}")
        ctx.note("installer: silent uninstall left no file, entry or registration of it")
    finally:
        wine.close()
        log.close()


CHECKS = [("window", check_window), ("browser", check_browser), ("zip", check_zip),
          ("installer", check_installer)]


class Context:
    def __init__(self, args, display, root):
        self.build = args.build
        self.shots = args.shots
        self.display = display
        self.root = root
        self._folder = None
        self.notes = []

    def work(self, name):
        path = os.path.join(self.root, name)
        os.makedirs(path)
        return path

    def note(self, text):
        self.notes.append(text)
        print(f"    {text}", flush=True)

    def package(self, kind):
        name = {"zip": f"kidsum-{VERSION}-win64.zip", "setup": f"kidsum-{VERSION}-win64-setup.exe"}[kind]
        path = os.path.join(self.build, name)
        expect(os.path.isfile(path), f"no {name} in {self.build}: run scripts/windows.sh first")
        return path

    def deployed_folder(self):
        """The folder `cmake --install` lays out, in a place of its own."""
        if self._folder is None:
            folder = os.path.join(self.root, "folder")
            subprocess.run(["cmake", "--install", self.build, "--prefix", folder], check=True,
                           stdout=subprocess.DEVNULL)
            self._folder = folder
        return self._folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--only", nargs="*")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    args.shots = os.path.abspath(args.shots)
    missing = [t for t in TOOLS if shutil.which(t) is None]
    if missing or not (WINE.startswith("/") or shutil.which(WINE)):
        print(f"missing tools: {', '.join(missing + ([] if shutil.which(WINE) else [WINE]))}")
        return 1
    chosen = [c for c in CHECKS if not args.only or c[0] in args.only]
    os.makedirs(args.shots, exist_ok=True)
    root = tempfile.mkdtemp(prefix="kidsum-wine-")
    failed = 0
    with open(os.path.join(args.shots, "x-server.log"), "wb") as log:
        display = Display(log)
        ctx = Context(args, display, root)
        try:
            for name, check in chosen:
                began = time.monotonic()
                print(f"--- {name}", flush=True)
                try:
                    check(ctx)
                    print(f"PASS {name} ({time.monotonic() - began:.1f} s)", flush=True)
                except Exception as error:   # a failed check must not stop the others
                    failed += 1
                    try:
                        display.screenshot(os.path.join(args.shots, f"{name}-FAILED.png"))
                    except Exception:
                        pass
                    kind = "" if isinstance(error, Failure) else f"{type(error).__name__}: "
                    print(f"FAIL {name}: {kind}{error}", flush=True)
        finally:
            display.close()
            shutil.rmtree(root, ignore_errors=True)
    print(f"wine checks: {len(chosen) - failed} passed, {failed} failed")
    return 0 if failed == 0 and chosen else 1


if __name__ == "__main__":
    sys.exit(main())
