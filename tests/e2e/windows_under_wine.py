#!/usr/bin/env python3
# What only a real run under Wine in Xvfb shows (the window layer's own tests cover each binding,
# place, text and pixel): kestrel started from a real command line, on a file in a folder whose
# name holds a blank (Wine passes it quoted) and its message box read (by message_box_reader.exe)
# in Polish, then in English after `wine reg add` of the setting with the path written with '/';
# plover.exe, and the Linux plover when given, exporting to a stand-in LogoManager registered
# under a folder with a blank: plover.exe gives it exactly its path, one blank and the file, the
# Linux one the file through Wine; each then ends. Exits 77 (skipped) when a tool is missing.
#
# usage: windows_under_wine.py BUILD_WINDOWS SAMPLES_DIR [LINUX_PLOVER]

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from installer_under_wine import check, under_wine  # noqa: E402
from viewer_under_xvfb import need, windows_path  # noqa: E402

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
        text = wine.run(os.path.join(build, "tests", "message_box_reader.exe"), "Kestrel",
                        encoding="utf-16-le")[1]
        check(text == SHORT_FILE[language], f"the message in {language} from {argument}: {text!r}")
        wine.window("^Kestrel 1.0$")  # drawn, and reported, before it shows
        viewer.kill()
        viewer.wait()


# plover started on a picture message, "=> LogoManager" clicked: the stand-in's command line (in
# RECORD) must be as `expected` says, and plover end (its timer's closing is the window layer's
# test).
def export_check(wine, record, plover, file, expected):
    viewer = subprocess.Popen([*plover, file], env=wine.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    subprocess.run(["xdotool", "mousemove", "--window", wine.window("^Plover 1.0$"),
                    *EXPORT_BUTTON, "click", "1"], env=wine.env, check=True, timeout=60)
    deadline = time.monotonic() + 60
    while not os.path.exists(record) and time.monotonic() < deadline:
        time.sleep(0.1)
    check(os.path.exists(record), f"{plover[-1]} does not start LogoManager")
    viewer.wait(timeout=30)  # the process ends, not only its window
    with open(record, encoding="utf-16-le") as text:
        command_line = text.read()
    os.remove(record)
    check(expected(command_line), f"{plover[-1]} gives LogoManager {command_line!r}")


def checks(wine, work, build, samples, linux_plover):
    logos = os.path.join(work, "my logos")
    os.makedirs(logos)
    with open(os.path.join(logos, "0_short.nsl"), "wb") as short:
        short.write(bytes(573))  # one byte short of a logo
    kestrel_checks(wine, build, logos)
    stand_in = wine.unix_path(LOGO_MANAGER)
    os.makedirs(os.path.dirname(stand_in))
    shutil.copy(os.path.join(build, "tests", "logomanager_stand_in.exe"), stand_in)
    wine.reg_add(APP_PATHS, None, LOGO_MANAGER)
    wine.wait_idle()  # system.reg written, for the Linux plover
    record = os.path.join(os.path.dirname(stand_in), "record.txt")
    file = shutil.copy(os.path.join(samples, "picture_wave.nlm"), logos)
    export_check(wine, record, ("wine", os.path.join(build, "apps", "plover", "plover.exe")),
                 windows_path(file), lambda line: line == LOGO_MANAGER + " " + windows_path(file))
    if linux_plover:
        export_check(wine, record, (linux_plover,), file, lambda line: windows_path(file) in line)


def main():
    need("Xvfb", "xdotool", "wine", "wineboot", "wineserver")
    build, samples = (os.path.abspath(path) for path in sys.argv[1:3])
    linux_plover = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    return under_wine("Windows programs under Wine", lambda wine, work: checks(
        wine, work, build, samples, linux_plover))


if __name__ == "__main__":
    sys.exit(main())
