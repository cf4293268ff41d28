#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora for 64-bit Windows on Debian 12 or 13: velmora.exe, the
# tests and the installer from this same CMake tree, with the release's Qt
# built for mingw-w64 (build-qt-windows.sh, cached). Qt's own texts
# (qttranslations, which that build leaves out) come from the release's
# qt6-translations-l10n, for the same Qt version.
# Usage: build-windows.sh [build-dir]     (default: build/windows)
# The last line printed is the path of the installer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/windows}")"

stage() { echo "== build-windows: $*"; }

# Its progress shown, its last line kept; through the open standard error,
# which reopening as /dev/stderr would empty when it is a file.
qt_prefix=$("$root/scripts/build-qt-windows.sh" | tee >(cat >&2) | tail -n 1)

stage "building velmora.exe and the tests"
# Debian's Qt 6.8 source leaves the plugins' CMake targets out unless asked
# for; the installer packages the platform and style plugins by target.
"$qt_prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-Werror -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
    -DVELMORA_QT_TRANSLATIONS=/usr/share/qt6/translations \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh;$build/wineprefix" > /dev/null
cmake --build "$build"

stage "packaging the installer and the portable .zip"
rm -f "$build"/Velmora-*-win64.exe "$build"/Velmora-*-win64.zip
(cd "$build" && cpack > cpack.log) || { cat "$build/cpack.log" >&2; exit 1; }
ls "$build"/Velmora-*-win64.exe
