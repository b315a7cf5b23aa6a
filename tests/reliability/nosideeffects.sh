#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a whole session of the program under strace and fails if it writes, creates, removes or
# renames a file, changes one's attributes, or opens a network connection:
#     nosideeffects.sh <session executable>
# Exits with 77 (skipped) when strace is missing.
#
# Allowed, and only these, since the toolkit and the C library do them on their own:
#   - the toolkit's runtime directory, made if missing: $XDG_RUNTIME_DIR, or without it
#     /tmp/runtime-<user>;
#   - fontconfig's caches, written when the machine's are stale: /var/cache/fontconfig and
#     $XDG_CACHE_HOME/fontconfig (default $HOME/.cache/fontconfig), and $XDG_CACHE_HOME itself;
#   - opening /dev/null for writing;
#   - a local socket to the C library's name-service cache (/var/run/nscd/socket or
#     /run/nscd/socket), asked for the user's name; no other socket, no other connection.
set -eu

session=$1
if ! command -v strace >/dev/null 2>&1; then
    echo "strace is not installed: skipped (scripts/setup-debian.sh installs it)"
    exit 77
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
strace -f -qq -s 4096 -e trace=%file,%network -o "$log" "$session" >"$log.out" || status=$?
output=$(cat "$log.out")
rm -f "$log.out"
if [ "$status" -ne 0 ] || [ "$output" != "session complete" ]; then
    echo "the session did not run to its end (status $status): $output"
    exit 1
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}
allowed="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -un)}
/var/cache/fontconfig
$cache/fontconfig
$cache
/dev/null"

if ! awk -v allowed="$allowed" '
BEGIN {
    n = split(allowed, prefixes, "\n")
    split("creat mkdir mkdirat rmdir unlink unlinkat rename renameat renameat2 link linkat " \
          "symlink symlinkat truncate chmod fchmodat chown lchown fchownat utime utimes " \
          "utimensat mknod mknodat", names, " ")
    for (i in names) changes[names[i]] = 1
}
function allowedPath(path,    i) {
    for (i = 1; i <= n; ++i)
        if (path == prefixes[i] || index(path, prefixes[i] "/") == 1)
            return 1
    return 0
}
# Every quoted path of the line must be allowed.
function checkPaths(line,    rest, path) {
    rest = line
    while (match(rest, /"[^"]*"/)) {
        path = substr(rest, RSTART + 1, RLENGTH - 2)
        rest = substr(rest, RSTART + RLENGTH)
        if (!allowedPath(path)) {
            print "writes: " line
            bad = 1
            return
        }
    }
}
{
    call = $2
    sub(/\(.*/, "", call)
    if (call in changes)
        checkPaths($0)
    else if (call ~ /^open(at2?)?$/ && $0 ~ /O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND/)
        checkPaths($0)
    else if (call == "socket" && $0 !~ /socket\(AF_UNIX,/) {
        print "network: " $0; bad = 1
    } else if (call == "connect" && $0 !~ /sun_path="(\/var)?\/run\/nscd\/socket"/) {
        print "connects: " $0; bad = 1
    } else if (call ~ /^(bind|listen|accept4?|sendto|sendmsg|sendmmsg)$/) {
        print "network: " $0; bad = 1
    }
}
END {
    printf "%d system calls on files and sockets traced\n", NR
    exit bad
}' "$log"; then
    echo "the program has side effects"
    exit 1
fi
echo "no file written, no network used"
