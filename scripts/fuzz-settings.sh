#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the settings-loader fuzzer (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, from the clang that scripts/packages-test-
# <release>.txt names) and runs it for the given number of seconds.
# It fuzzes a fresh copy of the seed corpus in tests/data/corpus, so the inputs
# it finds never land in the repository; an input that fails is saved in the
# build dir's findings/ and fails the run.
# Usage: fuzz-settings.sh [seconds [build-dir]]   (defaults: 60, build/fuzz)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=$(realpath -m "${2:-$root/build/fuzz}")

. "$root/scripts/release.sh"
release_require "needs Debian 12's or 13's clang, not $release_name's"
# The clang that the release's test packages name, and only what it needs.
clang=$(sed -n 's/^clang-\([0-9]*\)$/\1/p' "$root/scripts/packages-test-$release.txt")
"$root/scripts/install-deps.sh" "clang-$clang" "libclang-rt-$clang-dev" "llvm-$clang"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="clang++-$clang" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON > /dev/null
cmake --build "$build" -j2

rm -rf "$build/corpus"
cp -r "$root/tests/data/corpus/settings-loader" "$build/corpus"
mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:external_symbolizer_path="/usr/bin/llvm-symbolizer-$clang"
export UBSAN_OPTIONS=print_stacktrace=1
if ! "$build/tests/fuzz/fuzz_settingsloader" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
        -artifact_prefix="$build/findings/" "$build/corpus" < /dev/null 2> "$build/fuzz.log"; then
    tail -n 60 "$build/fuzz.log" >&2
    echo "fuzz-settings: FAILED: the failing input is in $build/findings/ (log: $build/fuzz.log)" >&2
    exit 1
fi
echo "fuzz-settings: PASSED: $(grep -o 'Done .*' "$build/fuzz.log")"
