#!/usr/bin/env python3
"""Start-up, size and memory of the Windows programs under Wine, in a fresh Xvfb.

usage: wine_startup.py BUILD_WINDOWS_BENCH SAMPLES_DIR [BASELINE_BUILD]

- start-up: bench/startup_launcher.cpp, under Wine, starts kestrel.exe and plover.exe on a start
  file, a bare Win32 window of the same client size and that window with kestrel's native
  controls (bench/bare_window.cpp built with KP_WITH_CONTROLS) alternately, RUNS times each, and
  times each to its window shown and painted: from CreateProcess (wall) and from the process's
  own creation time (in-process); medians and their ratios to the bare window's and to the one
  with the controls; with a baseline build (another build of the programs, e.g. of an earlier
  commit), its programs in the same turns;
- size: each program's .exe as built;
- memory: each program's private memory (Private_Clean + Private_Dirty of its process) once its
  window shows a logo.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from viewer_under_xvfb import start_xvfb, windows_path  # noqa: E402

RUNS = int(os.environ.get("KP_STARTUP_RUNS", 30))


def startup_table(build, samples, baseline, env):
    def path(*parts):
        return windows_path(os.path.join(*parts))

    programs = []
    for tree, suffix in ((build, ""), (baseline, " (baseline)")) if baseline else ((build, ""),):
        for program, sample in (("kestrel", "kestrel_bird.nsl"), ("plover", "picture_wave.nlm")):
            programs.append((f"{program}.exe{suffix}",
                             f'"{path(tree, "apps", program, program + ".exe")}" '
                             f'"{path(samples, sample)}"'))
    programs.append(("bare window", f'"{path(build, "bench", "bare_window.exe")}"'))
    programs.append(("same controls", f'"{path(build, "bench", "controls_window.exe")}"'))
    launcher = ["wine", os.path.join(build, "bench", "startup_launcher.exe")]
    arguments = [part for program in programs for part in program]
    subprocess.run(launcher + ["3"] + arguments, env=env, check=True, timeout=600,
                   stdout=subprocess.DEVNULL)  # warms the caches
    lines = subprocess.run(launcher + [str(RUNS)] + arguments, env=env, check=True,
                           timeout=60 * RUNS, capture_output=True, text=True).stdout.splitlines()
    runs = {name: [] for name, _ in programs}
    for line in lines:
        name, wall, own, idle, painted_at_idle = line.rsplit(" ", 4)
        runs[name].append((float(wall), float(own), float(idle), int(painted_at_idle)))
    medians = {name: [statistics.median(run[i] for run in values) for i in range(3)]
               for name, values in runs.items()}
    bare_wall, bare_own, _ = medians["bare window"]
    floor_wall, floor_own, _ = medians["same controls"]
    print(f"| Start-up under Wine and Xvfb, median of {RUNS} | wall | ratio | in-process | ratio "
          "| ratios to the same controls | input idle | painted at idle |")
    print("|---|---|---|---|---|---|---|---|")
    for name, (wall, own, idle) in medians.items():
        painted = sum(run[3] for run in runs[name])
        print(f"| {name} | {wall:.1f} ms | {wall / bare_wall:.2f} | {own:.1f} ms | "
              f"{own / bare_own:.2f} | {wall / floor_wall:.2f} / {own / floor_own:.2f} | "
              f"{idle:.1f} ms | {painted} of {len(runs[name])} |")


def private_memory_kib(program):
    for pid in os.listdir("/proc"):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                if os.path.basename(program).encode() not in cmdline.read():
                    continue
            with open(f"/proc/{pid}/smaps_rollup") as rollup:
                fields = dict(line.split(":", 1) for line in rollup if ":" in line)
            return sum(int(fields[k].split()[0]) for k in ("Private_Clean", "Private_Dirty"))
        except (OSError, KeyError, ValueError):
            continue
    return None


def main():
    build, samples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    baseline = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-wine-bench-")
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=os.path.join(work, "prefix"),
               WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    keeper = None
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        keeper = subprocess.Popen(["wineserver", "-f", "-p"], env=env)
        startup_table(build, samples, baseline, env)
        print("\n| Program | .exe | stripped | private memory showing a logo |")
        print("|---|---|---|---|")
        for program, sample in (("kestrel", "kestrel_bird.nsl"), ("plover", "picture_wave.nlm")):
            exe = os.path.join(build, "apps", program, program + ".exe")
            stripped = os.path.join(work, program + ".exe")
            shutil.copy(exe, stripped)
            subprocess.run(["x86_64-w64-mingw32-strip", stripped], check=True)
            viewer = subprocess.Popen(["wine", exe, "Z:" + os.path.join(samples, sample)
                                       .replace("/", "\\")], env=env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            "^" + program.capitalize() + " 1.0$"], env=env, check=True,
                           stdout=subprocess.DEVNULL, timeout=60)
            time.sleep(1)
            memory = private_memory_kib(exe)
            viewer.kill()
            viewer.wait()
            print(f"| {program}.exe | {os.path.getsize(exe) / 2**20:.2f} MiB | "
                  f"{os.path.getsize(stripped) / 2**20:.2f} MiB | "
                  f"{memory / 1024:.1f} MiB |" if memory else "| not found |")
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        if keeper:
            keeper.wait()
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
