#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds Zerfallsfrist with its tests and runs every test.
# The window tests use Qt's offscreen platform, so no display is needed. Then the web edition:
# the core's tests as WebAssembly under node, and the page in headless Chromium.
set -eu
cd "$(dirname "$0")"

./scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
# The lesson with a screen reader listening is timed and slow: CI runs it on its own.
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)" -LE screenreader

# The desktop's screenshot walk, at 100 % and 125 %, which the browser tests hold the web
# edition against.
scripts/screenshots.sh build/screenshots >/dev/null
QT_SCALE_FACTOR=1.25 scripts/screenshots.sh build/screenshots-125 >/dev/null
./web.sh >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build build-web
npm ci --prefix tests/web --no-audit --no-fund --prefer-offline >/dev/null
ctest --test-dir build-web --output-on-failure --timeout 600 -LE web-screenreader
