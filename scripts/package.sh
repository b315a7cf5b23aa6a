#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package: build-package/zerfallsfrist_1.00_amd64.deb (the version and
# architecture are this build's). Install it with  apt-get install ./build-package/zerfallsfrist_*.deb
#     package.sh [--no-setup] [build folder]
# --no-setup leaves out installing what is missing (the package test has checked its tools).
set -eu
cd "$(dirname "$0")/.."

setup=yes
if [ "${1:-}" = --no-setup ]; then
    setup=no
    shift
fi
build=${1:-build-package}
[ "$setup" = no ] || ./scripts/setup-debian.sh

# Debian's compiler and linker flags, with every hardening feature: the stack protector,
# fortified libc calls, read-only relocations bound at start (BIND_NOW) and a PIE. Debian 12's
# dpkg-buildflags leaves out two that GCC 12 has and later releases add: probes that keep the
# stack from jumping past its guard page, and control-flow protection (app/CMakeLists.txt says
# how the program is marked with it). CMake takes no CPPFLAGS, so they go in front of the C++
# flags; the build type's own flags follow them.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS -fstack-clash-protection -fcf-protection" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DZF_BUILD_TESTS=OFF -DZF_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build"
(cd "$build" && cpack)
