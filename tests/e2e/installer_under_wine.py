#!/usr/bin/env python3
# End-to-end check of the Windows installer and zip under the real Wine.
#
# The zip: the two packed programs and a readme naming this version, with fixed time stamps.
# Then the cases below, one after another in one fresh prefix under Xvfb where `.nlm` already
# belongs to another program and an empty C:\Tools exists. After each installation the programs,
# file types and uninstall entry are in place; the first case uses the programs (see
# Session.use). While kestrel runs, the silent uninstaller and an installation elsewhere fail and
# change nothing, and the uninstaller started from the entry's UninstallString asks to close
# kestrel (box read by message_box_reader.exe) and goes on after Retry. Each case ends uninstalled
# (QuietUninstallString) and the prefix as before: drive C:'s listing and the exports of HKCU and
# HKLM\Software equal, .nlm given back, C:\Tools still there, nothing left of an earlier
# installation elsewhere or of a refused one.
# Ignored: Temp\~nsu*.tmp\Un.exe, the copy an NSIS uninstaller runs from and cannot delete.
# Wine 8 ignores HKCU\Software\Classes when opening a file, so the test starts what the open
# command names. Winemenubuilder is off (it would mirror entries into the Linux desktop). Exits 77
# (skipped) when a tool is missing.
#
# usage: installer_under_wine.py BUILD_WINDOWS_DIR SAMPLES_DIR [LINUX_PLOVER]

import difflib
import fnmatch
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
from viewer_under_xvfb import end_wine_run, need, start_xvfb, windows_path  # noqa: E402

TIMEOUT = 120
CLASSES = r"HKCU\Software\Classes"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestrelPlover"
START_MENU = r"AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Kestrel and Plover"
FILE_TYPES = ((".nsl", "KestrelPlover.nsl", "kestrel.exe"),  # extension, our ProgID, its program
              (".nlm", "KestrelPlover.nlm", "plover.exe"))
OTHER_PROGID = "OtherViewer.nlm"
THUMBNAILS = r"ShellEx\{e357fccd-a995-4576-b01f-234630154e96}"  # Explorer's thumbnail handlers
PROGRAM_FILES = ["kestrel-plover-thumbnails.dll", "kestrel.exe", "plover.exe", "uninstall.exe"]
DEFAULT_FOLDER = r"AppData\Local\Programs\Kestrel and Plover"  # in the user's profile
ELSEWHERE = r"C:\Tools\KestrelPlover"
UNINSTALLER = "Kestrel and Plover Uninstall"  # its message boxes' title; its window's begins so
IGNORED_FILES = ("users/*/Temp/~nsu*.tmp", "users/*/Temp/~nsu*.tmp/Un.exe")
SETTINGS = r"HKCU\Software\VB and VBA Program Settings"  # the viewers' Lang under IconJAR\Options
SHORT_FILE = {  # the message on a file one byte short of a logo
    "pl": "Wystąpił błąd:\r\nPróba odczytu poza końcem pliku: plik jest za krótki.",
    "en": "An ERROR occured:\r\nInput past end of file: the file is too short.",
}
APP_PATHS = r"HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\LogoManager.exe"
LOGO_MANAGER = r"C:\Program Files\Logo Manager\LogoManager.exe"  # the stand-in
EXPORT_BUTTON = ("52", "412")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_zip(archive, programs, version):
    with zipfile.ZipFile(archive) as package:
        names = [entry.filename for entry in package.infolist()]
        check(names == ["README.txt", "kestrel.exe", "plover.exe"], f"{archive} holds {names}")
        stamps = {entry.date_time for entry in package.infolist()}
        check(stamps == {(1980, 1, 1, 0, 0, 0)}, f"time stamps {stamps}")
        check(all(package.read(name) == pathlib.Path(programs, name).read_bytes()
                  for name in names[1:]), "the zip's programs are not the packaged ones")
        readme = package.read("README.txt").decode("utf-8")
        check(f"kestrel-plover-{version}-setup.exe" in readme, f"README.txt names:\n{readme}")


