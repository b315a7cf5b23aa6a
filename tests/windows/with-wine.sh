#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command under Wine's settings on a virtual X display of its own (the tests' one way
# to start one, tests/support/with-xvfb.sh), large enough for the lesson at 144 dpi, with a
# Wine prefix of its own, made on first use:
#     with-wine.sh <wine prefix> <command>...
set -eu
here=$(dirname "$0")
if [ "${ZF_IN_XVFB:-}" != 1 ]; then
    ZF_IN_XVFB=1 exec "$here/../support/with-xvfb.sh" --size 1920x1440 -- "$0" "$@"
fi
prefix=$(realpath -m "$1") # Wine takes absolute paths only
shift
wine=${ZF_WINE:-/usr/lib/wine/wine64}
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
if ! [ -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    "$wine" wineboot -i >/dev/null
    /usr/lib/wine/wineserver -w
fi
status=0
"$@" || status=$?
exit $status
