#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes a fresh Wine prefix that reaches nothing beyond itself, and stages in
# C:\velmora the Qt and runtime DLLs and the test data that the Windows
# programs of the build need. Needs DISPLAY set (Xvfb will do).
# Usage: wine-prefix.sh <prefix> <qt-prefix> <build-dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
prefix=$1
qt=$2
build=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installers (they would ask), and no menu entries or file
# associations written into the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wineserver -k 2> /dev/null || true
rm -rf "$prefix"
timeout 300 wineboot --init
timeout 300 wineserver --wait
cd "$prefix/drive_c"

# The host's root is drive Z: and the user folders (Desktop, Documents, ...)
# link into the host's home: remove both, and the desktop's view of the host
# file system, and keep Wine from putting them back on an update.
find "$prefix/dosdevices" -mindepth 1 -maxdepth 1 ! -name c: -delete
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
        rm "$link"
        mkdir "$link"
    fi
done
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}' /f > /dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f > /dev/null
echo disable > "$prefix/.update-timestamp"
# A program that crashes ends with an error instead of waiting on a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null

staging="$prefix/drive_c/velmora"
mkdir -p "$staging/platforms" "$staging/styles"
cp "$qt"/bin/Qt6*.dll "$staging/"
cp "$qt"/plugins/platforms/q{windows,offscreen}.dll "$staging/platforms/"
cp "$qt"/plugins/styles/*.dll "$staging/styles/"
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$runtime)" "$staging/"
done
cp -r "$root/tests/data" "$staging/data"
timeout 300 wineserver --wait
echo "Wine prefix ready: $prefix"
