#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the images of the Windows icon. icotool picks each image's depth from
# its colours, so a changed SVG or render step can silently turn a palette
# image into a 32-bit one; Windows then falls back on scaled images.
# Usage: check_icon.sh <icon.ico>
set -uo pipefail

# The order of the images in the file does not matter, so both lists are
# compared sorted.
expected=$(sort <<'END'
32x32 4
16x16 4
48x48 8
32x32 8
16x16 8
256x256 32
64x64 32
48x48 32
32x32 32
16x16 32
END
)

listing=$(icotool --list "$1") || exit 1
found=$(sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=\([0-9]*\).*/\1x\2 \3/p' \
    <<<"$listing" | sort)
if [[ $found != "$expected" ]]; then
    echo "check_icon: FAILED: $1 holds other images than expected" >&2
    diff <(echo "$expected") <(echo "$found") >&2
    exit 1
fi
echo "check_icon: PASSED: $1 holds the ten expected images"
