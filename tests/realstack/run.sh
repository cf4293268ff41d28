#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Velmora from its Debian package against the real elogind and polkitd of
# Debian 12, in a minimal chroot (scripts/debian-chroot.sh, cached), each
# case at the same time in PID, mount and cgroup namespaces of its own
# (realstack.py). The machine that runs it is never asked to power off:
# poweroff, reboot, halt and kexec are stubs in the chroot, elogind sees
# only its own processes and its own part of the cgroup tree, and the
# host's mounts (with their options) and cgroups must be as before.
# Usage: run.sh PACKAGE [work-dir [CASE ...]]
#   PACKAGE: the .deb, or a folder where the newest velmora_*.deb is taken;
#   work-dir: default build/realstack; CASE: default every case.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
. "$root/scripts/release.sh"
[ "$release" = 12 ] || release_stop "the real stack here is Debian 12's, and the package must be built on Debian 12"

deb="$(realpath "$1")"
[ ! -d "$deb" ] || deb=$(ls -t "$deb"/velmora_*.deb | head -n 1)
work="$(realpath -m "${2:-$root/build/realstack}")"
cases=(no_session_no_agent unanswered_prompt active_session log_off_outside_session block_inhibitor)
[ $# -le 2 ] || cases=("${@:3}")

mapfile -t packages < "$here/packages.txt"
chroot_dir=$("$root/scripts/debian-chroot.sh" make bookworm realstack "${packages[@]}" | tail -n 1)

# elogind gets a part of the host's cgroup2 hierarchy: one cgroup made for
# this run, which the cgroup namespaces show it as the whole tree.
host_cgroup2=$(findmnt -n -t cgroup2 -o TARGET | head -n 1)
[ -n "$host_cgroup2" ] || release_stop "the machine has no cgroup2 hierarchy for elogind"
cgroup="$host_cgroup2$(sed -n 's/^0:://p' /proc/self/cgroup)"
cgroup="${cgroup%/}/velmora-realstack-$$"

pids=()
# Ends whatever still runs, removes the cgroups (the kernel ends a
# namespace's processes in its own time) and checks the host.
finish() {
    local status=$? pid after
    # unshare ignores SIGTERM; its death takes the namespace with it.
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2> /dev/null || true; done
    wait || true
    for _ in $(seq 100); do
        [ -d "$cgroup" ] || break
        find "$cgroup" -depth -type d -exec rmdir {} + 2> /dev/null || sleep 0.1
    done
    # Every mount with its options, a cgroup2 mount's nsdelegate among them.
    after=$(cat /proc/self/mountinfo)
    if [ "$before" != "$after" ]; then
        echo "realstack: FAIL: the host's mounts changed:" >&2
        diff <(echo "$before") <(echo "$after") >&2 || true
        status=1
    elif [ -d "$cgroup" ]; then
        echo "realstack: FAIL: the run's cgroup $cgroup is left" >&2
        status=1
    elif [ $status -eq 0 ]; then
        echo "realstack: PASSED: ${#cases[@]} cases against elogind and polkitd, the host's mounts and cgroups as before"
    fi
    exit $status
}

# in_namespaces NAME LOWER COMMAND...: COMMAND in the chroot, on a layer
# NAME over LOWER, in new namespaces and a cgroup of its own. Run it in the
# background: it takes the place of the shell it runs in, so that $! is
# the unshare that holds the namespaces.
in_namespaces() {
    local name=$1 lower=$2
    shift 2
    mkdir "$cgroup/$name"
    exec sh -c 'echo $$ > "$0/cgroup.procs" && exec "$@"' "$cgroup/$name" \
        unshare --pid --fork --kill-child --mount --propagation private --cgroup -- \
        "$here/enter.sh" "$lower" "$work/$name" "$@"
}

before=$(cat /proc/self/mountinfo)
trap finish EXIT
trap 'exit 1' INT TERM HUP
rm -rf "$work"
mkdir -p "$work/prepare/data/var/cache/velmora"
mkdir "$cgroup"

echo "== realstack: installing $(basename "$deb") in a layer over $chroot_dir"
cp "$deb" "$work/prepare/data/var/cache/velmora/"
in_namespaces prepare "$chroot_dir" \
    /opt/velmora-tests/realstack/prepare.sh "/var/cache/velmora/$(basename "$deb")" &
pids=($!)
wait "${pids[0]}"

echo "== realstack: ${#cases[@]} cases at once, about 2 minutes"
pids=()
for name in "${cases[@]}"; do
    in_namespaces "$name" "$work/prepare/data:$chroot_dir" \
        python3 /opt/velmora-tests/realstack/realstack.py "$name" > "$work/$name.log" 2>&1 &
    pids+=($!)
done
failed=()
for i in "${!cases[@]}"; do
    wait "${pids[$i]}" || failed+=("${cases[$i]}")
done
for name in "${failed[@]}"; do
    echo "---- realstack: $name failed:" >&2
    cat "$work/$name.log" >&2
done
[ ${#failed[@]} -eq 0 ]
