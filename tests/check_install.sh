#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs a build into a temporary directory and checks what a Linux desktop
# reads from it: the program, the desktop file, the AppStream metainfo and
# the themed icons, all under one application id.
# Usage: check_install.sh <cmake> <build-dir>
set -uo pipefail
cmake=$1
build_dir=$2
app_id=io.github.velmora.Velmora

# DESTDIR as well as the prefix, so that even an absolute install path
# stays inside the temporary directory.
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT
root=$destdir/usr
DESTDIR=$destdir "$cmake" --install "$build_dir" --prefix /usr >/dev/null || exit 1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

desktop=$root/share/applications/$app_id.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "$desktop does not validate: $report"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -n $program && -x $root/bin/$program ]] ||
    fail "the desktop file runs '$program', which is not an installed program"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop file does not name the icon $app_id"

metainfo=$root/share/metainfo/$app_id.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "$metainfo does not validate: $report"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"

icons=$root/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
    icon=$icons/${size}x$size/apps/$app_id.png
    found=$(identify -format '%m %wx%h' "$icon" 2>&1)
    [[ $found == "PNG ${size}x$size" ]] || fail "$icon: expected a ${size} px PNG, found: $found"
done
# librsvg, which GTK desktops draw SVG icons with, renders the scalable one;
# it refuses a file without an <svg> root or without a size. ImageMagick
# reads SVG only with coders that a plain install leaves out.
icon=$icons/scalable/apps/$app_id.svg
rendered=$destdir/scalable.png
if report=$(rsvg-convert --output "$rendered" "$icon" 2>&1); then
    found=$(identify -format '%m %wx%h' "$rendered" 2>&1)
    [[ $found =~ ^PNG\ ([1-9][0-9]*)x([0-9]+)$ && ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" ]] ||
        fail "$icon: expected a square image, rendered: $found"
else
    fail "$icon: expected an SVG image, found: $report"
fi

if ((failures > 0)); then
    echo "check_install: FAILED: $failures problem(s) in the installed files" >&2
    exit 1
fi
echo "check_install: PASSED: program, desktop file, metainfo and icons installed and valid"
