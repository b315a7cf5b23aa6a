#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the two start-up probes in turn under Wine and prints medians and the ratio:

    report.py <build folder> <rounds>

Each probe prints the microseconds from its process's creation to its first painted frame;
the wall clock from launching Wine to that line is timed too, which adds Wine's own start.
"""
import os
import statistics
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"


def run(exe):
    start = time.monotonic()
    process = subprocess.Popen([WINE, exe], stdout=subprocess.PIPE, text=True)
    line = process.stdout.readline()
    wall = (time.monotonic() - start) * 1e6
    process.wait(timeout=30)
    if process.returncode != 0 or not line.strip():
        sys.exit(f"{exe} failed ({process.returncode})")
    return int(line), wall


def main(build, rounds):
    probes = {
        "Zerfallsfrist": os.path.join(build, "bench", "win32", "zf_win32_startup_probe.exe"),
        "bare window": os.path.join(build, "bench", "win32", "zf_win32_bare_probe.exe"),
    }
    for exe in probes.values():  # once each to warm the prefix and the caches
        run(exe)
    times = {name: [] for name in probes}
    for _ in range(rounds):
        for name, exe in probes.items():
            times[name].append(run(exe))
    # The machine may be busy with other work: the fastest round is the least disturbed one,
    # the median the typical one. Both are given, each with its ratio.
    figures = {}
    for name, values in times.items():
        inside = [t for t, _ in values]
        wall = [w for _, w in values]
        figures[name] = (min(inside), statistics.median(inside), min(wall), statistics.median(wall))
    print(f"{'start-up to first frame, Wine 8':24} {'in process':>22} {'with Wine':>22}")
    print(f"{'':24} {'fastest':>10} {'median':>11} {'fastest':>10} {'median':>11}")
    for name, row in figures.items():
        print(f"{name:24} " + " ".join(f"{value / 1000:8.1f} ms" for value in row))
    ours, floor = figures["Zerfallsfrist"], figures["bare window"]
    print(f"{'ratio':24} " + " ".join(f"{a / b:11.2f}" for a, b in zip(ours, floor)))
    exe = os.path.join(build, "Zerfallsfrist.exe")
    print(f"Zerfallsfrist.exe: {os.path.getsize(exe)} bytes ({os.path.getsize(exe) / 1024:.0f} KiB)"
          f", {rounds} rounds")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
