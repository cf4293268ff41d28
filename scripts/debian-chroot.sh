#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes and runs minimal Debian chroots, from the mirrors this machine's apt
# already uses (scripts/apt-sources.sh), cached outside the clone.
#
# Usage:
#   debian-chroot.sh make SUITE NAME [PACKAGE ...]
#       Makes the chroot NAME of Debian SUITE (bookworm, trixie) once with
#       debootstrap --variant=minbase, in ~/.cache/velmora/chroot-SUITE-NAME
#       (under $XDG_CACHE_HOME when that is set), with apt sources for SUITE,
#       SUITE-updates and SUITE-security as the host has them for its own
#       release. Installs the PACKAGEs missing there and, when its last
#       update is older than a week, brings it up to date. The last line
#       printed is the chroot's path.
#   debian-chroot.sh run DIR COMMAND [ARG ...]
#       Runs COMMAND as root in the chroot DIR, in a mount and PID namespace
#       of its own: /proc, a read-only /sys, a /dev with only the common
#       devices and its own ptys, and tmpfs on /dev/shm, /run and /tmp,
#       all gone with the namespace, as is every process COMMAND leaves.
#       The network is the host's. Fails when the host's mounts are not the
#       same afterwards.
#   debian-chroot.sh enter DIR COMMAND [ARG ...]
#       What run does inside its namespaces: mounts the above in DIR and
#       runs COMMAND there. Only for a first process of mount and PID
#       namespaces that a caller made itself.
# All need root; make needs a Debian 12 or 13 host.
set -euo pipefail
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$scripts/release.sh"
. "$scripts/apt-sources.sh"

usage() {
    sed -n 's/^# \{0,1\}//; /^Usage:/,/^All need/p' "${BASH_SOURCE[0]}" >&2
    exit 2
}

# Runs apt-get non-interactively in the chroot.
chroot_apt_get() {
    local dir=$1
    shift
    run "$dir" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o Dpkg::Use-Pty=0 "$@" < /dev/null
}

