#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Regenerates docs/screenshots/main-window.png (a countdown running),
# docs/screenshots/warning.png (the warning one minute before the action)
# and docs/screenshots/refusal.png (the report of a refused shutdown)
# from the real program on a virtual display, with the private buses and
# mock services of the end-to-end test, so nothing reaches the machine.
# Usage: take-screenshots.sh [path/to/velmora]; without one it builds
# build/main. Takes about a minute: the warning comes a minute before the end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-}"
if [ -z "$program" ]; then
    cmake -S "$root" -B "$root/build/main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
    cmake --build "$root/build/main" --target velmora
    program="$root/build/main/app/velmora"
fi

# The system python has dbusmock; the one on PATH may not.
/usr/bin/python3 -B - "$root" "$(realpath "$program")" <<'EOF'
import os
import subprocess
import sys
import time

root, program = sys.argv[1:]
sys.path.insert(0, os.path.join(root, 'tests', 'e2e'))
import test_velmora_e2e as e2e
from desktop import Desktop, wait_until

e2e.PROGRAM = program
shots = os.path.join(root, 'docs', 'screenshots')
os.makedirs(shots, exist_ok=True)
desktop = Desktop()
try:
    desktop.start()
    desktop.start_accessibility()
    desktop.start_notifications()
    velmora = e2e.Velmora(desktop)
    user = velmora.user

    def shoot(window_id, name):
        # The pointer leaves the buttons, and the window gets time to draw.
        subprocess.run(['xdotool', 'mousemove', '0', '0'], env=desktop.environment(), check=True)
        time.sleep(1)
        subprocess.run(['import', '-window', window_id, os.path.join(shots, name)],
                       env=desktop.environment(), check=True)

    def velmora_windows():
        return user.visible_windows(e2e.ANY_WINDOW)

    velmora.set_minutes(2)
    velmora.press('Ok')
    velmora.wait_for_status(e2e.TIME_LEFT.match)
    main_window, = velmora_windows()
    shoot(main_window, 'main-window.png')
    windows = wait_until(lambda: len(velmora_windows()) == 2 and velmora_windows(),
                         'the warning window', 90)
    warning, = set(windows) - {main_window}
    shoot(warning, 'warning.png')
    velmora.stop()

    logind = desktop.start_logind(e2e.LOGIND_SESSION)
    logind.record(e2e.LOGIND_MANAGER, 'org.freedesktop.login1.Manager', 'PowerOff', 'b',
                  ('', "raise dbus.exceptions.DBusException('Interactive authentication required.', "
                       "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')\n"))
    velmora = e2e.Velmora(desktop)
    main_window, = wait_until(lambda: len(velmora_windows()) == 1 and velmora_windows(),
                              'the main window alone')
    velmora.press('Ok')
    windows = wait_until(lambda: len(velmora_windows()) == 2 and velmora_windows(),
                         'the report window')
    report, = set(windows) - {main_window}
    shoot(report, 'refusal.png')
finally:
    desktop.stop()
print(f'Screenshots saved to {shots}')
EOF
