#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs every figure beside its floor and prints one table of medians and their ratios.

Usage: report.py BUILD_DIR   (a Release build with -DZF_BUILD_BENCHMARKS=ON)
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

REPETITIONS = 10  # of each benchmark, interleaved at random with the others
MIN_TIME = 0.1  # [s] of timed work per repetition, for figures that do not set their iterations
STARTUP_RUNS = 30  # of each start-up probe, the program's and the bare one taking turns

# (what is measured, figure, floor, scale factors, target ratio)
FIGURES = [
    ("List1 Click: 1501 points, 8 captions", "handler/List1Click", "floor/List1Click", [1], 1.3),
    ("Weiter press 5: 502 points", "handler/Weiter/5", "floor/Weiter/5", [1], 1.3),
    ("Weiter press 6: 502 points", "handler/Weiter/6", "floor/Weiter/6", [1], 1.3),
    ("Weiter press 7: 502 points", "handler/Weiter/7", "floor/Weiter/7", [1], 1.3),
    ("repaint after List1 Click", "repaint/List1Click", "floor/repaint/Form1", [1, 2], 1.5),
    ("repaint after Weiter press 5", "repaint/Weiter/5", "floor/repaint/Form1", [1, 2], 1.5),
    ("repaint after Weiter press 6", "repaint/Weiter/6", "floor/repaint/Form1", [1, 2], 1.5),
    ("repaint after Weiter press 7", "repaint/Weiter/7", "floor/repaint/Form1", [1, 2], 1.5),
    ("Start again: 50005 points, legend", "handler/Start", "floor/Start", [1], 1.3),
    ("first Start: the same, points made", "handler/FirstStart", "floor/Start", [1], 1.3),
    ("repaint after Start", "repaint/Start", "floor/repaint/Form2", [1, 2], 1.5),
    ("whole Form1 with widgets, render()", "render/Form1", "floor/repaint/Form1", [1, 2], 1.5),
    ("whole Form2 with widgets, render()", "render/Form2", "floor/repaint/Form2", [1, 2], 1.5),
]
STARTUP_TARGET = 1.25
MEMORY_TARGET = 1.2


def environment(scale):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8")
    env["QT_SCALE_FACTOR"] = str(scale)
    return env


def run_benchmarks(binary, scale, pattern):
    """Medians of the manual times in microseconds, by figure name."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        result = subprocess.run(
            [binary, f"--benchmark_filter={pattern}",
             f"--benchmark_repetitions={REPETITIONS}", f"--benchmark_min_time={MIN_TIME}",
             "--benchmark_enable_random_interleaving=true",
             "--benchmark_report_aggregates_only=true",
             f"--benchmark_out={out.name}", "--benchmark_out_format=json"],
            env=environment(scale), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        if result.returncode != 0:
            sys.exit(f"{binary} failed:\n{result.stderr.decode()}")
        report = json.load(out)
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        assert entry["time_unit"] == "us", entry
        name = "/".join(part for part in entry["run_name"].split("/")
                        if not part.startswith("iterations:") and part != "manual_time")
        medians[name] = entry["real_time"]
    return medians


def start_once(probe):
    """Milliseconds from starting the probe to its first frame, and its peak memory in MiB."""
    start = time.monotonic_ns()
    process = subprocess.Popen([probe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               env=environment(1))
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0 or not output.strip():
        sys.exit(f"{probe} did not report a first frame")
    # The probe prints the moment of its first frame on the same monotonic clock.
    return (int(output) - start) / 1e6, usage.ru_maxrss / 1024


def run_startup(*probes):
    """Medians of start-up time and peak memory for each probe, the probes taking turns."""
    runs = [[] for _ in probes]
    for probe in probes:
        start_once(probe)  # each once first, so none pays for a cold file cache
    for _ in range(STARTUP_RUNS):
        for probe, probe_runs in zip(probes, runs):
            probe_runs.append(start_once(probe))
    return [[statistics.median(run[i] for run in probe_runs) for i in (0, 1)]
            for probe_runs in runs]


def row(label, scale, figure, floor, unit, target):
    ratio = figure / floor
    if target is None:  # a reference, with no target of its own
        bound = ""
    else:
        bound = f"≤ {target:<4} " + ("met" if ratio <= target else "MISSED")
    return (f"{label:<38} {scale:>5} {figure:>10.1f} {floor:>10.1f} {unit:<3} "
            f"{ratio:>6.2f}  {bound}")


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build-release"
    bench = os.path.join(build, "bench")
    binary = os.path.join(bench, "zf_bench")

    print("Running the handlers and repaints at scale factor 1 ...", file=sys.stderr)
    medians = {1: run_benchmarks(binary, 1, ".")}
    print("Running the repaints at scale factor 2 ...", file=sys.stderr)
    medians[2] = run_benchmarks(binary, 2, "repaint|render")
    print(f"Starting both probes {STARTUP_RUNS} times ...", file=sys.stderr)
    (program_time, program_memory), (bare_time, bare_memory), (text_time, text_memory) = \
        run_startup(*(os.path.join(bench, probe) for probe in
                      ("zf_startup_probe", "zf_bare_probe", "zf_text_probe")))

    print(f"{'figure':<38} {'scale':>5} {'median':>10} {'floor':>10} {'':<3} "
          f"{'ratio':>6}  target")
    for label, figure, floor, scales, target in FIGURES:
        for scale in scales:
            print(row(label, f"{scale}x", medians[scale][figure], medians[scale][floor], "µs",
                      target))
    print(row("start-up to the first frame", "1x", program_time, bare_time, "ms",
              STARTUP_TARGET))
    print(row("peak resident memory", "1x", program_memory, bare_memory, "MiB",
              MEMORY_TARGET))
    # The reference beside the floor: what one line of text alone adds to the bare window.
    print(row("  reference: bare window + 1 label", "1x", text_time, bare_time, "ms", None))
    print(row("  reference: its peak memory", "1x", text_memory, bare_memory, "MiB", None))
    clock = os.environ.get("ZF_BENCH_CLOCK", "process")
    print(f"Medians of {REPETITIONS} repetitions (handlers, repaints; {clock} clock) and "
          f"{STARTUP_RUNS} runs (start-up); floors as described in the README.")


if __name__ == "__main__":
    main()
