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
# the tests again under sanitizers, the tree built as packagers build it
# (CMake's default generator), and a minute of fuzzing the settings loader.
#
# Every stage runs, whatever became of the ones before it, unless it needs
# what a failed one should have made: then it is skipped with that reason.
# Each stage's output goes to the terminal and to build/logs/; the end
# repeats each failed stage's heading with its log, and the last line
# counts the stages. The exit code is 1 when a stage failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
logs="$build/logs"

. "$root/scripts/release.sh"
release_packages build run test wayland
"$root/scripts/install-deps.sh" "${packages[@]}"

# Each stage's commands run in a subshell of their own with errexit on, so
# the first failing command ends the stage and only the stage.
set +e
rm -rf "$logs"
mkdir -p "$logs"

# What later stages make once and cache (the chroots of the real-stack and
# Debian 13 stages, Qt for Windows) is made from the start, in the
# background and at the lowest priority: it takes the time that the stages
# before leave the processors idle, waiting on a bus or a desktop. A stage
# that needs it waits for it through the same lock, and makes it itself if
# the background did not; with warm caches all this ends at once. Each
# runs in a session of its own, ended with whatever it started when this
# script ends.
cache_makers=()
make_cache() {
    local name=$1
    shift
    setsid nice -n 19 "$@" > "$logs/cache-$name.log" 2>&1 < /dev/null &
    cache_makers+=($!)
}
end_cache_makers() {
    local maker
    for maker in "${cache_makers[@]}"; do
        kill -TERM -- "-$maker" 2> /dev/null
    done
}
trap end_cache_makers EXIT
trap 'exit 130' INT TERM

echo "== Making the later stages' caches in the background (logs: $logs/cache-*.log)"
if [ "$release" = 12 ] && [ "$(id -u)" -eq 0 ]; then
    mapfile -t chroot_packages < "$root/tests/realstack/packages.txt"
    make_cache chroot-realstack "$root/scripts/debian-chroot.sh" make bookworm realstack "${chroot_packages[@]}"
    # With what the Debian 13 Wayland stage installs there.
    mapfile -t wayland_packages < <(cat "$root"/scripts/packages-wayland{,-13}.txt)
    make_cache chroot-trixie "$root/scripts/debian-chroot.sh" make trixie test git "${wayland_packages[@]}"
fi
if [ "$(dpkg --print-architecture)" = amd64 ]; then
    make_cache qt-windows "$root/scripts/build-qt-windows.sh"
fi
stages=0 passed=0 failed=0 skipped=0
failures=()
declare -A stage_passed

# stage ID HEADING COMMAND...: runs COMMAND as one stage.
stage() {
    local id=$1 heading=$2
    shift 2
    stages=$((stages + 1))
    local log="$logs/$(printf '%02d' "$stages")-$id.log" started=$SECONDS
    echo "== $heading"
    (set -e; "$@") 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
        stage_passed[$id]=1
    else
        failed=$((failed + 1))
        failures+=("== $heading (exit $status; log: $log)")
        echo "FAILED: $heading (exit $status)"
    fi
    echo "-- $((SECONDS - started)) s"
}

# skip HEADING REASON: a stage that cannot run here, or that needs what a
# failed stage did not make.
skip() {
    stages=$((stages + 1))
    echo "== $1"
    echo "skipped: $2"
    skipped=$((skipped + 1))
}

build_and_test() {
    cmake -S "$root" -B "$build/main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
    cmake --build "$build/main"
    # The program that the Wayland stage runs is there, whatever ctest says.
    touch "$logs/built"
    ctest --test-dir "$build/main" --output-on-failure --no-tests=error -j2 < /dev/null
}

