#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package: build-package/zerfallsfrist_1.00_amd64.deb (the version and
# architecture are this build's). Install it with  apt-get install ./build-package/zerfallsfrist_*.deb
set -eu
cd "$(dirname "$0")/.."

./scripts/setup-debian.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DZF_BUILD_TESTS=OFF -DZF_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-package
(cd build-package && cpack)
