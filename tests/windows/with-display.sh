#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command on a virtual X display of its own, with a Wine prefix of its own:
#     with-display.sh <display> <wine prefix> <command>...
# The prefix is made on first use. The server is ours only once it holds the display's lock.
set -eu
display=$1
prefix=$(realpath -m "$2") # Wine takes absolute paths only
shift 2
lock=/tmp/.X${display#:}-lock
if [ -e "$lock" ]; then
    echo "display $display is taken (see $lock)" >&2
    exit 1
fi
Xvfb "$display" -screen 0 1920x1440x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wine=${ZF_WINE:-/usr/lib/wine/wine64}
export DISPLAY="$display" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
    [ -e "$lock" ] && [ "$(tr -d ' ' <"$lock")" = "$xvfb" ] && break
    sleep 0.1
done
if ! [ -e "$lock" ] || [ "$(tr -d ' ' <"$lock")" != "$xvfb" ]; then
    echo "no X server on $display" >&2
    exit 1
fi
if ! [ -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    "$wine" wineboot -i >/dev/null
    /usr/lib/wine/wineserver -w
fi
status=0
"$@" || status=$?
exit $status