# As a packager or a user builds a CMake project: CMake's default generator
# (Unix Makefiles), installed into a scratch prefix; the tests that need no
# display. The stages above cover the rest with the Ninja build.
default_generator_build() {
    local tree="$build/default" prefix="$build/default-install"
    cmake -S "$root" -B "$tree" > /dev/null
    grep -q '^CMAKE_GENERATOR:INTERNAL=Unix Makefiles$' "$tree/CMakeCache.txt"
    cmake --build "$tree" -j2
    rm -rf "$prefix"
    cmake --install "$tree" --prefix "$prefix" > /dev/null
    [ -x "$prefix/bin/velmora" ]
    ctest --test-dir "$tree" --output-on-failure --no-tests=error -j2 -LE display < /dev/null
}

stage build "Build and tests" build_and_test

wayland_desktops=(gnome)
heading="Wayland: the real program on a headless GNOME Shell 43"
if [ "$release" = 13 ]; then
    wayland_desktops=(gnome kwin)
    heading="Wayland: the real program on a headless GNOME Shell 48 and KWin 6"
fi
if [ ! -f "$logs/built" ]; then
    skip "$heading" "the first stage did not build the program"
else
    stage wayland "$heading" "$root/scripts/test-wayland.sh" "$build/main/app/velmora" \
        "${wayland_desktops[@]}"
fi

stage deb "Debian package: built, checked by lintian, installed, started and purged" \
    "$root/tests/check_deb.sh" "$build/deb"

heading="The Debian package against the real elogind and polkitd, in a Debian 12 chroot"
if [ "$release" != 12 ]; then
    skip "$heading" "the package built on Debian $release does not install on Debian 12"
elif [ -z "${stage_passed[deb]:-}" ]; then
    skip "$heading" "the Debian package stage failed"
else
    stage realstack "$heading" "$root/tests/realstack/run.sh" "$build/deb" "$build/realstack"
fi

heading="Debian 13: run.sh, the build, ctest and the Debian package in a minimal trixie chroot"
if [ "$release" = 12 ]; then
    stage debian13 "$heading" "$root/scripts/test-debian13.sh"
else
    skip "$heading" "this machine is Debian 13 itself, where the stages above ran"
fi

heading="Wayland on Debian 13: the program of the Debian 13 stage on GNOME Shell 48 and KWin 6, in its chroot"
if [ "$release" != 12 ]; then
    skip "$heading" "this machine is Debian 13 itself, where the Wayland stage ran"
elif [ -z "${stage_passed[debian13]:-}" ]; then
    skip "$heading" "the Debian 13 stage failed"
else
    stage wayland13 "$heading" "$root/scripts/test-wayland-debian13.sh"
fi

stage windows "Windows: Qt for mingw-w64, velmora.exe and its installer, tested under Wine" \
    "$root/scripts/test-windows.sh" "$build/windows"

stage asan "All tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer" \
    "$root/scripts/test-sanitized.sh" asan "$build/asan"

stage tsan "Countdown and power-action tests under ThreadSanitizer" \
    "$root/scripts/test-sanitized.sh" tsan "$build/tsan" \
    tst_countdown tst_poweractions tst_runwarning tst_maindialog

stage default "Built with CMake's default generator, installed, and the tests that need no display" \
    default_generator_build

stage fuzz "Settings loader fuzzing (60 s)" "$root/scripts/fuzz-settings.sh" 60 "$build/fuzz"

# Today's figures in every log. Times on a shared machine are noisy, so
# the quick benchmark informs and can fail nothing; it is no stage.
echo "== Benchmark, quick run (figures only, never a failure)"
if bench=$(timeout 300 "$root/bench/run.sh" --quick 2>&1 < /dev/null); then
    sed -n '/^Velmora benchmarks:/,$p' <<< "$bench"
else
    echo "benchmark: could not run (exit $?): $(tail -n 3 <<< "$bench")"
fi

if [ $failed -gt 0 ]; then
    echo "Failed stages:"
    printf '%s\n' "${failures[@]}"
fi
echo "stages: $passed passed, $failed failed, $skipped skipped"
[ $failed -eq 0 ]