make_chroot() {
    local suite=$1 name=$2
    shift 2
    [[ $suite =~ ^[a-z]+$ && $name =~ ^[a-z0-9-]+$ ]] || usage
    local dir="${XDG_CACHE_HOME:-$HOME/.cache}/velmora/chroot-$suite-$name"
    local stamp="$dir/var/lib/velmora-chroot-updated" lock
    # One make at a time for each chroot; another waits for it.
    mkdir -p "$(dirname "$dir")"
    exec {lock}> "$dir.lock"
    flock -n "$lock" || { echo "== debian-chroot: waiting for another make of $dir"; flock "$lock"; }

    if [ ! -f "$stamp" ]; then
        local sources mirror keyring
        sources=$(apt_deb_entries_for_suite "$release_codename" "$suite")
        # The mirror of the entry that holds SUITE itself, and its key.
        read -r mirror keyring < <(awk -v suite="$suite" '
            /^$/ { if (found) exit; uri = ""; key = "" }
            /^URIs:/ { uri = $2 }
            /^Signed-By: *\// { key = $2 }
            /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
            END { if (found) print uri, key }' <<< "$sources")
        [ -n "$mirror" ] ||
            release_stop "apt has no enabled deb entry for Debian $release_codename to take a mirror for $suite from"
        echo "== debian-chroot: making a minimal Debian $suite in $dir"
        rm -rf "$dir.new"
        mkdir -p "$dir.new"
        debootstrap --variant=minbase ${keyring:+--keyring="$keyring"} "$suite" "$dir.new" "$mirror" \
            > "$dir.new.log" 2>&1 || { tail -n 20 "$dir.new.log" >&2; release_stop "debootstrap of $suite failed (log: $dir.new.log)"; }
        rm -f "$dir.new/etc/apt/sources.list"
        echo "$sources" > "$dir.new/etc/apt/sources.list.d/debian.sources"
        # Packages installed here start no services.
        printf '#!/bin/sh\nexit 101\n' > "$dir.new/usr/sbin/policy-rc.d"
        chmod 755 "$dir.new/usr/sbin/policy-rc.d"
        rm -rf "$dir"
        mv "$dir.new" "$dir"
        rm -f "$dir.new.log"
        chroot_apt_get "$dir" update
        touch "$stamp"
    elif [ -n "$(find "$stamp" -mtime +6)" ]; then
        echo "== debian-chroot: updating $dir, last updated $(date -r "$stamp" +%F)"
        chroot_apt_get "$dir" update
        chroot_apt_get "$dir" dist-upgrade
        touch "$stamp"
    fi

    local package missing=()
    for package in "$@"; do
        dpkg-query --admindir="$dir/var/lib/dpkg" -W -f='${Status}' "$package" 2> /dev/null |
            grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== debian-chroot: installing in $dir: ${missing[*]}"
        chroot_apt_get "$dir" update
        chroot_apt_get "$dir" install --no-install-recommends "${missing[@]}" > /dev/null
    fi
    echo "$dir"
}

# The host's mounts that a run could touch: those in the chroot and those of
# the file systems it mounts or binds from. Mount points, options, file
# system types and sources, without the ids that change: a remount that
# only changes options (cgroup2's nsdelegate, say) counts too. Other
# programs may mount elsewhere meanwhile.
host_mounts() {
    awk -v dir="$1" '
        { for (i = 7; $i != "-"; i++); point = $5 }
        point == dir || index(point, dir "/") == 1 || point ~ /^\/(proc|sys|dev|run|tmp)?(\/|$)/ {
            print point, $6, $(i + 1), $(i + 2), $(i + 3)
        }' /proc/self/mountinfo | sort
}

# Compares the host's mounts with those before the run; also on the way out
# of a run that failed or was interrupted.
check_host_mounts() {
    local after
    after=$(host_mounts "$run_dir")
    [ "$after" != "$mounts_before" ] || return 0
    echo "debian-chroot: the host's mounts changed while running in $run_dir:" >&2
    diff <(echo "$mounts_before") <(echo "$after") >&2 || true
    exit 1
}

# The mounts live in the namespace only, and so nothing is ever unmounted
# on the host: when its first process ends, for whatever reason, the kernel
# ends the others and drops the namespace with every mount in it. unshare
# ends that first process when it ends itself (--kill-child), and a signal
# that ends this script ends unshare, with SIGKILL: once it has forked,
# unshare ignores SIGTERM.
run() {
    [ $# -ge 2 ] && [ -x "$1/bin/sh" ] || usage
    run_dir=$(realpath "$1")
    shift
    mounts_before=$(host_mounts "$run_dir")
    trap check_host_mounts EXIT
    local status=0 stdin
    # A command in the background would read /dev/null instead of the
    # standard input, if there is one.
    { exec {stdin}<&0; } 2> /dev/null || exec {stdin}< /dev/null
    unshare --mount --propagation private --pid --fork --kill-child -- \
        bash "${BASH_SOURCE[0]}" enter "$run_dir" "$@" <&$stdin {stdin}<&- &
    unshare_pid=$!
    trap 'kill -KILL "$unshare_pid" 2> /dev/null; wait "$unshare_pid"; exit 143' TERM
    trap 'kill -KILL "$unshare_pid" 2> /dev/null; wait "$unshare_pid"; exit 130' INT
    wait "$unshare_pid" || status=$?
    exec {stdin}<&-
    trap - EXIT TERM INT
    check_host_mounts
    return $status
}

# Inside the namespaces (PID 1 there): mounts what programs expect and
# enters the chroot. Every mount goes with the namespace. tests/realstack
# calls "debian-chroot.sh enter DIR COMMAND" too, from namespaces of its
# own (with a cgroup namespace, over an overlay of the chroot).
enter() {
    local dir=$1 device
    shift
    mount -t proc proc "$dir/proc"
    mount -t sysfs -o ro sysfs "$dir/sys"
    mount -t tmpfs -o mode=755,size=16m tmpfs "$dir/dev"
    for device in null zero full random urandom tty; do
        touch "$dir/dev/$device"
        mount --bind "/dev/$device" "$dir/dev/$device"
    done
    mkdir "$dir/dev/pts" "$dir/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$dir/dev/pts"
    ln -s pts/ptmx "$dir/dev/ptmx"
    ln -s /proc/self/fd "$dir/dev/fd"
    ln -s /proc/self/fd/0 "$dir/dev/stdin"
    ln -s /proc/self/fd/1 "$dir/dev/stdout"
    ln -s /proc/self/fd/2 "$dir/dev/stderr"
    mount -t tmpfs -o mode=1777 tmpfs "$dir/dev/shm"
    mount -t tmpfs -o mode=755 tmpfs "$dir/run"
    mount -t tmpfs -o mode=1777 tmpfs "$dir/tmp"
    cp -L /etc/resolv.conf "$dir/etc/resolv.conf"
    chroot "$dir" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

[ $# -ge 1 ] || usage
[ "$(id -u)" -eq 0 ] || release_stop "needs root"
case "$1" in
    make)
        [ $# -ge 3 ] || usage
        release_require "needs Debian 12 or 13 to take the mirrors from, not $release_name"
        mapfile -t packages < "$scripts/packages-chroot.txt"
        "$scripts/install-deps.sh" "${packages[@]}"
        shift
        make_chroot "$@"
        ;;
    run) shift; run "$@" ;;
    enter) shift; enter "$@" ;;
    *) usage ;;
esac
