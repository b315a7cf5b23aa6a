#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what building, running and testing Zerfallsfrist needs on Debian 12.
# Safe to run again: packages already present are skipped by apt-get.
set -eu

packages="build-essential cmake ninja-build pkg-config
qt6-base-dev qt6-base-private-dev libgl-dev
fonts-liberation2
xvfb xauth x11-apps x11-utils imagemagick
libbenchmark-dev python3
strace valgrind
desktop-file-utils appstream dpkg-dev lintian devscripts
binutils-mingw-w64-x86-64
doctest-dev
emscripten woff2 python3-fonttools chromium firefox-esr webkit2gtk-driver
g++-mingw-w64-x86-64 wine64 python3-pefile
orca at-spi2-core dbus-x11 python3-pyatspi xdotool"

missing=""
# Node.js and npm run the web edition's build and tests; a newer Node.js installed from
# elsewhere brings its own npm, and Debian's npm would pull Debian's older Node.js back in.
command -v node >/dev/null 2>&1 || missing="$missing nodejs"
command -v npm >/dev/null 2>&1 || missing="$missing npm"
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