def command_words(command):  # split as Windows splits quoted words without escapes
    return [quoted or bare for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', command)]


# A fresh prefix in WORK, shown on DISPLAY.
class Wine:
    def __init__(self, work, display):
        self.prefix = os.path.join(work, "prefix")
        # In English whatever the host's locale: the uninstaller's windows are found by title.
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=display,
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                        HOME=work, XDG_CONFIG_HOME=work, XDG_DATA_HOME=work, LC_ALL="C.UTF-8")
        subprocess.run(["wineboot", "-i"], env=self.env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # Runs a program to its end, its exit status and output (standard output in that encoding,
    # then error) through files: a wineserver the run starts would hold a pipe open, and the run
    # would last as long as it.
    def run(self, *args, encoding="utf-8"):
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            ended = subprocess.run(["wine", *args], env=self.env, stdout=out, stderr=err,
                                   timeout=TIMEOUT)
            out.seek(0)
            err.seek(0)
            return (ended.returncode, out.read().decode(encoding, errors="replace"),
                    err.read().decode(errors="replace"))

    def start(self, *args):  # a program that keeps running; nothing waits on its output
        return subprocess.Popen(["wine", *args], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def wait_idle(self):  # until every Windows process of the prefix has ended
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=TIMEOUT)

    # Each key from KEY down as `reg query /s` shows it, its values' data by name ("(Default)"
    # for the default value); empty when KEY is not there. One query a tree: each start of a Wine
    # program takes a second or two. A query that fails for another reason than a missing key is
    # asked once more, then reported.
    def reg_tree(self, key):
        for _ in range(2):
            status, shown, said = self.run("reg", "query", key, "/s")
            if status == 0 or "Unable to find" in said:
                break
        else:
            check(False, f"reg query {key}: status {status}: {said}")
        tree, current = {}, None
        for line in shown.splitlines() if status == 0 else ():
            if line.startswith("HKEY_"):
                current = tree.setdefault(line.replace("HKEY_CURRENT_USER", "HKCU", 1), {})
            elif current is not None and len(fields := line.strip().split("    ")) == 3:
                current[fields[0]] = fields[2]
        return tree

    def reg_value(self, key, name="(Default)"):
        return self.reg_tree(key).get(key, {}).get(name)

    def reg_add(self, key, name, data):
        status, *said = self.run("reg", "add", key, *(("/v", name) if name else ("/ve",)),
                                 "/d", data, "/f")
        check(status == 0, f"reg add {key}: {''.join(said)}")

    def unix_path(self, path):
        check(path[:3].upper() == "C:\\", f"not on drive C: {path}")
        return os.path.join(self.prefix, "drive_c", *path[3:].split("\\"))

    def window(self, title):
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                               env=self.env, capture_output=True, text=True, timeout=TIMEOUT)
        check(found.returncode == 0, f"no window {title}")
        return found.stdout.split()[0]

    def close(self, exe):
        status, *said = self.run("taskkill", "/im", exe)
        check(status == 0, f"taskkill {exe}: {''.join(said)}")

    # What the installation may change: the files on drive C: and the registry's two parts.
    def snapshot(self, work):
        drive_c = os.path.join(self.prefix, "drive_c")
        files = sorted(path for folder, subfolders, names in os.walk(drive_c)
                       for path in (os.path.relpath(os.path.join(folder, name), drive_c)
                                    for name in subfolders + names)
                       if not any(fnmatch.fnmatch(path, pattern) for pattern in IGNORED_FILES))
        shot = {"files on C:": files}
        for key in ("HKEY_CURRENT_USER", r"HKEY_LOCAL_MACHINE\Software"):
            exported = os.path.join(work, "export.reg")
            check(self.run("regedit", "/E", windows_path(exported), key)[0] == 0 and
                  os.path.exists(exported), f"regedit /E {key} failed")
            with open(exported, encoding="utf-16") as text:
                shot[key] = text.read().splitlines()
            os.remove(exported)  # so that the next export is seen to be written
        return shot


