#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package (scripts/build-deb.sh) and checks it the way a
# user meets it: lintian finds no error and no warning, apt installs it, the
# installed program opens its window, with an icon, on a virtual display, and
# a purge leaves none of its files behind. Installs and purges the package
# velmora on this machine, as root or through sudo.
# Usage: check_deb.sh [build-dir]     (default: build/deb)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/deb}")"

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
. "$root/scripts/apt-sources.sh"
# Waits for another apt or dpkg run to finish instead of failing at once.
apt_get() {
    (apt_lock && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -y -qq -o DPkg::Lock::Timeout=600 "$@" < /dev/null)
}

# The program runs in an empty folder of its own, so whatever it writes
# lands there.
work=$(mktemp -d)
cleanup() {
    if dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q 'install ok installed'; then
        apt_get purge velmora > /dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

"$root/scripts/build-deb.sh" "$build" | tee "$work/build-deb.out"
deb=$(tail -n 1 "$work/build-deb.out")

# The package build runs the unit tests; should it ever stop doing so,
# the package would build just the same.
unit_tests=$(grep -c '^ *[0-9]*/[0-9]* Test *#[0-9]*: tst_[a-z]* .* Passed' "$(dirname "$deb")/build.log")
[ "$unit_tests" -gt 0 ] || { echo "FAIL: the package build ran no unit test" >&2; exit 1; }
echo "check_deb: the package build ran and passed $unit_tests unit tests"

echo "== check_deb: lintian"
lintian --fail-on error,warning --display-info --pedantic "${deb%.deb}.changes"

echo "== check_deb: installing $deb"
# The machine already has the platform plugins a start needs; nothing else
# is to stay installed after the purge.
apt_get install --no-install-recommends "$deb" > /dev/null
listing=$(dpkg -L velmora)
files=()
while IFS= read -r path; do
    if [[ -f $path || -L $path ]]; then files+=("$path"); fi
done <<< "$listing"

echo "== check_deb: starting /usr/bin/velmora on a virtual display"
# Buses that do not exist: nothing the program does can reach the machine's.
(cd "$work" && DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" bash -c '
        /usr/bin/velmora & program=$!
        window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Velmora$" | head -n1)
        # Task bars and window switchers on X11 show the icon that the window
        # carries: its width and height lead the list. The program sets it
        # once the first frame is shown, a moment after the map.
        icon=
        for _ in $(seq 50); do
            [ -n "$window" ] || break
            icon=$(xprop -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON)
            [[ $icon == "_NET_WM_ICON(CARDINAL) = "* ]] && break
            sleep 0.1
        done
        kill "$program"; wait "$program" || true
        [ -n "$window" ] || { echo "FAIL: the installed program showed no window" >&2; exit 1; }
        [[ $icon =~ ^_NET_WM_ICON\(CARDINAL\)\ =\ [1-9][0-9]*,\ [1-9][0-9]*, ]] ||
            { echo "FAIL: the window of the installed program has no icon: ${icon:0:80}" >&2; exit 1; }
    ')

echo "== check_deb: purging"
apt_get purge velmora > /dev/null
left=()
for file in "${files[@]}"; do
    if [[ -e $file || -L $file ]]; then left+=("$file"); fi
done
if [ ${#left[@]} -gt 0 ]; then
    echo "FAIL: the purge left: ${left[*]}" >&2
    exit 1
fi
echo "check_deb: PASSED: $(basename "$deb") is lintian-clean, installs, starts and purges"
