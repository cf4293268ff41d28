#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a test executable as user nobody, for the cases that root passes
# whatever the code does (root may write a read-only file). The build tree
# may lie where nobody cannot reach it (under /root), so the executable runs
# from a copy in a fresh folder under /tmp that nobody owns and that also
# serves as its temporary folder and home. Started by a user other than root,
# it runs the copy as that user.
# Usage: run_as_nobody.sh <test-executable> [test arguments ...]
set -euo pipefail
folder=$(mktemp -d -p /tmp velmora-nobody.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/test"
shift
as_user=()
if [[ $EUID -eq 0 ]]; then
    chown nobody:nogroup "$folder"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
cd "$folder"
TMPDIR=$folder HOME=$folder XDG_RUNTIME_DIR= "${as_user[@]}" ./test "$@"
