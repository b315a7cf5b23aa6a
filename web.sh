#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing and builds the web edition: build-web/zerfallsfrist.html, one page
# with the program, its styles and its fonts inside, which opens from a disk with no network.
set -eu
cd "$(dirname "$0")"

./scripts/setup-debian.sh
# Debian's emscripten finds its JavaScript tools (acorn) only on Debian's module path.
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export NODE_PATH
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web --target zerfallsfrist
echo "build-web/zerfallsfrist.html"
