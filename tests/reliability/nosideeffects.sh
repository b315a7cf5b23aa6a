#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the shipped program under strace while a pupil walks through it (see
# pupil/pupilplugin.cpp), one walk after the other, and fails if it writes, creates, removes or
# renames a file, changes one's attributes, starts another program or opens a connection:
#     nosideeffects.sh <program> <plugin folder> offscreen|xcb <walk>...
# With xcb it runs on the X server of DISPLAY (tests/support/with-xvfb.sh starts one), as on a
# desktop without a session bus. Exits with 77 (skipped) when strace is missing.
#
# Each walk runs twice, in a home of its own, empty, as a new user's: once with a runtime folder
# of its own, empty, and once without one (XDG_RUNTIME_DIR unset), as where no session manager
# makes it, with a temporary folder of its own that must be empty again at the end. Allowed,
# and only these, since the toolkit and fontconfig do them on their own:
#   - making the runtime folder $XDG_RUNTIME_DIR, where it is missing;
#   - without one, making a folder in the temporary folder and removing it again: the private
#     runtime folder the program gives the toolkit;
#   - fontconfig's caches where the machine's are stale: the tree /var/cache/fontconfig, the
#     tree $HOME/.cache/fontconfig and, to hold it, the folder $HOME/.cache itself;
#   - with xcb, a local socket connected to the X server's.
set -eu

program=$1 plugins=$2 platform=$3
shift 3
if ! command -v strace >/dev/null 2>&1; then
    echo "strace is not installed: skipped (scripts/setup-debian.sh installs it)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$platform" = xcb ]; then
    display_socket=/tmp/.X11-unix/X${DISPLAY#:}
else
    display_socket=none
fi

failed=0
for run in $(for walk in "$@"; do echo "$walk/given $walk/none"; done); do
    walk=${run%/*} home=$work/$run/home runtime=$work/$run/runtime temp=$work/$run/temp
    log=$work/$run/trace
    mkdir -p "$home" "$temp" && mkdir -m 700 "$runtime"
    if [ "${run#*/}" = given ]; then
        name="$platform, $walk" folder="XDG_RUNTIME_DIR=$runtime"
    else
        name="$platform, $walk, no runtime folder" folder=-uXDG_RUNTIME_DIR
    fi
    status=0
    env -u DBUS_SESSION_BUS_ADDRESS -u XDG_CACHE_HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
        "$folder" TMPDIR="$temp" HOME="$home" QT_QPA_PLATFORM="$platform" \
        QT_PLUGIN_PATH="$plugins" QT_QPA_GENERIC_PLUGINS="zfpupil:$walk" \
        timeout 120 strace -f -qq -s 4096 -e trace=%file,%network,execve -o "$log" \
        "$program" >"$log.out" 2>"$log.err" || status=$?
    expected=0
    [ "$walk" != report ] || expected=1 # the error report ends the program so
    if [ "$status" -ne "$expected" ] || ! grep -qx "pupil: $walk walked" "$log.out"; then
        echo "$name: the walk did not run to its end (status $status)"
        cat "$log.out" "$log.err"
        failed=1
        continue
    fi
    left=$(ls -A "$temp")
    if [ -n "$left" ]; then
        echo "$name: leaves behind in the temporary folder: $left"
        failed=1
    fi
    if ! awk -v trees="/var/cache/fontconfig $home/.cache/fontconfig" \
        -v folders="$runtime $home/.cache" -v temp="$temp" -v socket="$display_socket" \
        -v walk="$name" '
BEGIN {
    split(trees, tree, " ")
    split(folders, folder, " ")
    split("creat mkdir mkdirat rmdir unlink unlinkat rename renameat renameat2 link linkat " \
          "symlink symlinkat truncate chmod fchmodat chown lchown fchownat utime utimes " \
          "utimensat mknod mknodat", names, " ")
    for (i in names) changes[names[i]] = 1
}
function allowedPath(path, call,    i) {
    for (i in tree)
        if (path == tree[i] || index(path, tree[i] "/") == 1)
            return 1
    for (i in folder)
        if (path == folder[i] && call ~ /^(mkdir|mkdirat|chmod|fchmodat)$/)
            return 1
    # A folder right in the temporary folder, made and removed; that it is gone is checked after.
    if (index(path, temp "/") == 1 && index(substr(path, length(temp) + 2), "/") == 0 &&
        call ~ /^(mkdir|mkdirat|rmdir)$/)
        return 1
    return 0
}
# Every quoted path of the line must be allowed.
function checkPaths(line, call,    rest, path) {
    rest = line
    while (match(rest, /"[^"]*"/)) {
        path = substr(rest, RSTART + 1, RLENGTH - 2)
        rest = substr(rest, RSTART + RLENGTH)
        if (!allowedPath(path, call)) {
            print walk ": writes: " line
            bad = 1
            return
        }
    }
}
{
    call = $2
    sub(/\(.*/, "", call)
    if (call in changes)
        checkPaths($0, call)
    else if (call ~ /^open(at2?)?$/ && $0 ~ /O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND/)
        checkPaths($0, call)
    else if (call == "execve" && ++programs > 1) {
        print walk ": starts a program: " $0; bad = 1
    } else if (call == "socket" && $0 !~ /socket\(AF_UNIX,/) {
        print walk ": network: " $0; bad = 1
    } else if (call == "connect" && index($0, "sun_path=@\"" socket "\"") == 0 &&
               index($0, "sun_path=\"" socket "\"") == 0) {
        print walk ": connects: " $0; bad = 1
    } else if (call ~ /^(bind|listen|accept4?|sendto|sendmsg|sendmmsg)$/) {
        print walk ": network: " $0; bad = 1
    }
}
END {
    printf "%s: %d system calls on files, sockets and programs traced\n", walk, NR
    exit bad
}' "$log"; then
        failed=1
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "the program has side effects, or a walk failed"
    exit 1
fi
echo "no file written, no program started, no connection made"
