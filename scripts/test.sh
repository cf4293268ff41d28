#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora and runs every test: the unit and GUI tests (offscreen),
# the Linux backend against private D-Bus buses, the program on a headless
# GNOME Shell on Wayland, the Debian package
# installed and started, and run against the real elogind and polkitd in a
# Debian 12 chroot, the Windows build and its installer tested under
# Wine, the Linux part again on Debian 13 (in a chroot, from Debian 12),
# the tests again under sanitizers, and a minute of fuzzing the
# settings loader.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

. "$root/scripts/release.sh"
release_packages build run test
"$root/scripts/install-deps.sh" "${packages[@]}"

# Each stage starts with its heading; any failure ends the script, so every
# stage begun and not skipped has passed when the summary is reached.
passed=0 skipped=0
stage() {
    echo "== $*"
    passed=$((passed + 1))
}
skip() {
    echo "skipped: $*"
    passed=$((passed - 1)) skipped=$((skipped + 1))
}

stage "Build and tests"
cmake -S "$root" -B "$build/main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build/main"
ctest --test-dir "$build/main" --output-on-failure --no-tests=error -j2 < /dev/null

stage "Wayland: the real program on a headless GNOME Shell 43"
if [ "$release" = 12 ]; then
    timeout 900 /usr/bin/python3 -B "$root/tests/wayland/test_velmora_gnome.py" "$build/main/app/velmora" < /dev/null
else
    skip "the test is made for Debian 12's GNOME Shell 43"
fi

stage "Debian package: built, checked by lintian, installed, started and purged"
"$root/tests/check_deb.sh" "$build/deb"

stage "The Debian package against the real elogind and polkitd, in a Debian 12 chroot"
if [ "$release" = 12 ]; then
    "$root/tests/realstack/run.sh" "$build/deb" "$build/realstack"
else
    skip "the package built on Debian $release does not install on Debian 12"
fi

stage "Debian 13: run.sh, the build, ctest and the Debian package in a minimal trixie chroot"
if [ "$release" = 12 ]; then
    "$root/scripts/test-debian13.sh"
else
    skip "this machine is Debian 13 itself, where the stages above ran"
fi

stage "Windows: Qt for mingw-w64, velmora.exe and its installer, tested under Wine"
"$root/scripts/test-windows.sh" "$build/windows"

stage "All tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/test-sanitized.sh" asan "$build/asan"

stage "Countdown and power-action tests under ThreadSanitizer"
"$root/scripts/test-sanitized.sh" tsan "$build/tsan" \
    tst_countdown tst_poweractions tst_runwarning tst_maindialog

stage "Settings loader fuzzing (60 s)"
"$root/scripts/fuzz-settings.sh" 60 "$build/fuzz"

# Today's figures in every log. Times on a shared machine are noisy, so
# the quick benchmark informs and can fail nothing; it is no stage.
echo "== Benchmark, quick run (figures only, never a failure)"
if bench=$(timeout 300 "$root/bench/run.sh" --quick 2>&1 < /dev/null); then
    sed -n '/^Velmora benchmarks:/,$p' <<< "$bench"
else
    echo "benchmark: could not run (exit $?): $(tail -n 3 <<< "$bench")"
fi

echo "stages: $passed passed, 0 failed$([ $skipped -eq 0 ] || echo ", $skipped skipped")"
