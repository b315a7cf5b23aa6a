#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs a build into a staging folder, as `cmake --install` does for a package, and checks
# that a desktop finds everything where it looks: the program, its launcher and metainfo,
# both valid, and the icon in the hicolor theme at each size. Exits with 77 (skipped) when a
# validator is missing.
#     check-install.sh <build folder> <staging folder> <app id> <version>
set -eu
build=$1 stage=$2 id=$3 version=$4

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in desktop-file-validate appstreamcli identify; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: skipped (scripts/setup-debian.sh installs it)"
        exit 77
    fi
done

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null

desktop=$stage/share/applications/$id.desktop
metainfo=$stage/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no launcher at $desktop"
[ -f "$metainfo" ] || fail "no metainfo at $metainfo"

# Validators: any remark fails, a hint too (two main categories list the program twice).
report=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate complains: $report"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# the tree as a whole: the metainfo's launcher is installed beside it
appstreamcli validate-tree --no-net --strict "$stage" || fail "appstreamcli validate-tree"

value() { sed -n "s/^$1=//p" "$desktop"; }

# The launcher starts the installed program and names the installed icon.
exec_name=$(value Exec)
[ -x "$stage/bin/$exec_name" ] || fail "Exec=$exec_name is not in bin"
icon=$(value Icon)
[ "$icon" = "$id" ] || fail "Icon=$icon, expected $id"
for size in 16 32 48; do
    png=$stage/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "no icon at $png"
    measured=$(identify -format '%wx%h' "$png")
    [ "$measured" = "${size}x$size" ] || fail "$png is $measured"
done
svg=$stage/share/icons/hicolor/scalable/apps/$icon.svg
grep -q '<svg' "$svg" || fail "no scalable icon at $svg"

# The launcher's German texts, and the Categories it is found under.
[ "$(value 'Name\[de\]')" = Zerfallsfrist ] || fail "German name"
[ -n "$(value 'Comment\[de\]')" ] || fail "German comment"
for category in Education Physics; do
    case ";$(value Categories)" in
    *";$category;"*) ;;
    *) fail "Categories=$(value Categories) lacks $category" ;;
    esac
done
[ "$(value Terminal)" = false ] || fail "Terminal"

# The metainfo's launcher, program and release are the ones installed.
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo names another launcher"
grep -q "<binary>$exec_name</binary>" "$metainfo" || fail "metainfo names another program"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"

echo "installed and valid: $stage"
