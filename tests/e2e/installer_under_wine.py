#!/usr/bin/env python3
"""End-to-end check of the Windows installer and zip under the real Wine.

First the zip: exactly the two programs the installer packs and the readme naming this
version, with fixed time stamps. Then a table of cases, one after another in a fresh Wine prefix
under Xvfb where `.nlm` already belongs to another program and an empty folder `C:\\Tools`
exists. Each case installs silently, into the default folder or `C:\\Tools\\KestrelPlover`;
after each installation the programs, the Start menu entries, the file types and the uninstall
entry must be in place, and nothing be left of an installation in another folder before it. In
the first case kestrel is started the way Explorer opens a `.nsl` file (the `.nsl` type's ProgID,
its `shell\\open\\command` with "%1" replaced by the file) and must show the file's dots, and
plover is started from its Start menu entry. While kestrel runs, the silent uninstaller and an
installation into another folder must fail with a non-zero exit status and leave the
installation as it was, and the uninstaller started from the entry's UninstallString must ask
to close kestrel (the box read by the build's tests/message_box_reader.exe) and go on after
Retry. The uninstaller runs as Windows runs it, from the uninstall entry's
QuietUninstallString, and after each case's last uninstall the prefix must be as it was before:
the file listing of drive C: and the registry exports of HKEY_CURRENT_USER and
HKEY_LOCAL_MACHINE\\Software compare equal, `.nlm` given back to the other program, `C:\\Tools`
still there.

The file listing holds names, not contents. It ignores one thing: `Temp\\~nsu*.tmp\\Un.exe` in
the user's profile, because an NSIS uninstaller copies itself there and runs from the copy so
that it can delete its own folder, and a running program cannot delete itself: the copy stays
behind in the temporary folder. Nothing in the registry exports is ignored: Wine itself changes
nothing there while the test runs.

Wine 8 does not look in HKEY_CURRENT_USER\\Software\\Classes when it opens a file (`wine start`
says no program is configured), so the test follows the association itself rather than asking
Wine's shell to. Winemenubuilder is switched off: it would mirror the shortcuts and file types
into the Linux desktop outside the prefix. Exits 77 (skipped) when a tool is missing.

usage: installer_under_wine.py BUILD_WINDOWS_DIR SAMPLES_DIR
"""

import collections
import difflib
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
from viewer_under_xvfb import need, read_art, start_xvfb, wait_for_picture  # noqa: E402

TIMEOUT = 120
CLASSES = r"HKCU\Software\Classes"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestrelPlover"
START_MENU = r"AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Kestrel and Plover"
# (extension, our ProgID, the program that opens it)
FILE_TYPES = ((".nsl", "KestrelPlover.nsl", "kestrel.exe"),
              (".nlm", "KestrelPlover.nlm", "plover.exe"))
OTHER_PROGID = "OtherViewer.nlm"
PROGRAM_FILES = ("kestrel.exe", "plover.exe", "uninstall.exe")
DEFAULT_FOLDER = r"AppData\Local\Programs\Kestrel and Plover"  # in the user's profile
DEFAULT = None  # the installer's own choice of folder
ELSEWHERE = r"C:\Tools\KestrelPlover"
UNINSTALLER = "Kestrel and Plover Uninstall"  # its message boxes' title; its window's begins so
IGNORED_FILES = ("users/*/Temp/~nsu*.tmp", "users/*/Temp/~nsu*.tmp/Un.exe")


# What the build made: the installer, the programs it packs, and the test's reader of message
# boxes (tests/e2e/message_box_reader.cpp).
Package = collections.namedtuple("Package", "version setup programs reader")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def project_version(build):
    with open(os.path.join(build, "CMakeCache.txt")) as cache:
        for line in cache:
            if line.startswith("CMAKE_PROJECT_VERSION:"):
                return line.split("=", 1)[1].strip()
    raise Failure("no CMAKE_PROJECT_VERSION in the build's CMakeCache.txt")


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def check_zip(archive, programs, version):
    with zipfile.ZipFile(archive) as package:
        entries = package.infolist()
        names = [entry.filename for entry in entries]
        check(names == ["README.txt", "kestrel.exe", "plover.exe"], f"{archive} holds {names}")
        for entry in entries:
            check(entry.date_time == (1980, 1, 1, 0, 0, 0), f"{entry.filename}: {entry.date_time}")
        for program in ("kestrel.exe", "plover.exe"):
            check(package.read(program) == read_bytes(os.path.join(programs, program)),
                  f"{program} in the zip is not the packaged program")
        readme = package.read("README.txt").decode("utf-8")
        check(f"kestrel-plover-{version}-setup.exe" in readme,
              f"README.txt does not name this version's installer:\n{readme}")
    print(f"zip: {', '.join(names)}, fixed time stamps, the packaged programs")


