#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the tests with sanitizers and runs them; any sanitizer report fails
# the run. Usage: test-sanitized.sh asan|tsan <build-dir> [test ...]
#   asan: AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
#   tsan: ThreadSanitizer
# Named tests are the only ones built and run; with none, all of them are.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ $# -lt 2 || ! $1 =~ ^(asan|tsan)$ ]]; then
    echo "usage: $0 asan|tsan <build-dir> [test ...]" >&2
    exit 2
fi
kind=$1
build=$2
shift 2

options=(-DVELMORA_TSAN=OFF)
if [[ $kind == asan ]]; then
    flags="-fsanitize=address,undefined -fno-sanitize-recover=all"
    export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    flags="-fsanitize=thread"
    # Debian's Qt and GLib are not built with ThreadSanitizer: their own loads
    # and stores are invisible to it, and so are their locks, which are futexes
    # rather than pthread calls. Only the libc calls they make (memcpy, free,
    # write to an eventfd, ...) would be checked, against locks it cannot see,
    # which reports races inside Qt that its own mutexes prevent: the option
    # below leaves those calls unchecked like the rest of Qt. Every access our
    # code makes is still checked; VELMORA_TSAN links in the order Qt's locks
    # give our hand-overs (tests/sanitizers/qtorder.cpp).
    options=(-DVELMORA_TSAN=ON)
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVELMORA_BENCH=OFF "${options[@]}" \
    -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer $flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" > /dev/null
selection=()
if [[ $# -gt 0 ]]; then
    cmake --build "$build" -j2 --target "$@"
    selection=(-R "^($(IFS='|' && echo "$*"))\$")
else
    cmake --build "$build" -j2
fi
ctest --test-dir "$build" --output-on-failure --no-tests=error -j2 "${selection[@]}" < /dev/null
