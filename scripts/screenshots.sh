#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Takes screenshots of the real windows on a virtual X display:
#     scripts/screenshots.sh [folder]        (default: build/screenshots)
# Needs a build (./test.sh or cmake --build build) and Xvfb.
set -eu
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
mkdir -p "$out"
display=:$((90 + $$ % 400))
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb ./build/tests/screenshots/screenshots "$out"
