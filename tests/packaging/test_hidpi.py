#!/usr/bin/env python3
"""Under QT_SCALE_FACTOR=2 the window, its pictures and its text grow as one.

usage: test_hidpi.py KIDSUM WORK_DIR

Starts the built program under Xvfb (2560x1600) at scale 1 and at scale 2,
compares the window sizes, makes questions until a hint slot shows a picture
and checks in a screenshot that the slot, the enlarged picture and the
background are drawn smooth: an image merely blown up to twice its size
repeats every pixel in a 2 x 2 block, a smooth one does not. The 2x
screenshot is left in WORK_DIR/kidsum-2x.png.
Exits 77 (skipped) when Xvfb, xdotool or ImageMagick's import is missing.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import virtual_display  # noqa: E402

TITLE = os.environ["KIDSUM_TITLE"]  # the build's, which CTest gives
TWIPS_PER_PIXEL = 15
CLIENT = (12585 // TWIPS_PER_PIXEL, 7890 // TWIPS_PER_PIXEL)  # 839 x 526 logical


def twips_rect(left, top, width, height):
    t = TWIPS_PER_PIXEL
    return (round(left / t), round(top / t), round(width / t), round(height / t))


# Client coordinates in twips: fraDisplay (360, 360) + fraPic (120, 2040) +
# the slot or the enlarged picture within fraPic.
FRAPIC = (360 + 120, 360 + 2040)
SLOT_IMG1_0 = twips_rect(FRAPIC[0] + 240, FRAPIC[1] + 240, 450, 560)
PIC1 = twips_rect(FRAPIC[0] + 2040, FRAPIC[1] + 240, 2415, 2415)
# Sky and hills of the background, right of the display frame.
BACKDROP = twips_rect(12280, 400, 290, 5200)


class Display:
    def __init__(self, size):
        self.screen = virtual_display.VirtualDisplay(f"{size}x24")
        self.env = self.screen.env
        for name in ("QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                     "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI"):
            self.env.pop(name, None)

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, check=True).stdout

    def xdotool(self, *args):
        return self.run("xdotool", *args).decode()

    def screenshot(self, width, height, path=None):
        """The top-left width x height of the screen as rows of (r, g, b)."""
        data = self.run("import", "-window", "root", "-crop", f"{width}x{height}+0+0",
                        "+repage", "-depth", "8", "ppm:-")
        if path:
            with open(path, "wb") as out:
                out.write(data)
        return parse_ppm(data)

    def close(self):
        self.screen.close()


def parse_ppm(data):
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(fields[1]), int(fields[2])
    pixels = data[fields.end():]
    return [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


class Program:
    def __init__(self, display, kidsum, scale, work):
        self.display = display
        env = dict(display.env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="0",
                   QT_SCALE_FACTOR=str(scale))
        self.log = open(os.path.join(work, f"program-{scale}x.log"), "w")
        self.process = subprocess.Popen([kidsum], env=env, cwd=work, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        found = subprocess.run(
            ["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible", "--name",
             f"^{TITLE} V"], env=display.env, capture_output=True, text=True)
        ids = found.stdout.split()
        if not ids:
            self.process.kill()
            raise RuntimeError(f"no window of kidsum appeared at scale {scale}")
        self.window = ids[0]
        display.xdotool("windowfocus", "--sync", self.window)

    def size(self):
        shell = self.display.xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in shell.split())
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def key(self, keys):
        self.display.xdotool("key", "--clearmodifiers", keys)

    def quit(self):
        self.key("alt+t")
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


def region(image, rect, scale, top, inset=2):
    """Device pixels of a logical client rectangle, a few pixels inside it."""
    x, y, w, h = (v * scale for v in rect)
    return [row[x + inset:x + w - inset] for row in image[top + y + inset:top + y + h - inset]]


def changed_share(before, after):
    pairs = [(a, b) for row_a, row_b in zip(before, after) for a, b in zip(row_a, row_b)]
    return sum(a != b for a, b in pairs) / len(pairs)


def distinct_colours(pixels):
    return len({p for row in pixels for p in row})


def blown_up_share(pixels):
    """Share of the 2 x 2 blocks with detail whose four pixels are one colour,
    on the grid where that share is highest: a picture merely blown up to
    twice its size scores near 100% on its own grid, a smooth one far less.
    Flat white is left out: it is one colour however it is drawn."""
    best, best_detailed = 0.0, 0
    for dy in (0, 1):
        for dx in (0, 1):
            uniform = detailed = 0
            for y in range(dy, len(pixels) - 1, 2):
                for x in range(dx, len(pixels[y]) - 1, 2):
                    block = {pixels[y][x], pixels[y][x + 1],
                             pixels[y + 1][x], pixels[y + 1][x + 1]}
                    if all(min(p) >= 245 for p in block):
                        continue
                    detailed += 1
                    uniform += len(block) == 1
            share = uniform / detailed if detailed else 1.0
            if share >= best:
                best, best_detailed = share, detailed
    return best, best_detailed


# Above this share of one-colour blocks a drawing counts as blown up.
BLOCKY = 0.9


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    kidsum, work = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    missing = [tool for tool in ("Xvfb", "xdotool", "import") if not shutil.which(tool)]
    if missing:
        print("SKIP: not installed:", " ".join(missing))
        return 77
    os.makedirs(work, exist_ok=True)
    failures = []
    display = Display("2560x1600")
    try:
        one = Program(display, kidsum, 1, work)
        width1, height1 = one.size()
        one.quit()
        print(f"scale 1: window {width1} x {height1}")
        if width1 != CLIENT[0] or not CLIENT[1] < height1 < CLIENT[1] + 60:
            failures.append(f"at scale 1 the window is {width1} x {height1}, "
                            f"not {CLIENT[0]} x {CLIENT[1]} plus a menu bar")

        two = Program(display, kidsum, 2, work)
        width2, height2 = two.size()
        print(f"scale 2: window {width2} x {height2}")
        # The menu bar's height follows its font: if the text did not grow
        # with the window, the height would fall short of twice.
        if abs(width2 - 2 * width1) > 1 or abs(height2 - 2 * height1) > 2:
            failures.append(f"at scale 2 the window is {width2} x {height2}, "
                            f"not twice {width1} x {height1}")
        top = height2 - 2 * CLIENT[1]  # the menu bar, in device pixels

        # A question whose first number is at least 1 puts a picture in img1(0).
        slot = None
        for _ in range(12):
            two.key("alt+c")
            time.sleep(0.5)
            image = display.screenshot(width2, height2)
            pixels = region(image, SLOT_IMG1_0, 2, top)
            if distinct_colours(pixels) > 40:
                slot = pixels
                break
        if slot is None:
            failures.append("no question put a picture into the first hint slot")
        else:
            share, blocks = blown_up_share(slot)
            print(f"hint slot: {distinct_colours(slot)} colours, "
                  f"{share:.0%} of {blocks} 2x2 blocks one colour")
            if share > BLOCKY:
                failures.append(f"the hint slot is drawn blocky ({share:.0%} uniform 2x2 blocks)")

            share, blocks = blown_up_share(region(image, BACKDROP, 2, top))
            print(f"background: {share:.0%} of {blocks} 2x2 blocks one colour")
            if share > BLOCKY:
                failures.append(f"the background is drawn blocky ({share:.0%} uniform 2x2 blocks)")

            # Holding the mouse on the slot shows the picture enlarged.
            x, y, w, h = SLOT_IMG1_0
            display.xdotool("mousemove", "--window", two.window,
                            str(2 * (x + w // 2)), str(top + 2 * (y + h // 2)))
            display.xdotool("mousedown", "1")
            before = region(image, PIC1, 2, top, inset=4)
            shot = os.path.join(work, "kidsum-2x.ppm")
            for _ in range(10):
                time.sleep(0.3)
                enlarged = region(display.screenshot(width2, height2, shot), PIC1, 2, top, inset=4)
                if changed_share(before, enlarged) > 0.5:
                    break
            display.xdotool("mouseup", "1")
            share, blocks = blown_up_share(enlarged)
            print(f"enlarged picture: {changed_share(before, enlarged):.0%} of its area changed, "
                  f"{share:.0%} of {blocks} 2x2 blocks one colour")
            if changed_share(before, enlarged) <= 0.5:
                failures.append("holding the mouse on the slot showed no enlarged picture")
            elif share > BLOCKY:
                failures.append(f"the enlarged picture is drawn blocky ({share:.0%} uniform 2x2 blocks)")
            png = os.path.join(work, "kidsum-2x.png")
            subprocess.run(["convert", shot, png], check=False)
            print(f"screenshot: {png}")
        two.quit()
    finally:
        display.close()

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
