#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The desktop's pictures that the Windows tests hold the exe against: the screenshot walk of
# the desktop build (build/, see scripts/screenshots.sh) at a density of 1 and at
# QT_SCALE_FACTOR=1.5, on a screen large enough for the lesson window at 1.5 (1431 × 977):
#     tests/windows/desktop-shots.sh [display]        (default :64)
# writes build/screenshots and build/screenshots-1.5x.
set -eu
cd "$(dirname "$0")/../.."
display=${1:-:64}
Xvfb "$display" -screen 0 1920x1440x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
for scale in 1 1.5; do
    out=build/screenshots
    [ "$scale" = 1 ] || out=build/screenshots-${scale}x
    mkdir -p "$out"
    DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
        ./build/tests/screenshots/screenshots "$out" >/dev/null
done
