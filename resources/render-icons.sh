#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Renders the committed icon files from velmora.svg: the PNGs of the Linux
# icon theme sizes in icons/ and the Windows icon velmora.ico. Run it after
# changing the SVG and commit what it writes; builds never run it.
# Needs rsvg-convert (librsvg2-bin), convert (imagemagick) and icotool
# (icoutils).
set -euo pipefail
cd "$(dirname "$0")"

theme_sizes=(16 22 24 32 48 64 128 256)
for size in "${theme_sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" velmora.svg \
        --output "icons/velmora-$size.png"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The 4- and 8-bit images of an icon have a palette and a 1-bit mask, so
# the alpha edge is cut at half and the colours are reduced without
# dithering, which would only speckle the flat shapes.
palette_image() {
    local size=$1 colours=$2
    convert "icons/velmora-$size.png" -channel A -threshold 50% +channel \
        -dither None -colors "$colours" "PNG32:$work/velmora-$size-$colours.png"
}
palette_image 32 16
palette_image 16 16
palette_image 48 256
palette_image 32 256
palette_image 16 256

# -b sets the smallest depth of the images after it. The 256 px image goes
# in as PNG, as Windows expects at that size, which also keeps the file small.
icotool --create --output velmora.ico \
    -b 4 "$work/velmora-32-16.png" "$work/velmora-16-16.png" \
    -b 8 "$work/velmora-48-256.png" "$work/velmora-32-256.png" "$work/velmora-16-256.png" \
    -b 32 --raw=icons/velmora-256.png \
    icons/velmora-64.png icons/velmora-48.png icons/velmora-32.png icons/velmora-16.png
icotool --list velmora.ico
