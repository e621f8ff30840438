#!/usr/bin/env python3
"""End-to-end export to LogoManager under the real Wine.

Makes a fresh Wine prefix, installs a stand-in LogoManager.exe (built with MinGW; it writes its
command line to record.txt beside itself) and registers it under App Paths with `wine reg add`;
then starts plover under Xvfb on a sample whose path holds a blank, clicks "=> LogoManager" with
xdotool, and checks that the stand-in was given the file and that plover closed itself about
two seconds after the click. Exits 77 (skipped) when a tool is missing.

usage: export_under_wine.py PLOVER STAND_IN_EXE SAMPLES_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from viewer_under_xvfb import end_wine_run, need, start_xvfb  # noqa: E402

EXPORT_BUTTON = (52, 412)
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\LogoManager.exe"


def main():
    need("Xvfb", "xdotool", "wine", "wineserver", "wineboot")
    plover, stand_in, samples = (os.path.abspath(path) for path in sys.argv[1:4])
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-export-")
    viewer = None
    try:
        prefix = os.path.join(work, "prefix")
        env = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", XDG_CONFIG_HOME=work, HOME=work)
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        install = os.path.join(prefix, "drive_c", "LogoManager")
        os.makedirs(install)
        shutil.copy(stand_in, os.path.join(install, "LogoManager.exe"))
        subprocess.run(["wine", "reg", "add", KEY, "/ve", "/d", r"C:\LogoManager\LogoManager.exe",
                        "/f"], env=env, check=True, timeout=120, stdout=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)  # writes system.reg

        logos = os.path.join(work, "my logos")
        os.makedirs(logos)
        shutil.copy(os.path.join(samples, "picture_wave.nlm"), logos)
        viewer = subprocess.Popen([plover, "picture_wave.nlm"], cwd=logos, env=env)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Plover 1.0$"], env=env, check=True, capture_output=True,
                                text=True, timeout=30).stdout.split()[0]
        subprocess.run(["xdotool", "mousemove", "--window", window, *map(str, EXPORT_BUTTON),
                        "click", "1"], env=env, check=True)
        clicked = time.monotonic()

        record = os.path.join(install, "record.txt")
        deadline = clicked + 120
        while not os.path.exists(record) and time.monotonic() < deadline:
            time.sleep(0.2)
        if not os.path.exists(record):
            print("LogoManager was not started: is the export button enabled?")
            return 1
        with open(record, encoding="utf-8") as text:
            command_line = text.read()
        windows_path = "Z:" + os.path.realpath(os.path.join(logos, "picture_wave.nlm")).replace("/", "\\")
        print("LogoManager's command line:", command_line)
        if windows_path not in command_line:
            print("expected it to name", windows_path)
            return 1
        viewer.wait(timeout=30)
        closed_after = time.monotonic() - clicked
        print(f"plover closed {closed_after:.1f} s after the click, exit status {viewer.returncode}")
        viewer = None
        return 0 if 1.5 <= closed_after <= 15 else 1
    finally:
        if viewer:
            viewer.kill()
            viewer.wait()
        end_wine_run(server, work)


if __name__ == "__main__":
    sys.exit(main())