class Wine:
    def __init__(self, prefix, display, home):
        self.prefix = prefix
        # In English whatever the host's locale: the uninstaller's windows are found by title.
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", DISPLAY=display,
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                        HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home,
                        LC_ALL="C.UTF-8")

    def run(self, *args, timeout=TIMEOUT):
        """Runs a program to its end. Its output goes through files, not pipes: a wineserver
        that the run starts would hold a pipe open, and the run would last as long as it."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            ended = subprocess.run(["wine", *args], env=self.env, stdout=out, stderr=err,
                                   timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(ended.args, ended.returncode,
                                               out.read().decode(errors="replace"),
                                               err.read().decode(errors="replace"))

    def start(self, *args):
        """Starts a program that keeps running; its output is not kept, so nothing waits on it."""
        return subprocess.Popen(["wine", *args], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def wait_idle(self):
        """Until every Windows process of the prefix has ended."""
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=TIMEOUT)

    def reg_tree(self, key):
        """Each key from KEY down, as `reg query /s` shows it, with its values' data by name
        ("(Default)" for the default value); empty when KEY is not there. One query a tree:
        each start of a Wine program takes a second or two."""
        shown = self.run("reg", "query", key, "/s")
        tree, current = {}, None
        for line in shown.stdout.splitlines() if shown.returncode == 0 else ():
            if line.startswith("HKEY_"):
                current = tree.setdefault(line.replace("HKEY_CURRENT_USER", "HKCU", 1), {})
            elif current is not None and len(fields := line.strip().split("    ")) == 3:
                current[fields[0]] = fields[2]
        return tree

    def reg_value(self, key, name="(Default)"):
        return self.reg_tree(key).get(key, {}).get(name)

    def reg_add(self, key, name, data):
        where = ("/v", name) if name else ("/ve",)
        added = self.run("reg", "add", key, *where, "/d", data, "/f")
        check(added.returncode == 0, f"reg add {key}: {added.stderr}")

    def export(self, key, path):
        exported = self.run("regedit", "/E", windows_path(path), key)
        check(exported.returncode == 0 and os.path.exists(path), f"regedit /E {key} failed")
        with open(path, encoding="utf-16") as text:
            return text.read().splitlines()

    def unix_path(self, path):
        check(path[:3].upper() == "C:\\", f"not on drive C: {path}")
        return os.path.join(self.prefix, "drive_c", *path[3:].split("\\"))


def windows_path(path):
    return "Z:" + os.path.realpath(path).replace("/", "\\")


def listing(drive_c):
    found = []
    for folder, subfolders, files in os.walk(drive_c):
        for name in subfolders + files:
            path = os.path.relpath(os.path.join(folder, name), drive_c)
            if not any(fnmatch.fnmatch(path, pattern) for pattern in IGNORED_FILES):
                found.append(path)
    return sorted(found)


def command_words(command):
    """A command line split as Windows splits quoted words without escapes."""
    return [quoted or bare for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', command)]


def wait_for_window(title, env):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           env=env, capture_output=True, text=True, timeout=TIMEOUT)
    check(found.returncode == 0, f"no window {title}")
    return found.stdout.split()[0]


def close_program(wine, exe):
    closed = wine.run("taskkill", "/im", exe)
    check(closed.returncode == 0, f"taskkill {exe}: {closed.stdout}{closed.stderr}")


def same_or_diff(label, before, after):
    if before != after:
        print(f"{label} differs from before the installation:")
        sys.stdout.writelines(line + "\n" for line in
                              difflib.unified_diff(before, after, "before", "after", lineterm="",
                                                   n=1))
        return False
    print(f"{label}: as before the installation")
    return True


def check_installed(wine, install, programs, version):
    folder = wine.unix_path(install)
    check(os.path.isdir(folder), f"nothing installed in {install}")
    check(sorted(os.listdir(folder)) == list(PROGRAM_FILES),
          f"{install} holds {sorted(os.listdir(folder))}")
    for program in ("kestrel.exe", "plover.exe"):
        installed = read_bytes(os.path.join(folder, program))
        check(installed == read_bytes(os.path.join(programs, program)),
              f"the installed {program} is not the packaged one")
    print(f"files: kestrel.exe, plover.exe and uninstall.exe in {install}")

    for extension, progid, exe in FILE_TYPES:
        owner = wine.reg_value(rf"{CLASSES}\{extension}")
        check(owner == progid, f"{extension} belongs to {owner}, expected {progid}")
        keys = wine.reg_tree(rf"{CLASSES}\{progid}")
        check(keys.get(rf"{CLASSES}\{progid}", {}).get("(Default)"), f"{progid} has no description")
        icon = keys.get(rf"{CLASSES}\{progid}\DefaultIcon", {}).get("(Default)")
        check(icon == rf"{install}\{exe},0", f"{progid} icon: {icon}")
        command = keys.get(rf"{CLASSES}\{progid}\shell\open\command", {}).get("(Default)")
        check(command == rf'"{install}\{exe}" "%1"', f"{progid} open command: {command}")
        print(f"{extension}: {progid}, icon {icon}, open command {command}")

    expected = {"DisplayName": "Kestrel and Plover", "DisplayVersion": version,
                "InstallLocation": install,
                "UninstallString": rf'"{install}\uninstall.exe" _?={install}',
                "QuietUninstallString": rf'"{install}\uninstall.exe" /S _?={install}'}
    entry = wine.reg_tree(UNINSTALL_KEY).get(UNINSTALL_KEY, {})
    for name, data in expected.items():
        check(entry.get(name) == data,
              f"uninstall entry {name}: {entry.get(name)}, expected {data}")
    print("uninstall entry:", ", ".join(f"{name}={data}" for name, data in expected.items()))


def open_like_explorer(wine, logo, samples):
    """Starts whatever the .nsl type's open command names, on LOGO; it must show LOGO's dots."""
    progid = wine.reg_value(rf"{CLASSES}\.nsl")
    command = wine.reg_value(rf"{CLASSES}\{progid}\shell\open\command")
    words = [windows_path(logo) if word == "%1" else word for word in command_words(command)]
    viewer = wine.start(*words)
    try:
        window = wait_for_window("^Kestrel 1.0$", wine.env)
        art = read_art(os.path.join(samples, "art", "kestrel_bird.txt"))
        shown, dots = wait_for_picture(window, wine.env, art, (84, 48), False)
        check(shown, "kestrel, opened through the .nsl type, does not show the file:\n" +
              "\n".join(dots))
        print(f"opened through .nsl: kestrel shows every dot of {windows_path(logo)}")
        close_program(wine, "kestrel.exe")
        viewer.wait(timeout=TIMEOUT)
    finally:
        if viewer.poll() is None:
            viewer.kill()


def start_from_menu(wine, profile):
    shortcut = rf"{profile}\{START_MENU}\Plover.lnk"
    started = wine.start("start", shortcut)
    check(started.wait(timeout=TIMEOUT) == 0,
          f"wine start {shortcut}: exit status {started.returncode}")
    wait_for_window("^Plover 1.0$", wine.env)
    print(f"Start menu: {shortcut} opens plover")
    close_program(wine, "plover.exe")


def snapshot(wine, work, when):
    """What the installation may change: the files on drive C: and the registry's two parts."""
    return {"files on C:": listing(os.path.join(wine.prefix, "drive_c")),
            "HKEY_CURRENT_USER": wine.export("HKEY_CURRENT_USER",
                                             os.path.join(work, f"hkcu-{when}.reg")),
            r"HKEY_LOCAL_MACHINE\Software": wine.export(r"HKEY_LOCAL_MACHINE\Software",
                                                        os.path.join(work, f"hklm-{when}.reg"))}


