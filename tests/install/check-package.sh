#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package with scripts/package.sh and checks it as Debian checks its own:
# lintian at its most demanding reports nothing at all (an override shipped in the package
# says why it silences what it silences), and the program is hardened with Debian's flags.
# Exits with 77 (skipped) when the Debian tools are missing.
#     check-package.sh <source folder> <build folder>
set -eu
source=$1 build=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in dpkg-buildflags dpkg-deb lintian hardening-check; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: skipped (scripts/setup-debian.sh installs it)"
        exit 77
    fi
done

mkdir -p "$build"
rm -f "$build"/*.deb
"$source/scripts/package.sh" --no-setup "$build" >"$build/package.log" 2>&1 ||
    fail "scripts/package.sh: $(tail -n 30 "$build/package.log")"
deb=$(ls "$build"/zerfallsfrist_*_"$(dpkg --print-architecture)".deb)

# Every tag, down to the pedantic and experimental ones. As root lintian says on stderr that
# it would rather not run as root; that is no finding.
report=$(lintian --pedantic --display-info --display-experimental "$deb" 2>"$build/lintian.log") ||
    fail "lintian: $(cat "$build/lintian.log") $report"
[ -z "$report" ] || fail "lintian reports:
$report"
echo "lintian --pedantic: nothing to report on $(basename "$deb")"

contents=$build/contents
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"
# PIE, stack protector, read-only relocations and BIND_NOW. Not asked for: control-flow
# protection, which Debian 12's dpkg-buildflags does not give; and fortified calls, since the
# program makes no libc call the compiler can check (hardening-check finds only calls whose
# sizes are known at run time), so whether the flag was given is checked below instead.
hardening-check --nocfprotection --nofortify "$contents/usr/bin/zerfallsfrist" ||
    fail "hardening-check"
grep -q -- '-D_FORTIFY_SOURCE=[1-9]' "$build/compile_commands.json" ||
    fail "the package's program is compiled without _FORTIFY_SOURCE"
