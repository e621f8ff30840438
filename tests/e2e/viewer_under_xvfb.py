#!/usr/bin/env python3
# A real viewer window under Xvfb, read back as a person sees it: the program started on a sample
# logo, every dot of the big screen (and of the preview with --preview) compared with the text art
# the sample was made from; then Next clicked with xdotool and the next file checked. With
# --scale=1.5 the window runs at that Qt scale factor, where every length is half as long again.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing. The other e2e scripts share
# its helpers.
#
# usage: viewer_under_xvfb.py PROGRAM SAMPLES_DIR FIRST:ART[:WIDTHxHEIGHT] NEXT:ART[:WIDTHxHEIGHT]
#        [--preview | --scale=1.5]

import os
import re
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


def end_wine_run(server, work):  # stops the prefix work/prefix and the X server, removes work
    prefix = os.path.join(work, "prefix")
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix),
                   stderr=subprocess.DEVNULL)
    server.terminate()
    server.wait()
    shutil.rmtree(work, ignore_errors=True)


def windows_path(path):  # a file of this system as Wine names it
    return "Z:" + os.path.realpath(path).replace("/", "\\")


def screenshot(window, env):  # the window's pixels as rows of (r, g, b)
    ppm = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=env, check=True,
                         capture_output=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", ppm)
    width, height, data = int(header[1]), int(header[2]), ppm[header.end():]
    return [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def read_art(path):
    with open(path) as art:
        return [line.rstrip("\n") for line in art if line.strip()]


def big_screen_dots(pixels, ox, oy, width, height, scale=1):
    pitch = round(6 * scale)  # whole at 1 and 1.5, the grid lines one pixel thick
    left, top = round((BIG_SCREEN[0] + ox) * scale), round((BIG_SCREEN[1] + oy) * scale)

    def dot(r, c):
        black = sum(pixels[top + pitch * r + 1 + dy][left + pitch * c + 1 + dx] == (0, 0, 0)
                    for dy in range(pitch - 1) for dx in range(pitch - 1))
        return "#" if black == (pitch - 1) ** 2 else "." if black == 0 else "?"
    return ["".join(dot(r, c) for c in range(width)) for r in range(height)]


def preview_dots(pixels):
    return ["".join("#" if pixels[PREVIEW[1] + y][PREVIEW[0] + x] == (0, 0, 0) else "."
                    for x in range(84)) for y in range(48)]


def placement(width, height):
    """Where a picture sits on the 505 x 289 big screen: 72-wide ones are centred."""
    if width == 84:
        return 0, 0
    return round(505 / 2 - (6 * width + 1) / 2), round(289 / 2 - (6 * height + 1) / 2)


def wait_for_picture(window, env, art, size, preview, scale=1):
    ox, oy = placement(*size)
    deadline = time.monotonic() + TIMEOUT
    while True:
        pixels = screenshot(window, env)
        shown = big_screen_dots(pixels, ox, oy, *size, scale)
        ok = shown == art and (not preview or preview_dots(pixels) == art)
        if ok or time.monotonic() > deadline:
            return ok, shown
        time.sleep(0.1)


def main():
    need("Xvfb", "xdotool", "import")
    program, samples = sys.argv[1], sys.argv[2]
    cases = [(parts[0], parts[1], tuple(int(n) for n in (parts[2:] or ["84x48"])[0].split("x")))
             for parts in (text.split(":") for text in sys.argv[3:5])]
    scale = float(next((a[8:] for a in sys.argv[5:] if a.startswith("--scale=")), 1))
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-e2e-")
    viewer = None
    try:
        for name, _, _ in cases:
            shutil.copy(os.path.join(samples, name), work)
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=work, HOME=work,
                   QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale))
        viewer = subprocess.Popen([program, cases[0][0]], cwd=work, env=env)
        title = os.path.basename(program).capitalize() + " 1.0"
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^" + title + "$"], env=env, check=True, capture_output=True,
                                text=True, timeout=TIMEOUT).stdout.split()[0]
        for step, (name, art_name, size) in enumerate(cases):
            if step == 1:
                subprocess.run(["xdotool", "mousemove", "--window", window,
                                *(str(round(n * scale)) for n in NEXT_BUTTON), "click", "1"],
                               env=env, check=True)
            art = read_art(os.path.join(samples, "art", art_name))
            ok, shown = wait_for_picture(window, env, art, size, "--preview" in sys.argv[5:], scale)
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
