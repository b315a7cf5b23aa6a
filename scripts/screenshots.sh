#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Takes screenshots of the real windows on a virtual X display, one of every state:
#     scripts/screenshots.sh [folder]        (default: build/screenshots)
# form1-start, form1-isotope-<isotope> for each of the five, form1-press1 … form1-press8,
# form2-start, form2-plot, form1-back and form1-press9 ("Ende" held down, the moment before the
# program ends). Needs a build (./test.sh or cmake --build build) and Xvfb.
set -eu
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
mkdir -p "$out"
exec sh tests/support/with-xvfb.sh -- env QT_QPA_PLATFORM=xcb ./build/tests/screenshots/screenshots "$out"
