#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the Linux part of the tests on Debian 13 (trixie) from another
# Debian machine, in a minimal trixie chroot (scripts/debian-chroot.sh,
# cached under ~/.cache/velmora/chroot-trixie-test): a clone of the committed
# tree, where scripts/run.sh must install what it needs, build and start the
# program on Xvfb, then the unit, GUI, D-Bus and end-to-end tests (ctest)
# after installing what scripts/test.sh installs, and the Debian package
# built, checked by trixie's lintian, installed, started and purged
# (tests/check_deb.sh). No compiler warning is allowed. Nothing of it stays
# mounted or running on the host.
# Usage: test-debian13.sh          (needs root)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/velmora"

# One run at a time on this machine: another would replace this one's clone
# in the shared chroot. A second run waits.
mkdir -p "$cache"
exec {lock}> "$cache/test-debian13.lock"
flock -n "$lock" || { echo "== Debian 13: waiting for another run of this stage"; flock "$lock"; }

# A user's minimal Debian 13 with a clone has git as well.
# Its progress shown, its last line kept; through the open standard error,
# which reopening as /dev/stderr would empty when it is a file.
chroot=$("$root/scripts/debian-chroot.sh" make trixie test git | tee >(cat >&2) | tail -n 1)

echo "== Debian 13: a clone of the committed tree in $chroot/root/velmora"
rm -rf "$chroot/root/velmora"
git clone --quiet --depth 1 "file://$root" "$chroot/root/velmora"

"$root/scripts/debian-chroot.sh" run "$chroot" bash -euo pipefail -c '
    cd /root/velmora
    mkdir -p build
    # Every compiler diagnostic lands in these logs; none is allowed.
    echo "== Debian 13: scripts/run.sh (installs the packages it needs, builds, starts on Xvfb)"
    scripts/run.sh < /dev/null 2>&1 | tee build/run.log

    echo "== Debian 13: the packages of scripts/test.sh, the build and ctest"
    . scripts/release.sh
    [ "$release" = 13 ] || release_stop "the chroot is not Debian 13 but $release_name"
    release_packages build run test
    scripts/install-deps.sh "${packages[@]}"
    cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
    cmake --build build/main 2>&1 | tee build/build.log
    if grep -hE ":[0-9]+:[0-9]+: warning:|ld: warning:" build/run.log build/build.log; then
        echo "FAIL: the build on Debian 13 has warnings" >&2
        exit 1
    fi
    ctest --test-dir build/main --output-on-failure --no-tests=error -j2 < /dev/null

    echo "== Debian 13: Debian package, built, checked by lintian, installed, started and purged"
    tests/check_deb.sh build/deb
'
echo "test-debian13: PASSED: run.sh, the build, ctest and the package on Debian 13"
