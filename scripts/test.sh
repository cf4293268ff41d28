#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora and runs every test: the unit and GUI tests (offscreen),
# the Linux backend against private D-Bus buses, the Debian package
# installed and started, the Windows build and its installer tested under
# Wine, the tests again under sanitizers, and a minute of fuzzing the
# settings loader.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

. "$root/scripts/release.sh"
release_packages build run test
"$root/scripts/install-deps.sh" "${packages[@]}"

echo "== Build and tests"
cmake -S "$root" -B "$build/main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build/main"
ctest --test-dir "$build/main" --output-on-failure --no-tests=error -j2 < /dev/null

echo "== Debian package: built, checked by lintian, installed, started and purged"
"$root/tests/check_deb.sh" "$build/deb"

echo "== Windows: Qt for mingw-w64, velmora.exe and its installer, tested under Wine"
"$root/scripts/test-windows.sh" "$build/windows"

echo "== All tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/test-sanitized.sh" asan "$build/asan"

echo "== Countdown and power-action tests under ThreadSanitizer"
"$root/scripts/test-sanitized.sh" tsan "$build/tsan" \
    tst_countdown tst_poweractions tst_runwarning tst_maindialog

echo "== Settings loader fuzzing (60 s)"
"$root/scripts/fuzz-settings.sh" 60 "$build/fuzz"

echo "stages: 6 passed, 0 failed"
