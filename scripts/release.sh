# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the scripts: the one check of the system they run on, from
# /etc/os-release. Sets release to Debian's major version, 12 or 13, and
# release_codename to its name (bookworm, trixie); on any other system
# release is empty and release_name names the system.
#   release_stop MESSAGE      prints "<script>: MESSAGE" and exits 1
#   release_require MESSAGE   stops with MESSAGE unless on Debian 12 or 13
#   release_packages LIST...  sets the array packages to the names in
#       scripts/packages-LIST.txt and, where a name differs between the
#       releases, in scripts/packages-LIST-<release>.txt; stops on another
#       system when such a file exists for LIST.

release_stop() {
    echo "${0##*/}: $*" >&2
    exit 1
}

IFS=: read -r release_id release release_codename release_name < <(
    . /etc/os-release 2> /dev/null
    echo "${ID:-}:${VERSION_ID:-}:${VERSION_CODENAME:-}:${PRETTY_NAME:-}"
)
case "$release_id:$release" in
    debian:12 | debian:13) ;;
    *) release="" ;;
esac
release_name=${release_name:-this system}

release_require() {
    [ -n "$release" ] || release_stop "$*"
}

release_packages() {
    local list dir
    dir=$(dirname "${BASH_SOURCE[0]}")
    packages=()
    for list in "$@"; do
        mapfile -t -O ${#packages[@]} packages < "$dir/packages-$list.txt"
        if compgen -G "$dir/packages-$list-[0-9]*.txt" > /dev/null; then
            release_require "the packages of packages-$list.txt are named for Debian 12 and 13 (packages-$list-12.txt, -13.txt), not for $release_name"
            mapfile -t -O ${#packages[@]} packages < "$dir/packages-$list-$release.txt"
        fi
    done
}
