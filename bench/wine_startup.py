#!/usr/bin/env python3
"""Start-up, size and memory of the Windows programs under Wine, in a fresh Xvfb.

usage: wine_startup.py BUILD_WINDOWS_BENCH SAMPLES_DIR

- start-up: kestrel_startup_probe.exe on a start file against bare_window_probe.exe (a bare
  Win32 window of the same client size), both started alike with `wine` while one wineserver
  stays up, alternately, RUNS times each: wall time to the painted window and out; medians and
  their ratio;
- size: each program's .exe as built and stripped;
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
from viewer_under_xvfb import start_xvfb  # noqa: E402

RUNS = 25


def timed(command, env):
    start = time.perf_counter()
    subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=120)
    return (time.perf_counter() - start) * 1e3


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
    server, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="kp-wine-bench-")
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=os.path.join(work, "prefix"),
               WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    keeper = None
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        keeper = subprocess.Popen(["wineserver", "-f", "-p"], env=env)
        logo = "Z:" + os.path.join(samples, "kestrel_bird.nsl").replace("/", "\\")
        probes = {"kestrel.exe": ["wine", os.path.join(build, "bench", "kestrel_startup_probe.exe"),
                                  logo],
                  "bare window": ["wine", os.path.join(build, "bench", "bare_window_probe.exe")]}
        times = {name: [] for name in probes}
        for _ in range(3):  # warm the caches
            for command in probes.values():
                timed(command, env)
        for _ in range(RUNS):
            for name, command in probes.items():
                times[name].append(timed(command, env))
        medians = {name: statistics.median(values) for name, values in times.items()}
        print(f"| Start-up under Wine and Xvfb, median of {RUNS} | to painted window | ratio |")
        print("|---|---|---|")
        for name, value in medians.items():
            print(f"| {name} | {value:.0f} ms | {value / medians['bare window']:.2f} |")

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
