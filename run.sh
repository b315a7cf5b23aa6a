#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds Zerfallsfrist and starts it.
set -eu
cd "$(dirname "$0")"

./scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zerfallsfrist

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MSG'

Zerfallsfrist is built, but it is a desktop program and needs a display:
neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session,
or inside a virtual display (xvfb-run is installed now):

    xvfb-run -a -s "-screen 0 1280x1024x24" ./run.sh

MSG
    exit 2
fi
exec ./build/app/zerfallsfrist
