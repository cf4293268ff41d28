#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs as the first process of the PID, mount and cgroup namespaces that
# run.sh makes: lays a writable layer over the cached chroot (overlayfs, so
# the cache itself never changes), shows the tests to it read-only and runs
# COMMAND in it (scripts/debian-chroot.sh enter). Every mount goes with the
# namespace.
# Usage: enter.sh LOWER LAYER COMMAND [ARG ...]
#   LOWER: the layers below, as overlayfs's lowerdir (colon-separated);
#   LAYER: a folder for this run's layer (data, work and the merged root).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
lower=$1 layer=$2
shift 2
mkdir -p "$layer/data" "$layer/work" "$layer/root"
mount -t overlay overlay -o "lowerdir=$lower,upperdir=$layer/data,workdir=$layer/work" "$layer/root"
mkdir -p "$layer/root/opt/velmora-tests"
mount --bind -o ro "$root/tests" "$layer/root/opt/velmora-tests"
exec "$root/scripts/debian-chroot.sh" enter "$layer/root" "$@"
