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
from installer_under_wine import Failure, Wine, check  # noqa: E402
from viewer_under_xvfb import end_wine_run, need, start_xvfb, windows_path  # noqa: E402

EXPORT_BUTTON = ("52", "412")
APP_PATHS = r"HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\LogoManager.exe"
SETTINGS = r"HKCU\Software\VB and VBA Program Settings\IconJAR\Options"
LOGO_MANAGER = r"C:\Program Files\Logo Manager\LogoManager.exe"
SHORT_FILE = {
    "pl": "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki.",
    "en": "An ERROR occured:\r\nInput past end of file: the file is too short.",
}


def kestrel_checks(wine, build, logos):
    short = windows_path(os.path.join(logos, "0_short.nsl"))
    for language, argument in (("pl", short), ("en", short.replace("\\", "/"))):
        if language == "en":
            wine.reg_add(SETTINGS, "Lang", "en")
        viewer = wine.start(os.path.join(build, "apps", "kestrel", "kestrel.exe"), argument)
        try:
            text = wine.run(os.path.join(build, "tests", "message_box_reader.exe"), "Kestrel")[1]
            check(text == SHORT_FILE[language], f"the message in {language} from {argument}: "
                  + repr(text))
            wine.window("^Kestrel 1.0$")  # drawn, and reported, before it shows
        finally:
            viewer.kill()
            viewer.wait()


# plover started on a picture message, "=> LogoManager" clicked: the stand-in's command line
# must be as `expected` says, and plover end (its timer's closing is the window layer's test).
def export_check(wine, record, plover, file, expected):
    if os.path.exists(record):
        os.remove(record)
    viewer = subprocess.Popen([*plover, file], env=wine.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        subprocess.run(["xdotool", "mousemove", "--window", wine.window("^Plover 1.0$"),
                        *EXPORT_BUTTON, "click", "1"], env=wine.env, check=True, timeout=60)
        clicked = time.monotonic()
        while not os.path.exists(record) and time.monotonic() < clicked + 60:
            time.sleep(0.1)
        check(os.path.exists(record), f"{plover[-1]} does not start LogoManager")
        with open(record, encoding="utf-8") as text:
            command_line = text.read()
        check(expected(command_line), f"{plover[-1]} gives LogoManager {command_line!r}")
        viewer.wait(timeout=30)  # the process ends, not only its window
    finally:
        viewer.kill()
        viewer.wait()


def plover_checks(wine, build, logos, linux_plover):
    folder = os.path.join(wine.env["WINEPREFIX"], "drive_c", "Program Files", "Logo Manager")
    os.makedirs(folder)
    shutil.copy(os.path.join(build, "tests", "logomanager_stand_in.exe"),
                os.path.join(folder, "LogoManager.exe"))
    wine.reg_add(APP_PATHS, None, LOGO_MANAGER)
    wine.wait_idle()  # system.reg written, for the Linux plover
    record, file = os.path.join(folder, "record.txt"), os.path.join(logos, "picture_wave.nlm")
    export_check(wine, record, ("wine", os.path.join(build, "apps", "plover", "plover.exe")),
                 windows_path(file), lambda line: line == LOGO_MANAGER + " " + windows_path(file))
    if linux_plover:
        export_check(wine, record, (linux_plover,), file, lambda line: windows_path(file) in line)


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
        kestrel_checks(wine, build, logos)
        plover_checks(wine, build, logos, linux_plover)
        print("Windows programs under Wine: passed")
        return 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        return 1
    finally:
        end_wine_run(server, work)


if __name__ == "__main__":
    sys.exit(main())
