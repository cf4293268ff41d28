#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Regenerates docs/screenshots/main-window.png (a countdown running),
# docs/screenshots/warning.png (the warning one minute before the action)
# and docs/screenshots/refusal.png (the report of a refused shutdown)
# from the real program on a virtual display, with the private buses and
# mock services of the end-to-end test, so nothing reaches the machine.
# The windows speak the language LANGUAGE names, English where it is unset:
# the windows are found by their place and kind, never by a text.
# Usage: [LANGUAGE=fr] take-screenshots.sh [path/to/velmora]; without one it
# builds build/main. Takes about a minute: the warning comes a minute before
# the end.
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
from accessible import Application, attempt
from desktop import Desktop, wait_until

shots = os.path.join(root, 'docs', 'screenshots')
os.makedirs(shots, exist_ok=True)
desktop = Desktop()
running = []
try:
    desktop.start()
    desktop.start_accessibility()
    desktop.start_notifications()
    environment = desktop.environment()
    environment['LANGUAGE'] = os.environ.get('LANGUAGE') or 'en'

    def start():
        """Starts the program; its main window is the one with buttons."""
        process = desktop.spawn([program], cwd=e2e.working_directory(desktop.directory.name),
                                env=environment)
        running.append(process)
        application = Application(desktop.accessibility_address, process.pid)
        main, = wait_until(lambda: attempt(lambda: [window for window in application.root.children()
                                                    if window.showing and window.find_all('push button')]),
                           'the main window')
        window, = wait_until(lambda: len(windows(process)) == 1 and windows(process), 'the main window mapped')
        return process, main, window

    def windows(process):
        """Ids of the program's mapped X windows, whatever their titles."""
        found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid', str(process.pid)],
                               env=environment, stdout=subprocess.PIPE)
        return found.stdout.decode().split()

    def press_ok(main):
        # "Ok" is the first button of the top row, in every language.
        buttons = main.find_all('push button')
        ok = min(buttons, key=lambda button: button.extents()[1::-1])
        subprocess.run(['xdotool', 'mousemove', '--sync', *map(str, ok.centre()), 'click', '1'],
                       env=environment, check=True)

    def new_window(process, known):
        other, = wait_until(lambda: len(windows(process)) == 2 and set(windows(process)) - {known},
                            'a second window', 90)
        return other

    def shoot(window_id, name):
        # The pointer leaves the buttons, and the window gets time to draw.
        subprocess.run(['xdotool', 'mousemove', '0', '0'], env=environment, check=True)
        time.sleep(1)
        subprocess.run(['import', '-window', window_id, os.path.join(shots, name)],
                       env=environment, check=True)

    process, main, main_window = start()
    # The minutes are the spin box that goes up to 59.
    minutes, = [box for box in main.find_all('spin box') if box.maximum == 59]
    minutes.set_value(2)
    labels = [label.name for label in main.find_all('label')]
    press_ok(main)
    # The status line changes as the run starts.
    wait_until(lambda: [label.name for label in main.find_all('label')] != labels, 'the run to start')
    shoot(main_window, 'main-window.png')
    shoot(new_window(process, main_window), 'warning.png')
    process.kill()

    logind = desktop.start_logind(e2e.LOGIND_SESSION)
    logind.record(e2e.LOGIND_MANAGER, 'org.freedesktop.login1.Manager', 'PowerOff', 'b',
                  ('', "raise dbus.exceptions.DBusException('Interactive authentication required.', "
                       "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')\n"))
    process, main, main_window = start()
    press_ok(main)
    shoot(new_window(process, main_window), 'refusal.png')
finally:
    for process in running:
        process.kill()
        process.wait()
    desktop.stop()
print(f'Screenshots saved to {shots}')
EOF
