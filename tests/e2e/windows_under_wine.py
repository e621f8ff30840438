#!/usr/bin/env python3
# What only a real run under Wine in Xvfb shows (the window layer's own tests cover each binding,
# place, text and pixel): kestrel started from a real command line, on a file in a folder whose
# name holds a blank (Wine passes it quoted) and its message box read (by message_box_reader.exe)
# in Polish, then in English after `wine reg add` of the setting with the path written with '/';
# plover.exe, and the Linux plover when given, exporting to a stand-in LogoManager registered
# under a folder with a blank: plover.exe gives it exactly its path, one blank and the file, the
# Linux one the file through Wine; each then ends. Exits 77 (skipped) when
# a tool is missing.
#
# usage: windows_under_wine.py BUILD_WINDOWS SAMPLES_DIR [LINUX_PLOVER]

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from viewer_under_xvfb import end_wine_run, need, start_xvfb, windows_path  # noqa: E402

EXPORT_BUTTON = ("52", "412")
APP_PATHS = r"HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\LogoManager.exe"
SETTINGS = r"HKCU\Software\VB and VBA Program Settings\IconJAR\Options"
LOGO_MANAGER = r"C:\Program Files\Logo Manager\LogoManager.exe"
SHORT_FILE = {
    "pl": "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki.",
    "en": "An ERROR occured:\r\nInput past end of file: the file is too short.",
}


class Wine:
    def __init__(self, work, display):
        self.env = dict(os.environ, DISPLAY=display, WINEPREFIX=os.path.join(work, "prefix"),
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", HOME=work,
                        XDG_CONFIG_HOME=work)
        self.run("wineboot", "-i", timeout=300)

    # Output through a file: a wineserver the run starts would hold a pipe open, and the run
    # would last as long as it.
    def run(self, *command, timeout=120):
        with tempfile.TemporaryFile() as out:
            subprocess.run(command, env=self.env, check=True, timeout=timeout, stdout=out,
                           stderr=subprocess.DEVNULL)
            out.seek(0)
            return out.read()

    def start(self, *command):
        return subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def window(self, title):
        return self.run("xdotool", "search", "--sync", "--onlyvisible", "--name",
                        "^" + title + "$", timeout=60).split()[0].decode()


def expect(what, ok, detail=""):
    print(("ok: " if ok else "FAILED: ") + what + ("" if ok else "\n" + detail))
    return ok


def kestrel_checks(wine, build, logos):
    short = windows_path(os.path.join(logos, "0_short.nsl"))
    ok = True
    for language, argument in (("pl", short), ("en", short.replace("\\", "/"))):
        if language == "en":
            wine.run("wine", "reg", "add", SETTINGS, "/v", "Lang", "/d", "en", "/f")
        viewer = wine.start("wine", os.path.join(build, "apps", "kestrel", "kestrel.exe"), argument)
        try:
            text = wine.run("wine", os.path.join(build, "tests", "message_box_reader.exe"),
                            "Kestrel", timeout=60).decode("utf-8")
            ok &= expect(f"the short file's message in {language} from {argument}",
                         text == SHORT_FILE[language], repr(text))
            wine.window("Kestrel 1.0")  # drawn, and reported, before it shows
        finally:
            viewer.kill()
            viewer.wait()
    return ok


# plover started on a picture message, "=> LogoManager" clicked: the stand-in's command line
# must be as `expected` says, and plover end (its timer's closing is the window layer's test).
def export_check(wine, record, plover, file, expected):
    if os.path.exists(record):
        os.remove(record)
    viewer = wine.start(*plover, file)
    try:
        wine.run("xdotool", "mousemove", "--window", wine.window("Plover 1.0"), *EXPORT_BUTTON,
                 "click", "1")
        clicked = time.monotonic()
        while not os.path.exists(record) and time.monotonic() < clicked + 60:
            time.sleep(0.1)
        if not expect(f"{plover[-1]} starts LogoManager", os.path.exists(record)):
            return False
        with open(record, encoding="utf-8") as text:
            command_line = text.read()
        ok = expect(f"{plover[-1]} gives LogoManager {command_line!r}", expected(command_line))
        viewer.wait(timeout=30)  # the process ends, not only its window
        return ok
    finally:
        viewer.kill()
        viewer.wait()


def plover_checks(wine, build, logos, linux_plover):
    folder = os.path.join(wine.env["WINEPREFIX"], "drive_c", "Program Files", "Logo Manager")
    os.makedirs(folder)
    shutil.copy(os.path.join(build, "tests", "logomanager_stand_in.exe"),
                os.path.join(folder, "LogoManager.exe"))
    wine.run("wine", "reg", "add", APP_PATHS, "/ve", "/d", LOGO_MANAGER, "/f")
    wine.run("wineserver", "-w")  # system.reg written, for the Linux plover
    record, file = os.path.join(folder, "record.txt"), os.path.join(logos, "picture_wave.nlm")
    plover = ("wine", os.path.join(build, "apps", "plover", "plover.exe"))
    ok = export_check(wine, record, plover, windows_path(file),
                      lambda line: line == LOGO_MANAGER + " " + windows_path(file))
    if linux_plover:
        ok &= export_check(wine, record, (linux_plover,), file,
                           lambda line: windows_path(file) in line)
    return ok


def main():
    need("Xvfb", "xdotool", "wine", "wineboot", "wineserver")
    build, samples = (os.path.abspath(path) for path in sys.argv[1:3])
    linux_plover = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-wine-")
    try:
        logos = os.path.join(work, "my logos")
        os.makedirs(logos)
        shutil.copy(os.path.join(samples, "picture_wave.nlm"), logos)
        with open(os.path.join(logos, "0_short.nsl"), "wb") as short:
            short.write(bytes(573))  # one byte short of a logo
        wine = Wine(work, display)
        ok = kestrel_checks(wine, build, logos)
        return 0 if plover_checks(wine, build, logos, linux_plover) and ok else 1
    finally:
        end_wine_run(server, work)


if __name__ == "__main__":
    sys.exit(main())
