#!/usr/bin/env python3
"""End-to-end check of kestrel.exe and plover.exe under Wine in a real X server.

In a fresh Wine prefix under Xvfb: kestrel started on a logo in a folder whose name holds a blank
(Wine passes that path quoted, as Explorer does), every dot of the big screen and the preview read
back from screenshots; Next onto a short file, whose message box is read in Polish, and on to the
next logo; the same short file in English, the setting written with `wine reg add` and the path
written with '/'; plover
started on a picture message, its dots read back, then "=> LogoManager" clicked with a stand-in
LogoManager registered under a folder with a blank: the stand-in must get exactly LogoManager's
path, one blank and the file, and plover must close about two seconds later. Exits 77 (skipped)
when a tool is missing.

usage: windows_under_wine.py BUILD_WINDOWS SAMPLES_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from viewer_under_xvfb import end_wine_run, need, read_art, start_xvfb, wait_for_picture  # noqa: E402

NEXT_BUTTON = (332, 312)
EXPORT_BUTTON = (52, 412)
APP_PATHS = r"HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\LogoManager.exe"
SETTINGS = r"HKCU\Software\VB and VBA Program Settings\IconJAR\Options"
SHORT_FILE = {
    "pl": "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki.",
    "en": "An ERROR occured:\r\nInput past end of file: the file is too short.",
}


def windows_path(path):
    return "Z:" + os.path.realpath(path).replace("/", "\\")


class Wine:
    def __init__(self, work, display):
        self.env = dict(os.environ, DISPLAY=display, WINEPREFIX=os.path.join(work, "prefix"),
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", HOME=work)
        self.run("wineboot", "-i", timeout=300)

    def run(self, *command, timeout=120):
        return subprocess.run(command, env=self.env, check=True, timeout=timeout,
                              capture_output=True).stdout

    def start(self, program, argument):
        return subprocess.Popen(["wine", program, argument], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def window(self, title):
        return self.run("xdotool", "search", "--sync", "--onlyvisible", "--name",
                        "^" + title + "$", timeout=60).split()[0].decode()

    def click(self, window, place):
        self.run("xdotool", "mousemove", "--window", window, *map(str, place), "click", "1")


def expect(what, ok, detail=""):
    print(("ok: " if ok else "FAILED: ") + what + ("" if ok else "\n" + detail))
    return ok


def shows(wine, window, samples, art, size=(84, 48), preview=False):
    ok, shown = wait_for_picture(window, wine.env, read_art(os.path.join(samples, "art", art)),
                                 size, preview)
    return expect(f"every dot of {art}", ok, "\n".join(shown))


def message_box(wine, reader, title):
    return wine.run("wine", reader, title, timeout=60).decode("utf-8")


def kestrel_checks(wine, build, samples, logos):
    kestrel = os.path.join(build, "apps", "kestrel", "kestrel.exe")
    reader = os.path.join(build, "tests", "message_box_reader.exe")
    viewer = wine.start(kestrel, windows_path(os.path.join(logos, "kestrel_bird.nsl")))
    try:
        window = wine.window("Kestrel 1.0")
        ok = shows(wine, window, samples, "kestrel_bird.txt", preview=True)
        wine.click(window, NEXT_BUTTON)  # wraps around to the short file
        text = message_box(wine, reader, "Kestrel")
        ok &= expect("the short file's message in Polish", text == SHORT_FILE["pl"], repr(text))
        wine.click(window, NEXT_BUTTON)
        ok &= shows(wine, window, samples, "hello_frame.txt", preview=True)
    finally:
        viewer.kill()
        viewer.wait()
    wine.run("wine", "reg", "add", SETTINGS, "/v", "Lang", "/d", "en", "/f")
    # Written with '/', as scripts pass paths: once the end of the program.
    slashed = windows_path(os.path.join(logos, "0_short.nsl")).replace("\\", "/")
    viewer = wine.start(kestrel, slashed)
    try:
        text = message_box(wine, reader, "Kestrel")  # drawn, and reported, before it shows
        ok &= expect("the short file's message in English", text == SHORT_FILE["en"], repr(text))
        wine.window("Kestrel 1.0")
    finally:
        viewer.kill()
        viewer.wait()
    return ok


def plover_checks(wine, build, samples, logos):
    program_folder = os.path.join(wine.env["WINEPREFIX"], "drive_c", "Program Files", "Logo Manager")
    os.makedirs(program_folder)
    shutil.copy(os.path.join(build, "tests", "logomanager_stand_in.exe"),
                os.path.join(program_folder, "LogoManager.exe"))
    logo_manager = r"C:\Program Files\Logo Manager\LogoManager.exe"
    wine.run("wine", "reg", "add", APP_PATHS, "/ve", "/d", logo_manager, "/f")
    file = windows_path(os.path.join(logos, "picture_wave.nlm"))
    viewer = wine.start(os.path.join(build, "apps", "plover", "plover.exe"), file)
    try:
        window = wine.window("Plover 1.0")
        ok = shows(wine, window, samples, "picture_wave.txt", (72, 28))
        wine.click(window, EXPORT_BUTTON)
        clicked = time.monotonic()
        record = os.path.join(program_folder, "record.txt")
        while not os.path.exists(record) and time.monotonic() < clicked + 60:
            time.sleep(0.1)
        with open(record, encoding="utf-8") as text:
            command_line = text.read()
        ok &= expect("LogoManager's command line is its path, one blank and the file",
                     command_line == logo_manager + " " + file, repr(command_line))
        viewer.wait(timeout=30)
        after = time.monotonic() - clicked
        ok &= expect(f"plover closed {after:.1f} s after the export", 1.5 <= after <= 15)
        viewer = None
    finally:
        if viewer:
            viewer.kill()
            viewer.wait()
    return ok


def main():
    need("Xvfb", "xdotool", "import", "wine", "wineboot", "wineserver")
    build, samples = (os.path.abspath(path) for path in sys.argv[1:3])
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-wine-")
    try:
        logos = os.path.join(work, "my logos")
        os.makedirs(logos)
        for name in ("kestrel_bird.nsl", "hello_frame.nsl", "picture_wave.nlm"):
            shutil.copy(os.path.join(samples, name), logos)
        with open(os.path.join(logos, "0_short.nsl"), "wb") as short:
            short.write(bytes(573))  # one byte short of a logo
        wine = Wine(work, display)
        ok = kestrel_checks(wine, build, samples, logos)
        ok &= plover_checks(wine, build, samples, logos)
        return 0 if ok else 1
    finally:
        end_wine_run(server, work)


if __name__ == "__main__":
    sys.exit(main())
