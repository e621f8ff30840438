#!/usr/bin/env python3
"""Runs every benchmark of bench/ and prints the figures with their ratios, as a Markdown table.

usage: report.py BUILD_DIR SAMPLES_DIR

- decode_bench: the core's load of one file against the floor (clear the big screen, write its
  4032 cells), as ratios to that floor;
- window_bench: loads through the real windows (offscreen), Next and Previous in big folders,
  opening big folders;
- start-up: kestrel with a start file, against a bare Qt window of the same size, both started
  alike in a fresh Xvfb, alternately, RUNS times each: wall time to the first paint and out, and
  peak memory, with medians and ratios.
"""

import json
import os
import platform
import statistics
import subprocess
import sys
import time

RUNS = 25


def google_benchmark(binary, extra=()):
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", *extra],
                         check=True, capture_output=True, text=True).stdout
    medians = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[b["time_unit"]]
            medians[b["run_name"]] = b["real_time"] * scale  # microseconds
    return medians


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1024x768x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        return server, ":" + display.readline().strip()


def run_once(command, env, cwd):
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        raise RuntimeError(f"{command[0]} ended with status {status}")
    return elapsed * 1e3, usage.ru_maxrss / 1024  # ms, MiB


def startup(build, samples):
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    kestrel = [os.path.join(build, "bench", "kestrel_startup_probe"), "kestrel_bird.nsl"]
    bare = [os.path.join(build, "bench", "bare_window_probe")]
    times = {"kestrel": [], "bare": []}
    memory = {"kestrel": [], "bare": []}
    try:
        for _ in range(3):  # warm the caches
            run_once(kestrel, env, samples)
            run_once(bare, env, samples)
        for _ in range(RUNS):
            for name, command in (("kestrel", kestrel), ("bare", bare)):
                elapsed, peak = run_once(command, env, samples)
                times[name].append(elapsed)
                memory[name].append(peak)
    finally:
        server.terminate()
        server.wait()
    return ({k: statistics.median(v) for k, v in times.items()},
            {k: statistics.median(v) for k, v in memory.items()})


def main():
    build, samples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    print(f"Machine: {platform.machine()}, {os.cpu_count()} cores, "
          f"{platform.platform()}; medians of 5 repetitions, start-up of {RUNS} runs.\n")

    decode = google_benchmark(os.path.join(build, "bench", "decode_bench"))
    floor = decode["Floor"]
    print("| Load of one file, page cache to finished canvas | time | ratio to the floor |")
    print("|---|---|---|")
    for name, value in decode.items():
        print(f"| {name} | {value:.1f} µs | {value / floor:.2f} |")

    window = google_benchmark(os.path.join(build, "bench", "window_bench"))
    print("\n| Through the window (offscreen), click to painted picture | time |")
    print("|---|---|")
    for name, value in window.items():
        shown = f"{value / 1e3:.1f} ms" if value >= 1e4 else f"{value:.0f} µs"
        print(f"| {name} | {shown} |")

    times, memory = startup(build, samples)
    print("\n| Start-up under Xvfb | to first paint | ratio | peak memory | ratio |")
    print("|---|---|---|---|---|")
    for name in ("kestrel", "bare"):
        print(f"| {name} | {times[name]:.1f} ms | {times[name] / times['bare']:.2f} | "
              f"{memory[name]:.1f} MiB | {memory[name] / memory['bare']:.2f} |")


if __name__ == "__main__":
    main()
