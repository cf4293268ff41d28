#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora and runs every test: the unit and GUI tests (offscreen),
# the Linux backend against private D-Bus buses, and the cross-compiled
# Windows platform layer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

mapfile -t packages < <(cat "$root"/scripts/packages-{build,run,test}.txt)
"$root/scripts/install-deps.sh" "${packages[@]}"

echo "== Build and tests"
cmake -S "$root" -B "$build/main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build/main"
ctest --test-dir "$build/main" --output-on-failure --no-tests=error -j2 < /dev/null

echo "== Windows platform layer (mingw-w64)"
"$root/scripts/check-windows-build.sh" "$build/windows"