# The steps of the cases on one prefix: the folder of the registered installation, and the
# kestrel started from it.
class Session:
    def __init__(self, wine, build, samples, work, profile, linux_plover):
        self.wine, self.samples, self.work, self.profile = wine, samples, work, profile
        self.linux_plover = linux_plover
        with open(os.path.join(build, "CMakeCache.txt")) as cache:
            self.version = re.search(r"^CMAKE_PROJECT_VERSION:\w+=(.*)$", cache.read(), re.M)[1]
        self.setup = os.path.join(build, f"kestrel-plover-{self.version}-setup.exe")
        self.programs = os.path.join(build, "installer", "programs")
        self.reader = os.path.join(build, "tests", "message_box_reader.exe")
        self.installed = self.viewer = None

    def check_installed(self):
        wine, install = self.wine, self.installed
        folder = wine.unix_path(install)
        files = sorted(os.listdir(folder)) if os.path.isdir(folder) else None
        check(files == PROGRAM_FILES, f"{install} holds {files}")
        # Each type: its ProgID, which has a description, the program's icon and open command;
        # its thumbnail handler's class, served by the installed DLL.
        classes = wine.reg_tree(CLASSES)
        value = lambda key: classes.get(rf"{CLASSES}\{key}", {}).get("(Default)")
        for extension, progid, exe in FILE_TYPES:
            handler = value(rf"{extension}\{THUMBNAILS}")
            found = (value(extension), bool(value(progid)), value(rf"{progid}\DefaultIcon"),
                     value(rf"{progid}\shell\open\command"),
                     value(rf"CLSID\{handler}\InprocServer32"))
            expected = (progid, True, rf"{install}\{exe},0", rf'"{install}\{exe}" "%1"',
                        rf"{install}\kestrel-plover-thumbnails.dll")
            check(found == expected, f"{extension}: {found}, not {expected}")
        expected = {"DisplayName": "Kestrel and Plover", "DisplayVersion": self.version,
                    "InstallLocation": install,
                    "UninstallString": rf'"{install}\uninstall.exe" _?={install}',
                    "QuietUninstallString": rf'"{install}\uninstall.exe" /S _?={install}'}
        entry = wine.reg_tree(UNINSTALL_KEY).get(UNINSTALL_KEY, {})
        for name, data in expected.items():
            check(entry.get(name) == data, f"uninstall entry {name}: {entry.get(name)}, not {data}")

    # Where: None for the installer's own choice of folder. Refused: fails and leaves the
    # installation as it was. (A folder it made, or an earlier installation elsewhere left behind,
    # shows in the case's final comparison of the prefix.)
    def install(self, where=None, refused=False):
        earlier = self.installed
        folder = where or rf"{self.profile}\{DEFAULT_FOLDER}"
        status = self.wine.run(self.setup, "/S", *([f"/D={where}"] if where else []))[0]
        check((status != 0) == refused, f"installing into {folder}: exit status {status}")
        self.installed = earlier if refused else folder
        self.check_installed()

    # The installed programs on files in a folder whose name holds a blank, started as the
    # ProgIDs' open commands (checked above) start them. Kestrel on a file one byte short: its
    # message, read by message_box_reader.exe, in Polish, then in English after `reg add` of the
    # setting, with the path written with '/'; then its window. Plover from the Start menu. Plover
    # on a picture message, "=> LogoManager" clicked: the stand-in LogoManager gets exactly its
    # path, one blank and the file; the Linux plover, when given, the file through Wine.
    def use(self):
        wine, logos = self.wine, os.path.join(self.work, "my logos")
        os.makedirs(logos, exist_ok=True)
        with open(os.path.join(logos, "0_short.nsl"), "wb") as short:
            short.write(bytes(573))
        short = windows_path(short.name)
        for language, argument in (("pl", short), ("en", short.replace("\\", "/"))):
            if language == "en":
                wine.reg_add(rf"{SETTINGS}\IconJAR\Options", "Lang", "en")
            self.viewer = wine.start(rf"{self.installed}\kestrel.exe", argument)
            text = wine.run(self.reader, "Kestrel", encoding="utf-16-le")[1]
            check(text == SHORT_FILE[language], f"the message in {language}: {text!r}")
            wine.window("^Kestrel 1.0$")  # drawn, and reported, before it shows
            self.stop_kestrel()
        check(wine.run("reg", "delete", SETTINGS, "/f")[0] == 0, f"reg delete {SETTINGS} failed")
        shortcut = rf"{self.profile}\{START_MENU}\Plover.lnk"
        check(wine.run("start", shortcut)[0] == 0, f"start {shortcut} failed")
        wine.window("^Plover 1.0$")
        wine.close("plover.exe")
        wine.wait_idle()
        file = shutil.copy(os.path.join(self.samples, "picture_wave.nlm"), logos)
        self.export(("wine", rf"{self.installed}\plover.exe"), windows_path(file),
                    lambda line: line == LOGO_MANAGER + " " + windows_path(file))
        if self.linux_plover:
            self.export((self.linux_plover,), file, lambda line: windows_path(file) in line)

    # Plover on the file, "=> LogoManager" clicked: the stand-in's command line, written to
    # record.txt beside it, must be as `expected` says, and plover end (its timer's closing is the
    # window layer's test).
    def export(self, plover, file, expected):
        record = os.path.join(os.path.dirname(self.wine.unix_path(LOGO_MANAGER)), "record.txt")
        viewer = subprocess.Popen([*plover, file], env=self.wine.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        subprocess.run(["xdotool", "mousemove", "--window", self.wine.window("^Plover 1.0$"),
                        *EXPORT_BUTTON, "click", "1"], env=self.wine.env, check=True, timeout=60)
        deadline = time.monotonic() + 60
        while not os.path.exists(record) and time.monotonic() < deadline:
            time.sleep(0.1)
        check(os.path.exists(record), f"{plover[-1]} does not start LogoManager")
        viewer.wait(timeout=30)  # the process ends, not only its window
        self.wine.wait_idle()  # and LogoManager's
        with open(record, encoding="utf-16-le") as text:
            command_line = text.read()
        os.remove(record)
        check(expected(command_line), f"{plover[-1]} gives LogoManager {command_line!r}")

    # The uninstaller as Windows' list of apps starts it, while kestrel runs: it asks to close
    # kestrel, naming it and its folder. Kestrel is closed and the box answered by the reader (OK,
    # not Cancel: Retry); the uninstaller goes on to its own window, closed to keep the install.
    def asked_uninstall(self):
        command = self.wine.reg_value(UNINSTALL_KEY, "UninstallString")
        uninstaller = self.wine.start(*command_words(command))
        self.wine.window(f"^{UNINSTALLER}")
        self.stop_kestrel()
        status, asked, _ = self.wine.run(self.reader, UNINSTALLER, encoding="utf-16-le")
        question = " ".join(asked.split())
        check(status == 0 and f"kestrel.exe is running from {self.installed}" in question,
              f"{command} while kestrel runs asks: {question!r}")
        check(uninstaller.wait(timeout=TIMEOUT) == 0,
              f"{command}: exit status {uninstaller.returncode} after kestrel was closed")
        self.wine.window(f"^{UNINSTALLER}")
        self.wine.close("Un.exe")
        self.wine.wait_idle()
        self.check_installed()

    def start_kestrel(self):
        self.viewer = self.wine.start(rf"{self.installed}\kestrel.exe")
        self.wine.window("^Kestrel 1.0$")

    def stop_kestrel(self):
        self.wine.close("kestrel.exe")
        self.viewer.wait(timeout=TIMEOUT)

    # As Windows runs it, from the entry's QuietUninstallString. Refused: fails, changes nothing.
    def uninstall(self, refused=False):
        command = self.wine.reg_value(UNINSTALL_KEY, "QuietUninstallString")
        status = self.wine.run(*command_words(command))[0]
        check((status != 0) == refused, f"{command}: exit status {status}")
        if refused:
            self.check_installed()
        else:
            self.wine.wait_idle()  # the uninstaller's copy in the temporary folder does the work
            self.installed = None


# Each case starts from the prefix as it was before any installation, and its last uninstall
# must leave it so. A step is a Session method and its arguments as WORDS gives them.
CASES = (
    "install, install, use, uninstall",  # twice into one folder
    "install, install ELSEWHERE, start_kestrel, uninstall refused, stop_kestrel, uninstall",
    # Retry once kestrel is closed
    "install, start_kestrel, install ELSEWHERE refused, asked_uninstall, uninstall",
)
WORDS = {"ELSEWHERE": ELSEWHERE, "refused": True}


def run_cases(wine, build, samples, work, linux_plover):
    # .nlm already belongs to another program, which must get it back at the uninstall.
    wine.reg_add(rf"{CLASSES}\.nlm", None, OTHER_PROGID)
    wine.reg_add(rf"{CLASSES}\.nlm", "Content Type", "application/x-other-viewer")
    wine.reg_add(rf"{CLASSES}\{OTHER_PROGID}\shell\open\command", None, r'"C:\other.exe" "%1"')
    # LogoManager: the stand-in, registered in App Paths.
    os.makedirs(os.path.dirname(wine.unix_path(LOGO_MANAGER)))
    shutil.copy(os.path.join(build, "tests", "logomanager_stand_in.exe"),
                wine.unix_path(LOGO_MANAGER))
    wine.reg_add(APP_PATHS, None, LOGO_MANAGER)
    wine.wait_idle()  # system.reg written, for the Linux plover
    os.makedirs(os.path.dirname(wine.unix_path(ELSEWHERE)))  # exists, empty, before any install
    users = [name for name in os.listdir(os.path.join(wine.prefix, "drive_c", "users"))
             if name != "Public"]
    check(len(users) == 1, f"users in the prefix: {users}")
    session = Session(wine, build, samples, work, rf"C:\users\{users[0]}", linux_plover)
    check_zip(os.path.join(build, f"kestrel-plover-{session.version}-windows.zip"),
              session.programs, session.version)
    before = wine.snapshot(work)
    for name in CASES:
        print(f"-- {name}")
        for step in name.split(", "):
            method, *words = step.split()
            getattr(session, method)(*(WORDS[word] for word in words))
        after = wine.snapshot(work)
        for part in before:
            sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                before[part], after[part], "before", "after", lineterm="", n=1))
        check(before == after, f"{name}: the prefix is not as it was before the installation")


def main():
    need("Xvfb", "xdotool", "wine", "wineserver", "wineboot")
    build, samples, *linux_plover = (os.path.abspath(path) for path in sys.argv[1:4])
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-wine-")
    try:
        run_cases(Wine(work, display), build, samples, work, (linux_plover or [None])[0])
        print("installer under Wine: passed")
        return 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        return 1
    finally:
        end_wine_run(server, work)


if __name__ == "__main__":
    sys.exit(main())
