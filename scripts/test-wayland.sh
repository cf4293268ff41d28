#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the Wayland end-to-end test on each desktop named, all at once: each
# desktop lives in a session of its own (tests/wayland/session.py), and
# most of a run is spent waiting for the countdown. Prints each desktop's
# output in turn, and fails when one of them failed.
# Usage: test-wayland.sh PROGRAM DESKTOP...   (DESKTOP: gnome or kwin)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$1"
shift
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

declare -A runs
for desktop in "$@"; do
    timeout 900 /usr/bin/python3 -B "$root/tests/wayland/test_velmora_wayland.py" "$desktop" \
        "$program" < /dev/null > "$logs/$desktop.log" 2>&1 &
    runs[$desktop]=$!
done
failed=0
for desktop in "$@"; do
    status=0
    wait "${runs[$desktop]}" || status=$?
    echo "== Wayland: $desktop"
    cat "$logs/$desktop.log"
    if [ "$status" != 0 ]; then
        echo "FAILED: the Wayland test on $desktop (exit $status)"
        failed=1
    fi
done
exit "$failed"
