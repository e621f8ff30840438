#!/usr/bin/env python3
"""End-to-end check of a real viewer window under Xvfb.

Starts the program on a sample logo in a fresh X server, takes screenshots of its window as a
person would see it, and checks every dot of the big screen (and of the preview, where there is
one) against the text art the sample was made from; then clicks Next with xdotool and checks the
next file. Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.

usage: viewer_under_xvfb.py PROGRAM SAMPLES_DIR FIRST:ART[:WIDTHxHEIGHT] NEXT:ART[:WIDTHxHEIGHT]
       [--preview]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

BIG_SCREEN = (6, 6)     # the drawing area inside the big screen's 2-pixel border at (4, 4)
PREVIEW = (5, 301)      # inside the preview's 1-pixel border at (4, 300)
NEXT_BUTTON = (332, 312)
TIMEOUT = 15.0


def need(*tools):
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        print("skipped: not installed:", " ".join(missing))
        sys.exit(77)


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        return server, ":" + display.readline().strip()


def end_wine_run(server, work):
    """Stops the Wine prefix in `work`/prefix and the X server, and removes `work`."""
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.path.join(work, "prefix")),
                   stderr=subprocess.DEVNULL)
    server.terminate()
    server.wait()
    shutil.rmtree(work, ignore_errors=True)


def screenshot(window, env):
    """The window's pixels as rows of (r, g, b)."""
    ppm = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=env, check=True,
                         capture_output=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # P6 width height maxval, separated by white space
        while ppm[at:at + 1].isspace():
            at += 1
        start = at
        while not ppm[at:at + 1].isspace():
            at += 1
        fields.append(ppm[start:at])
    width, height = int(fields[1]), int(fields[2])
    data = ppm[at + 1:]
    return [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def read_art(path):
    with open(path) as art:
        return [line.rstrip("\n") for line in art if line.strip()]


def big_screen_dots(pixels, ox, oy, width, height):
    rows = []
    for r in range(height):
        row = ""
        for c in range(width):
            square = [pixels[BIG_SCREEN[1] + oy + 6 * r + 1 + dy][BIG_SCREEN[0] + ox + 6 * c + 1 + dx]
                      for dy in range(5) for dx in range(5)]
            black = sum(1 for p in square if p == (0, 0, 0))
            row += "#" if black == 25 else "." if black == 0 else "?"
        rows.append(row)
    return rows


def preview_dots(pixels):
    return ["".join("#" if pixels[PREVIEW[1] + y][PREVIEW[0] + x] == (0, 0, 0) else "."
                    for x in range(84)) for y in range(48)]


def placement(width, height):
    """Where a picture sits on the 505 x 289 big screen: 72-wide ones are centred."""
    if width == 84:
        return 0, 0
    return round(505 / 2 - (6 * width + 1) / 2), round(289 / 2 - (6 * height + 1) / 2)


def wait_for_picture(window, env, art, size, preview):
    width, height = size
    ox, oy = placement(width, height)
    deadline = time.monotonic() + TIMEOUT
    while True:
        pixels = screenshot(window, env)
        shown = big_screen_dots(pixels, ox, oy, width, height)
        ok = shown == art and (not preview or preview_dots(pixels) == art)
        if ok or time.monotonic() > deadline:
            return ok, shown
        time.sleep(0.1)


def parse_case(text):
    parts = text.split(":")
    size = tuple(int(n) for n in parts[2].split("x")) if len(parts) > 2 else (84, 48)
    return parts[0], parts[1], size


def main():
    need("Xvfb", "xdotool", "import")
    program, samples = sys.argv[1], sys.argv[2]
    first, following = parse_case(sys.argv[3]), parse_case(sys.argv[4])
    preview = "--preview" in sys.argv[5:]
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-e2e-")
    viewer = None
    try:
        for name, _, _ in (first, following):
            shutil.copy(os.path.join(samples, name), work)
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=work, HOME=work,
                   QT_QPA_PLATFORM="xcb")
        viewer = subprocess.Popen([program, first[0]], cwd=work, env=env)
        title = os.path.basename(program).capitalize() + " 1.0"
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^" + title + "$"], env=env, check=True, capture_output=True,
                                text=True, timeout=TIMEOUT).stdout.split()[0]
        for step, (name, art_name, size) in enumerate((first, following)):
            if step == 1:
                subprocess.run(["xdotool", "mousemove", "--window", window, *map(str, NEXT_BUTTON),
                                "click", "1"], env=env, check=True)
            art = read_art(os.path.join(samples, "art", art_name))
            ok, shown = wait_for_picture(window, env, art, size, preview)
            if not ok:
                print(f"{name}: the window does not show the expected dots; it shows:")
                print("\n".join(shown))
                return 1
            print(f"{name}: every dot as expected")
        return 0
    finally:
        if viewer:
            viewer.kill()
            viewer.wait()
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