class Session:
    """The steps of the cases, on one prefix: which folder holds the registered installation,
    and the kestrel started from it."""

    def __init__(self, wine, package, samples, work, profile):
        self.wine, self.package, self.samples, self.work = wine, package, samples, work
        self.profile = profile
        self.installed = None
        self.viewer = None

    def folder(self, where):
        return where or rf"{self.profile}\{DEFAULT_FOLDER}"

    def run_setup(self, where):
        return self.wine.run(self.package.setup, "/S", *([f"/D={where}"] if where else []))

    def run_uninstaller(self):
        """The uninstaller run as Windows runs it, from the entry's QuietUninstallString."""
        command = self.wine.reg_value(UNINSTALL_KEY, "QuietUninstallString")
        return command, self.wine.run(*command_words(command))

    def install(self, where):
        folder = self.folder(where)
        installed = self.run_setup(where)
        check(installed.returncode == 0, f"the installer's exit status: {installed.returncode}")
        check_installed(self.wine, folder, self.package.programs, self.package.version)
        if self.installed not in (None, folder):
            earlier = self.wine.unix_path(self.installed)
            left = sorted(set(os.listdir(earlier)) & set(PROGRAM_FILES)) \
                if os.path.isdir(earlier) else []
            check(not left, f"the installation in {self.installed} is left behind: {left}")
            print(f"the installation in {self.installed} is gone")
        self.installed = folder

    def refused_install(self, where):
        folder = self.folder(where)
        installed = self.run_setup(where)
        check(installed.returncode != 0, f"installed into {folder} while kestrel runs from "
              f"{self.installed}, exit status 0")
        check(not os.path.exists(self.wine.unix_path(folder)), f"{folder} was made")
        print(f"install into {folder} refused, exit status {installed.returncode}")
        check_installed(self.wine, self.installed, self.package.programs, self.package.version)

    def use(self):
        logos = os.path.join(self.work, "my logos")
        os.makedirs(logos, exist_ok=True)
        logo = shutil.copy(os.path.join(self.samples, "kestrel_bird.nsl"), logos)
        open_like_explorer(self.wine, logo, self.samples)
        start_from_menu(self.wine, self.profile)
        self.wine.wait_idle()

    def asked_uninstall(self):
        """The uninstaller as Windows' list of apps starts it, while kestrel runs: it must ask to
        close kestrel, naming it and its folder. Kestrel is closed, and the box answered by the
        reader (OK, which is not Cancel, so Retry); the uninstaller must then go on to its own
        window, which is closed, so that the installation stays whole."""
        command = self.wine.reg_value(UNINSTALL_KEY, "UninstallString")
        uninstaller = self.wine.start(*command_words(command))
        wait_for_window(f"^{UNINSTALLER}", self.wine.env)
        self.stop_kestrel()
        asked = self.wine.run(self.package.reader, UNINSTALLER)
        check(asked.returncode == 0, f"{command} while kestrel runs asks nothing")
        question = " ".join(asked.stdout.split())
        check(f"kestrel.exe is running from {self.installed}" in question,
              f"{command} while kestrel runs asks: {question}")
        print(f"{command} while kestrel runs asks: {question}")
        check(uninstaller.wait(timeout=TIMEOUT) == 0, f"{command}: exit status "
              f"{uninstaller.returncode} after kestrel was closed")
        wait_for_window(f"^{UNINSTALLER}", self.wine.env)
        close_program(self.wine, "Un.exe")
        self.wine.wait_idle()
        print("after Retry the uninstaller goes on; closed at its first page")
        check_installed(self.wine, self.installed, self.package.programs, self.package.version)

    def start_kestrel(self):
        self.viewer = self.wine.start(rf"{self.installed}\kestrel.exe")
        wait_for_window("^Kestrel 1.0$", self.wine.env)
        print(f"kestrel runs from {self.installed}")

    def stop_kestrel(self):
        close_program(self.wine, "kestrel.exe")
        self.viewer.wait(timeout=TIMEOUT)

    def uninstall(self):
        command, uninstalled = self.run_uninstaller()
        check(uninstalled.returncode == 0, f"{command}: exit status {uninstalled.returncode}")
        self.wine.wait_idle()  # the uninstaller's copy in the temporary folder does the work
        print(f"uninstalled with {command}")
        self.installed = None

    def refused_uninstall(self):
        command, uninstalled = self.run_uninstaller()
        check(uninstalled.returncode != 0, f"{command} while kestrel runs: exit status 0")
        print(f"{command} refused while kestrel runs, exit status {uninstalled.returncode}")
        check_installed(self.wine, self.installed, self.package.programs, self.package.version)


