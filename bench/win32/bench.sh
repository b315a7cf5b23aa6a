#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Zerfallsfrist.exe's start-up under Wine beside its floor, a bare Win32 window with one line
# of text: both probes in turn, on a virtual display and in a Wine prefix of their own, then
# the medians, their ratio and the exe's size.
#     bench/win32/bench.sh [rounds]      (default 15)
set -eu
cd "$(dirname "$0")/../.."
rounds=${1:-15}
./windows.sh >/dev/null
cmake -S . -B build-windows -DZF_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-windows -j 2 >/dev/null
exec tests/windows/with-wine.sh build-windows/bench/wine \
    /usr/bin/python3 bench/win32/report.py build-windows "$rounds"
