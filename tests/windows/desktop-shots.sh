#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The desktop's pictures that the Windows tests hold the exe against: the screenshot walk of
# the desktop build (build/, see scripts/screenshots.sh) at a density of 1 and at
# QT_SCALE_FACTOR=1.5, on a screen large enough for the lesson window at 1.5 (1431 × 977):
#     tests/windows/desktop-shots.sh
# writes build/screenshots and build/screenshots-1.5x.
set -eu
cd "$(dirname "$0")/../.."
if [ "${ZF_IN_XVFB:-}" != 1 ]; then
    ZF_IN_XVFB=1 exec tests/support/with-xvfb.sh --size 1920x1440 -- "$0" "$@"
fi
for scale in 1 1.5; do
    out=build/screenshots
    [ "$scale" = 1 ] || out=build/screenshots-${scale}x
    mkdir -p "$out"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
        ./build/tests/screenshots/screenshots "$out" >/dev/null
done