# (name, steps): each case starts from the prefix as it was before any installation, and its
# last uninstall must leave it so. A step is a Session method and its arguments.
CASES = (
    ("install, use and uninstall",
     ((Session.install, DEFAULT), (Session.use,), (Session.uninstall,))),
    ("install twice into one folder, uninstall",
     ((Session.install, DEFAULT), (Session.install, DEFAULT), (Session.uninstall,))),
    ("install again elsewhere, uninstall",
     ((Session.install, DEFAULT), (Session.install, ELSEWHERE), (Session.uninstall,))),
    ("uninstall while kestrel runs",
     ((Session.install, ELSEWHERE), (Session.start_kestrel,), (Session.refused_uninstall,),
      (Session.stop_kestrel,), (Session.uninstall,))),
    ("uninstall from its window while kestrel runs",
     ((Session.install, DEFAULT), (Session.start_kestrel,), (Session.asked_uninstall,),
      (Session.uninstall,))),
    ("install elsewhere while kestrel runs",
     ((Session.install, DEFAULT), (Session.start_kestrel,), (Session.refused_install, ELSEWHERE),
      (Session.stop_kestrel,), (Session.uninstall,))),
)


def run_cases(wine, package, samples, work):
    subprocess.run(["wineboot", "-i"], env=wine.env, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # .nlm already belongs to another program, which must get it back at the uninstall.
    wine.reg_add(rf"{CLASSES}\.nlm", None, OTHER_PROGID)
    wine.reg_add(rf"{CLASSES}\.nlm", "Content Type", "application/x-other-viewer")
    wine.reg_add(rf"{CLASSES}\{OTHER_PROGID}\shell\open\command", None, r'"C:\other.exe" "%1"')
    wine.wait_idle()
    # The folder that ELSEWHERE is in exists, empty, before any installation.
    os.makedirs(os.path.dirname(wine.unix_path(ELSEWHERE)))
    drive_c = os.path.join(wine.prefix, "drive_c")
    users = [name for name in os.listdir(os.path.join(drive_c, "users")) if name != "Public"]
    check(len(users) == 1, f"users in the prefix: {users}")
    session = Session(wine, package, samples, work, rf"C:\users\{users[0]}")
    before = snapshot(wine, work, "before")
    for name, steps in CASES:
        print(f"-- {name}")
        for method, *arguments in steps:
            method(session, *arguments)
        after = snapshot(wine, work, "after")
        results = [same_or_diff(label, before[label], after[label]) for label in before]
        check(all(results), f"{name}: the prefix is not as it was before the installation")


def main():
    need("Xvfb", "xdotool", "import", "wine", "wineserver", "wineboot")
    build, samples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    version = project_version(build)
    package = Package(version, os.path.join(build, f"kestrel-plover-{version}-setup.exe"),
                      os.path.join(build, "installer", "programs"),
                      os.path.join(build, "tests", "message_box_reader.exe"))
    archive = os.path.join(build, f"kestrel-plover-{version}-windows.zip")
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-installer-")
    wine = Wine(os.path.join(work, "prefix"), display, work)
    started = time.monotonic()
    try:
        check_zip(archive, package.programs, version)
        run_cases(wine, package, samples, work)
        print(f"installer under Wine: passed in {time.monotonic() - started:.0f} s")
        return 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure)
        return 1
    finally:
        subprocess.run(["wineserver", "-k"], env=wine.env, stderr=subprocess.DEVNULL)
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
