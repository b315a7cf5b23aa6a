#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command on a virtual X server of its own, and stops the server when it ends:
#     with-xvfb.sh [--depth N] [--size WxH] -- command [argument...]
# The server takes the first free display itself, so runs side by side never collide; it
# keeps its state when the last client leaves (-noreset) and takes no TCP connections. The
# command finds it in DISPLAY; ZF_DISPLAY (for example :80) names the display to take instead,
# on a machine whose displays are shared out, and the next for a server the command starts in
# turn. Exits with the command's status; with 77 (skipped) when Xvfb is missing, 70 when it
# would not start. Colour depth 24 and 1280 × 1024 pixels unless told otherwise. The command
# goes after --, from wherever it is started:
#     CMake    add_test(NAME … COMMAND ${ZF_WITH_XVFB} <command>)
#     node     spawnSync('sh', ['tests/support/with-xvfb.sh', '--', …], {stdio: 'inherit'})
#     python   subprocess.run(['sh', 'tests/support/with-xvfb.sh', '--', …])
set -eu

depth=24 size=1280x1024
usage() {
    echo "usage: with-xvfb.sh [--depth N] [--size WxH] -- command [argument...]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case $1 in
    --depth) [ $# -ge 2 ] || usage; depth=$2; shift 2 ;;
    --size) [ $# -ge 2 ] || usage; size=$2; shift 2 ;;
    --) shift; break ;;
    *) usage ;;
    esac
done
[ $# -gt 0 ] || usage
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "Xvfb is not installed: skipped (scripts/setup-debian.sh installs it)" >&2
    exit 77
fi

work=$(mktemp -d)
server='' command=''
# shellcheck disable=SC2317 # run by the trap
stop() {
    for process in $command $server; do
        kill "$process" 2>/dev/null || true
        wait "$process" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb writes the display's number once it takes connections.
# shellcheck disable=SC2086 # the display, when one is named, is one word
Xvfb ${ZF_DISPLAY:-} -displayfd 3 -noreset -nolisten tcp -screen 0 "${size}x$depth" \
    3>"$work/display" 2>"$work/log" </dev/null &
server=$!
tries=0
until grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; do
    tries=$((tries + 1))
    if ! kill -0 "$server" 2>/dev/null || [ "$tries" -gt 100 ]; then
        echo "the virtual X server would not start:" >&2
        sed 's/^/  Xvfb: /' "$work/log" >&2
        exit 70
    fi
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
# A display named for this one, the command's own virtual displays take the next ones.
if [ -n "${ZF_DISPLAY:-}" ]; then
    ZF_DISPLAY=:$((${DISPLAY#:} + 1))
    export ZF_DISPLAY
fi

# In the background, so a signal to this script stops the command and the server at once; with
# the script's own standard input, which a background command would otherwise lose.
exec 4<&0
"$@" <&4 4<&- &
command=$!
exec 4<&-
status=0
wait "$command" || status=$?
command=''
exit "$status"
