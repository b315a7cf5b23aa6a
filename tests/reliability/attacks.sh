#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The shipped program attacked from outside, each attack below with what it must do:
#     tests/support/with-xvfb.sh -- attacks.sh <program> [oom]
# no display, an 8-bit display, a window destroyed by another program, no session bus, the X
# server gone and, with "oom" (not under the sanitizers, whose allocator ends the process
# instead of failing an allocation), memory running out. All but the 8-bit display and the
# server that goes, which have servers of their own, on the server of DISPLAY. Exits with 77
# (skipped) when xdotool is missing.
set -eu

program=$1 oom=${2:-}
with_xvfb=$(dirname "$0")/../support/with-xvfb.sh
for tool in xdotool xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: skipped (scripts/setup-debian.sh installs it)"
        exit 77
    fi
done
work=$(mktemp -d)
pid=''
stop_all() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap stop_all EXIT
failures=0
fail() {
    echo "FAIL: $*"
    [ ! -s "$work/err" ] || sed 's/^/  program: /' "$work/err"
    failures=$((failures + 1))
}

# The program as a desktop starts it: on X11, in a home and a runtime folder of its own, with no
# session bus, for a minute at most. The rest of the arguments go before it, as `env` takes them;
# with --no-runtime-folder first, XDG_RUNTIME_DIR is unset and the temporary folder its own.
start() {
    folder="XDG_RUNTIME_DIR=$work/runtime"
    if [ "${1:-}" = --no-runtime-folder ]; then
        folder=-uXDG_RUNTIME_DIR
        shift
    fi
    rm -rf "$work/home" "$work/runtime" "$work/temp"
    mkdir -p "$work/home" "$work/temp" && mkdir -m 700 "$work/runtime"
    timeout 60 env -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY "$folder" QT_QPA_PLATFORM=xcb \
        HOME="$work/home" TMPDIR="$work/temp" "$@" "$program" >"$work/out" 2>"$work/err" &
    pid=$!
}
# Nothing left in the temporary folder, where the program was started without a runtime folder.
temp_left() {
    [ -n "$(ls -A "$work/temp")" ]
}
# Waits for the program to end; its exit status, 124 if it ran for a minute.
ended() {
    code=0
    wait "$pid" 2>/dev/null || code=$?
    pid=''
    return "$code"
}
# The id of the mapped window whose title matches, once it shows and a moment later, when it
# takes clicks.
window() {
    tries=0
    while [ "$tries" -lt 100 ]; do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            sleep 1
            echo "$id"
            return 0
        done
        tries=$((tries + 1))
        sleep 0.1
    done
    return 1
}
# A click at a point of a window, in pixels of its client area, then a moment for the handler.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}
# Titles as patterns in plain ASCII: xdotool matches them in the C locale where the user's is
# not installed.
lesson='^Die Zerfallsfrist$' comparison=' Isotope im Vergleich$'
uran238='320 107' weiter='864 460' exkurs='780 412' start_button='636 28'

# No display at all, and one nobody answers on; without a runtime folder, since the program
# then ends before its application object is made, and must leave nothing behind.
for display in unset :2999; do
    code=0
    rm -rf "$work/temp" && mkdir "$work/temp"
    if [ "$display" = unset ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR TMPDIR="$work/temp" \
            "$program" >"$work/out" 2>"$work/err" || code=$?
    else
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR TMPDIR="$work/temp" \
            DISPLAY="$display" "$program" >"$work/out" 2>"$work/err" || code=$?
    fi
    if [ "$code" -ne 2 ] || ! grep -q 'braucht eine grafische Arbeitsoberfläche' "$work/err" ||
        ! grep -q 'needs a graphical desktop' "$work/err" || grep -qi 'reinstall' "$work/err"; then
        fail "DISPLAY $display: status $code"
    elif temp_left; then
        fail "DISPLAY $display: leaves behind $(ls -A "$work/temp")"
    else
        echo "ok: DISPLAY $display: says it needs a desktop, status 2, leaves nothing behind"
    fi
done

# An 8-bit display, where the program ends with its application object made but no window.
start --no-runtime-folder sh "$with_xvfb" --depth 8 --
code=0
ended || code=$?
if [ "$code" -ne 2 ] || [ "$(grep -c 'Farbtiefe von 8 Bit' "$work/err")" -ne 1 ] ||
    [ "$(grep -c 'colour depth is 8 bits' "$work/err")" -ne 1 ] || [ "$(wc -l <"$work/err")" -ne 2 ]; then
    fail "8-bit display: status $code"
elif temp_left; then
    fail "8-bit display: leaves behind $(ls -A "$work/temp")"
else
    echo "ok: 8-bit display: says so once, status 2, leaves nothing behind"
fi

# A window destroyed by another program: at the start, mid-lesson, the comparison shown, and
# the lesson while hidden behind the comparison. Without a runtime folder, which the program
# must remove on this way out too.
for place in start lesson comparison hidden-lesson; do
    start --no-runtime-folder
    shown=$(window "$lesson") || { fail "$place: no window"; ended || true; continue; }
    target=$shown
    case $place in
    lesson)
        click "$shown" $uran238
        click "$shown" $weiter
        click "$shown" $weiter
        ;;
    comparison | hidden-lesson)
        click "$shown" $exkurs
        other=$(window "$comparison") || { fail "$place: no comparison"; ended || true; continue; }
        click "$other" $start_button
        [ "$place" = hidden-lesson ] || target=$other
        ;;
    esac
    xdotool windowclose "$target"
    code=0
    ended || code=$?
    if [ "$code" -ne 0 ] || [ -s "$work/err" ]; then
        fail "window destroyed, $place: status $code"
    elif temp_left; then
        fail "window destroyed, $place: leaves behind $(ls -A "$work/temp")"
    else
        echo "ok: window destroyed, $place: the program ends, status 0, leaves nothing behind"
    fi
