#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a program of the Windows build under Wine in the private prefix that
# wine-prefix.sh made; ctest uses it to run the cross-built tests.
# Usage: wine-run.sh <prefix> <program.exe> [argument ...]
# The prefix has no drive for the host's files, so the program is copied in
# first, beside the DLLs staged there, and runs in that folder.
set -euo pipefail
prefix=$1
program=$2
shift 2
staging="$prefix/drive_c/velmora"
cp "$program" "$staging/"

# Wine keeps the host's QT_* variables from Windows programs, as they would
# rarely suit them; a WINE prefix passes one on.
for name in $(compgen -e | grep '^QT_' || true); do
    export "WINE$name=${!name}"
done
# Without a console of its own, a Qt program would log to the debugger
# rather than to stderr, and QtTest would print nothing.
export WINEQT_FORCE_STDERR_LOGGING=1
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
cd "$staging"
exec wine "C:\\velmora\\$(basename "$program")" "$@"
