#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Zerfallsfrist in Release with its benchmarks (in build-release/), runs every figure
# beside its floor on Qt's offscreen platform and prints one table of medians and ratios.
# JOBS sets the build's parallelism (default 2).
set -eu
cd "$(dirname "$0")/.."

./scripts/setup-debian.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZF_BUILD_BENCHMARKS=ON \
    -DZF_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --parallel "${JOBS:-2}" >/dev/null
exec python3 bench/report.py build-release
