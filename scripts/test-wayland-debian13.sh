#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the Wayland end-to-end test on Debian 13's desktops, GNOME Shell 48
# and KWin 6, from a Debian 12 machine: in the chroot and with the build
# that scripts/test-debian13.sh left (its clone in /root/velmora, its build
# in build/main there), after installing the desktops' packages. Nothing
# of it stays mounted or running on the host.
# Usage: test-wayland-debian13.sh          (needs root; after test-debian13.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/velmora"
chroot="$cache/chroot-trixie-test"

# The Debian 13 stage's lock: its next run would replace the clone.
exec {lock}> "$cache/test-debian13.lock"
flock -n "$lock" || { echo "== Debian 13 Wayland: waiting for a run of the Debian 13 stage"; flock "$lock"; }
[ -x "$chroot/root/velmora/build/main/app/velmora" ] \
    || { echo "test-wayland-debian13: no build in $chroot/root/velmora: run test-debian13.sh first" >&2; exit 1; }

"$root/scripts/debian-chroot.sh" run "$chroot" bash -euo pipefail -c '
    cd /root/velmora
    . scripts/release.sh
    release_packages wayland
    scripts/install-deps.sh "${packages[@]}"
    scripts/test-wayland.sh build/main/app/velmora gnome kwin
'
echo "test-wayland-debian13: PASSED: GNOME Shell 48 and KWin 6 on Debian 13"
