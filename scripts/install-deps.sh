#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs the Debian 12 packages named on the command line that are missing.
# Runs apt-get only when something is missing, so repeated builds stay fast.
# Elsewhere it succeeds when everything is there and otherwise stops at once,
# naming what to install by hand.
set -euo pipefail

missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

stop() {
    echo "install-deps: $1; install by hand: ${missing[*]}" >&2
    exit 1
}
command -v apt-get > /dev/null || stop "no apt-get here"
IFS=: read -r id version name < <(. /etc/os-release 2> /dev/null; echo "${ID:-}:${VERSION_ID:-}:${PRETTY_NAME:-}")
[ "$id:$version" = debian:12 ] || stop "these are Debian 12's packages, not ${name:-this system}'s"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo > /dev/null || stop "not root and no sudo"
    sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" < /dev/null
