#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora and runs it. Without a display it starts the program on a
# virtual X display, saves a screenshot next to the build and ends it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/main"

. "$root/scripts/release.sh"
release_packages build run
"$root/scripts/install-deps.sh" "${packages[@]}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target velmora

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/app/velmora"
fi

screenshot="$root/build/velmora-screenshot.png"
xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" bash -c '
    "$1" & program=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Velmora$" | head -n1)
    sleep 1
    import -window "$window" "$2"
    kill "$program"; wait "$program" || true
' _ "$build/app/velmora" "$screenshot"
echo "No display found: Velmora ran on a virtual display; screenshot saved to $screenshot"
