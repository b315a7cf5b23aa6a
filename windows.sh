#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Zerfallsfrist.exe for Windows on Debian, with MinGW-w64, into build-windows/. Installs
# the cross compiler and Wine (for the tests) if they are missing. Then:
#     ctest --test-dir build-windows -L windows      the tests, under Wine
set -eu
cd "$(dirname "$0")"

missing=
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-x86-64"
[ -x /usr/lib/wine/wine64 ] || missing="$missing wine64"
/usr/bin/python3 -c "import fontTools.subset" 2>/dev/null || missing="$missing python3-fonttools"
[ -f /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf ] ||
    missing="$missing fonts-liberation2"
[ -f /usr/include/doctest/doctest.h ] || missing="$missing doctest-dev"
if [ -n "$missing" ]; then
    sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y --no-install-recommends $missing
fi

# CMake reads the toolchain only when it makes a build folder. A folder made without it would
# build a Linux program under the Windows program's name, so it is refused, not built in.
toolchain=-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
if [ -f build-windows/CMakeCache.txt ]; then
    if ! grep -q '^CMAKE_TOOLCHAIN_FILE:.*=.*mingw-w64\.cmake$' build-windows/CMakeCache.txt; then
        echo "build-windows/ was set up without the MinGW-w64 toolchain: remove it and run" \
            "./windows.sh again" >&2
        exit 1
    fi
    toolchain=
fi
cmake -S . -B build-windows -G Ninja $toolchain \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build build-windows -j 2
echo "build-windows/Zerfallsfrist.exe"