done

# No session bus: nothing started, nothing left behind. Any bus daemon for this display would
# have been started by the program, so it is stopped here.
start
shown=$(window "$lesson") && click "$shown" $uran238
leftovers=''
for process in /proc/[0-9]*; do
    if grep -qs "dbus-launch\|dbus-daemon" "$process/cmdline" &&
        tr '\0' '\n' <"$process/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY"; then
        leftovers="$leftovers ${process#/proc/}"
    fi
done
xdotool windowclose "$shown"
ended || true
if [ -n "$leftovers" ] || [ -e "$work/home/.dbus" ]; then
    fail "no session bus: a bus was started (processes$leftovers), or ~/.dbus written"
    # shellcheck disable=SC2086
    [ -z "$leftovers" ] || kill $leftovers 2>/dev/null || true
else
    echo "ok: no session bus: none started, nothing left behind"
fi

# Memory running out at three times the density. The limit, set on the running program once
# its window shows, is its address space then and a megabyte: room for a click, not for the
# 2.5 MB of the first points. Set on the same process, so that what another start happens to
# reserve (its threads' stacks and allocation arenas) cannot move it.
if [ "$oom" = oom ]; then
    start QT_SCALE_FACTOR=3
    report=''
    shown=$(window "$lesson") || shown=''
    program_pid=$(xdotool getwindowpid "$shown" 2>/dev/null) || program_pid=''
    size=$(awk '/^VmSize:/ { print $2 }' "/proc/$program_pid/status" 2>/dev/null) || size=''
    if [ -z "$size" ] || ! prlimit --pid "$program_pid" --as=$(((size + 1024) * 1024)); then
        fail "out of memory: no window to limit"
    else
        click "$shown" $(echo $uran238 | awk '{print $1 * 3, $2 * 3}')
        report=$(window '^Zerfallsfrist$') || report=''
        [ -z "$report" ] || xdotool key --window "$report" Return 2>/dev/null || true
    fi
    [ -n "$report" ] || kill "$pid" 2>/dev/null || true
    code=0
    ended || code=$?
    if [ -z "$report" ] || [ "$code" -ne 1 ] || ! grep -q 'Arbeitsspeicher' "$work/err" ||
        grep -q 'Painter\|paintEngine' "$work/err"; then
        fail "out of memory: report window ${report:-missing}, status $code"
    else
        echo "ok: out of memory: the report, painted, status 1"
    fi
fi

# Memory too short for the windows' pixels at six times the density, where each copy of a
# window takes some 90 MB: the program must see it at start-up, before Qt's painter does, and
# end through its report, painted, with status 1 after Enter; or, with memory enough, show its
# window painted. Where the window system's libraries cannot even be loaded, it must say so in
# the report's words, not claim there is no desktop. The limits step through the span where,
# without that check, the window stayed empty (below some 320 MB) or the program crashed in
# Qt's painter.
if [ "$oom" = oom ]; then
    for limit in 260000 300000 340000 380000 420000 460000 500000; do
        start --no-runtime-folder QT_SCALE_FACTOR=6 sh -c "ulimit -v $limit && exec \"\$0\""
        shown=$(window '^(Die )?Zerfallsfrist$') || shown=''
        title=$(xdotool getwindowname "$shown" 2>/dev/null) || title=''
        case $title in
        Zerfallsfrist) xdotool key --window "$shown" Return 2>/dev/null || true; expected=1 ;;
        # Too little even to load the window system's libraries: the report's words alone.
        '') expected=1 ;;
        *) xdotool windowclose "$shown"; expected=0 ;;
        esac
        code=0
        ended || code=$?
        if [ "$code" -ne "$expected" ] || grep -q 'Painter\|paintEngine' "$work/err" ||
            { [ "$expected" -eq 1 ] && ! grep -q 'Arbeitsspeicher' "$work/err"; }; then
            fail "out of memory at six times the density, ulimit -v $limit: window '$title', status $code"
        else
            echo "ok: out of memory at six times the density, ulimit -v $limit: '$title', painted, status $code"
        fi
    done
fi

# The X server gone under the program, as at a logout that ends the server first: Qt ends the
# program itself, past main, and the runtime folder it was given must go too. On a server of
# its own (the server is the sibling of the shell that starts the program), stopped a few
# seconds after the program started on it.
start --no-runtime-folder sh "$with_xvfb" -- sh -c \
    '"$0" & p=$!; sleep 4; pkill -x -P "$PPID" Xvfb; wait "$p"'
code=0
ended || code=$?
if [ "$code" -eq 124 ] || temp_left; then
    fail "X server gone: status $code, left behind: $(ls -A "$work/temp")"
else
    echo "ok: X server gone: the program ends, status $code, leaves nothing behind"
fi

[ "$failures" -eq 0 ] || exit 1
