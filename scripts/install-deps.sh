#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs the Debian 12 or 13 packages named on the command line that are
# missing (scripts/release.sh tells which release this is).
# Runs apt-get only when something is missing, so repeated builds stay fast.
# Elsewhere it succeeds when everything is there and otherwise stops at once,
# naming what to install by hand.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/release.sh"
. "$(dirname "${BASH_SOURCE[0]}")/apt-sources.sh"

missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

stop() {
    release_stop "$1; install by hand: ${missing[*]}"
}
command -v apt-get > /dev/null || stop "no apt-get here"
[ -n "$release" ] || stop "these are Debian 12's and 13's packages, not ${release_name}'s"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo > /dev/null || stop "not root and no sudo"
    sudo=(sudo)
fi

apt_lock
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}" < /dev/null
