#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora and its benchmarks and measures them against their floors
# on a virtual X display of its own, with a private session bus.
# Usage: bench/run.sh [--quick]   (--quick: fewer rounds, 10 s windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/main"

mapfile -t packages < <(cat "$root"/scripts/packages-{build,run}.txt "$root/bench/packages.txt")
"$root/scripts/install-deps.sh" "${packages[@]}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target velmora bench_floor bench_floorrefresh bench_maptime \
    bench_sleeploop bench_expiry bench_longrun

# An empty working directory: no settings.dat, so the default refresh of
# 500 ms applies. The system bus is pointed at the private session bus, so
# that no run can reach the real logind, whatever happens.
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
mkdir -m 700 runtime
export XDG_RUNTIME_DIR="$workdir/runtime"
# The German locale of the start-up row with LANG=de_DE.UTF-8, generated
# here rather than installed on the machine.
mkdir locales
localedef -i de_DE -f UTF-8 locales/de_DE.UTF-8
# -noreset: between two start-ups no client may be connected, and a server
# that resets then refuses the next one for as long as the reset lasts.
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -noreset" \
    dbus-run-session -- bash -c \
    'DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" exec /usr/bin/python3 -B "$@"' _ \
    "$root/bench/measure.py" --build "$build" --locales "$workdir/locales" "$@"
