#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiles the platform layer for Windows with mingw-w64, warnings as
# errors, compiles the Windows branch of the settings file code (plain C++)
# and the icon resource script with windres, so that the Win32 backend, that
# branch and the .rc, which no Linux build compiles, cannot rot unnoticed. Usage: check-windows-build.sh [build-dir]
# Without a build dir a temporary one is used and removed afterwards.
set -uo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ $# -ge 1 ]]; then
    build_dir=$1
else
    build_dir=$(mktemp -d)
    trap 'rm -rf "$build_dir"' EXIT
fi

generator=()
if command -v ninja >/dev/null; then
    generator=(-G Ninja)
fi

# --fresh drops any cache left in the build dir, so every run starts from the
# toolchain and flags below rather than from an earlier configuration.
if cmake --fresh -S "$source_dir" -B "$build_dir" "${generator[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS=-Werror \
        -DVELMORA_PLATFORM_ONLY=ON &&
    cmake --build "$build_dir" &&
    x86_64-w64-mingw32-g++-posix -std=c++17 -Wall -Wextra -Werror -fsyntax-only \
        -I"$source_dir/settings" "$source_dir/settings/settings.cpp" \
        "$source_dir/settings/settingsfile.cpp" &&
    x86_64-w64-mingw32-windres "$source_dir/resources/velmora.rc" \
        --output-format=coff --output="$build_dir/velmora-rc.o"; then
    echo "check-windows-build: PASSED: the platform layer and the settings file code cross-compile for Windows without warnings and windres compiles the icon resources"
else
    echo "check-windows-build: FAILED: the platform layer, the settings file code or the icon resources do not cross-compile for Windows (see above)" >&2
    exit 1
fi
