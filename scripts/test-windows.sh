#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora for Windows (build-windows.sh) and tests it under Wine, in a
# private prefix on a virtual X display: the unit and GUI tests through ctest,
# then the installer and the installed program end to end.
# Usage: test-windows.sh [build-dir]     (default: build/windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/windows}")"

# Debian's Wine runs x86-64 Windows programs only on an x86-64 machine.
architecture=$(dpkg --print-architecture 2> /dev/null || uname -m)
[ "$architecture" = amd64 ] || {
    echo "test-windows: Wine runs the 64-bit Windows build only on amd64, not $architecture: build it alone with scripts/build-windows.sh" >&2
    exit 1
}

"$root/scripts/build-windows.sh" "$build"
mapfile -t packages < "$root/scripts/packages-windows-test.txt"
"$root/scripts/install-deps.sh" "${packages[@]}"
# The build leaves one installer, of this version.
installer=$(ls "$build"/Velmora-*-win64.exe)
qt=$(sed -n 's|^Qt6_DIR:PATH=\(.*\)/lib/cmake/Qt6$|\1|p' "$build/CMakeCache.txt")
# No bus for Wine to find: it would ask the host's udisks for drives to map.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent

echo "== build-windows: testing under Wine"
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" bash -euo pipefail -c '
    root=$1 build=$2 qt=$3 installer=$4
    "$root/scripts/wine-prefix.sh" "$build/wineprefix" "$qt" "$build"
    ctest --test-dir "$build" --output-on-failure --no-tests=error -j2 < /dev/null
    "$root/tests/windows/e2e_windows.sh" "$build/wineprefix" "$installer" "$build/e2e"
' _ "$root" "$build" "$qt" "$installer"
