#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs a build into a staging folder, starts the program as its launcher does on the X
# display of DISPLAY, and checks that a dock can tie each window it shows to the launcher. On
# X11 a dock knows a window by its WM_CLASS, an instance name and a class name, and takes the
# launcher whose StartupWMClass is one of them or, without that key, whose desktop ID is.
# Exits with 77 (skipped) when the X utilities are missing.
#     tests/support/with-xvfb.sh -- check-window.sh <build folder> <staging folder> <app id>
set -eu
build=$1 stage=$2 id=$3

fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$stage/program.log" ] || sed 's/^/program: /' "$stage/program.log" >&2
    exit 1
}

for tool in xprop xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: skipped (scripts/setup-debian.sh installs it)"
        exit 77
    fi
done

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
desktop=$stage/share/applications/$id.desktop
value() { sed -n "s/^$1=//p" "$desktop"; }
# the command line without field codes such as %f, which this launcher has no use for
command=$(value Exec | sed 's/ *%[fFuUdDnNickvm]//g')
startup_class=$(value StartupWMClass)

program=''
stop() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    wait
}
trap stop EXIT

# a runtime folder of its own, as a desktop session has
XDG_RUNTIME_DIR=$stage/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR

# The launcher's command, found on the PATH as a desktop finds it, on X11 (the tests' own
# offscreen platform would show no window).
env PATH="$stage/bin:$PATH" QT_QPA_PLATFORM=xcb sh -c "exec $command" >"$stage/program.log" 2>&1 &
program=$!

# The windows the user sees: mapped top-level windows. Qt's helper windows stay unmapped.
shown_windows() {
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | while read -r window; do
        if xwininfo -id "$window" | grep -q 'Map State: IsViewable'; then
            echo "$window"
        fi
    done
}
tries=0
windows=''
while [ -z "$windows" ]; do
    kill -0 "$program" 2>/dev/null || fail "the program ended before it showed a window"
    tries=$((tries + 1))
    [ "$tries" -le 300 ] || fail "no window after 30 s"
    sleep 0.1
    windows=$(shown_windows)
done

for window in $windows; do
    # WM_CLASS(STRING) = "instance", "class"
    wm_class=$(xprop -id "$window" WM_CLASS)
    instance=$(printf '%s\n' "$wm_class" | sed -n 's/^WM_CLASS(STRING) = "\(.*\)", ".*"$/\1/p')
    class=$(printf '%s\n' "$wm_class" | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    [ -n "$class" ] || fail "window $window has no WM_CLASS: $wm_class"
    name=$(xprop -id "$window" WM_NAME | sed "s/^WM_NAME([A-Z0-9_]*) = //")
    if [ -n "$startup_class" ]; then
        [ "$startup_class" = "$instance" ] || [ "$startup_class" = "$class" ] ||
            fail "$name: WM_CLASS \"$instance\", \"$class\", the launcher's StartupWMClass $startup_class"
    else
        [ "$id" = "$instance" ] || [ "$id" = "$class" ] ||
            fail "$name: WM_CLASS \"$instance\", \"$class\" names neither the launcher $id.desktop nor a StartupWMClass in it"
    fi
    echo "$name: WM_CLASS \"$instance\", \"$class\" matches $id.desktop"
done
