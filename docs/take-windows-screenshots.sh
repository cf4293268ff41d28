#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Regenerates docs/screenshots/windows-main-window.png (a countdown running)
# and docs/screenshots/windows-warning.png (the warning a minute before the
# action) from velmora.exe under Wine on a virtual display, in the prefix
# that scripts/test-windows.sh leaves in the build. The countdown is stopped
# before it ends. Usage: take-windows-screenshots.sh [build-dir]
# Takes about a minute: the warning comes a minute before the end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/windows}"
prefix="$build/wineprefix"
[ -d "$prefix/drive_c/velmora" ] || { echo "run scripts/test-windows.sh first" >&2; exit 1; }

cp "$build/velmora.exe" "$prefix/drive_c/velmora/"
folder="$prefix/drive_c/velmora-screenshots"
rm -rf "$folder"
mkdir -p "$folder"
printf '500 1 1' > "$folder/settings.dat"

xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" bash -euo pipefail -c '
    folder=$1 shots=$2
    export WINEPREFIX=$3 WINEDEBUG=-all WINEQT_QPA_PLATFORM=windows:fontengine=directwrite
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
    cd "$folder"
    wine "C:\\velmora\\velmora.exe" & program=$!
    main=$(timeout 60 xdotool search --sync --onlyvisible --name "^Velmora$" | head -n1)
    xdotool windowfocus --sync "$main"
    # Two minutes: Tab twice from the days box to the minutes, then Enter
    # presses "Ok".
    xdotool key Tab Tab ctrl+a
    xdotool type 2
    xdotool key Return
    sleep 63
    # The warning is the other window whose title ends in Velmora.
    warning=$(xdotool search --onlyvisible --name "Velmora$" | grep -vx "$main" | head -n1)
    # With no window manager the warning opens over the main window.
    xdotool windowmove --sync "$warning" 0 0
    sleep 1
    import -window "$main" "$shots/windows-main-window.png"
    import -window "$warning" "$shots/windows-warning.png"
    kill "$program"
    wineserver --kill
' _ "$folder" "$root/docs/screenshots" "$prefix"
echo "Saved docs/screenshots/windows-main-window.png and windows-warning.png"
