# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private KWin desktop on Wayland for the program under test: a headless
KWin with a virtual output and Xwayland, inside its own session bus
(session.py), with a keyboard and pointer worked through KWin's fake input
protocol. Nothing here reaches a bus, display or runtime directory of the
machine."""

import importlib
import os
import shlex
import subprocess
import sys

from pywayland.client import Display
from pywayland.scanner.protocol import Protocol

from session import SCREEN, WAYLAND_SOCKET, SessionDesktop
from desktop import wait_until

# KWin and Xwayland start in seconds; a busy machine may take many more.
KWIN_START_TIMEOUT_S = 90
FAKE_INPUT_XML = '/usr/share/plasma-wayland-protocols/fake-input.xml'

# Key codes of linux/input-event-codes.h: the letters lie in rows of the
# keyboard, numbered on from the row's first key.
KEY_CODES = {letter: first + index
             for first, row in ((16, 'qwertyuiop'), (30, 'asdfghjkl'), (44, 'zxcvbnm'))
             for index, letter in enumerate(row)}
KEY_CODES.update({'\n': 28, ' ': 57})
KEY_LEFTSHIFT = 42
BUTTON_LEFT = 0x110
PRESSED, RELEASED = 1, 0


class KWinDesktop(SessionDesktop):
    """KWin with Xwayland; no notification server runs."""

    NAME = 'KWin'
    CURRENT_DESKTOP = 'KDE'

    def __init__(self):
        super().__init__()
        self.kwin = None

    def start(self):
        super().start()
        self.enable_accessibility()
        self._start_kwin()
        # By its full path: this process's XDG_RUNTIME_DIR is the machine's.
        self.input = FakeInput(os.path.join(self.runtime, WAYLAND_SOCKET),
                               self._directory('protocols'))

    def _start_kwin(self):
        """KWin chooses Xwayland's display itself and says which only to
        the programs it starts once Wayland and Xwayland are up: the one
        program given here writes down what it was told."""
        # Without it KWin runs with no Xwayland.
        self.make_x11_sockets_folder()
        told = os.path.join(self.directory.name, 'kwin-session.env')
        tell = shlex.join(['sh', '-c', 'env -0 > "$0.new" && mv "$0.new" "$0"', told])
        env = self.environment()
        # KWin offers its fake input protocol only to programs whose
        # desktop file asks for it; a test script has none.
        env['KWIN_WAYLAND_NO_PERMISSION_CHECKS'] = '1'
        with open(os.path.join(self.directory.name, 'kwin.log'), 'wb') as log:
            # A screen locker would take the keyboard from the windows
            # after minutes without a user's input. KWin's processes,
            # Xwayland's among them, share its process group for stop().
            self.kwin = self.spawn(['kwin_wayland', '--virtual', '--xwayland', '--no-lockscreen',
                                    '--socket', WAYLAND_SOCKET, '--width', str(SCREEN[0]),
                                    '--height', str(SCREEN[1]), tell],
                                   stdout=log, stderr=log, env=env, start_new_session=True)
        self.process_groups.append(self.kwin)
        wait_until(lambda: self.kwin.poll() is not None or os.path.exists(told),
                   'KWin to start Wayland and Xwayland', KWIN_START_TIMEOUT_S)
        if self.kwin.poll() is not None:
            raise AssertionError('KWin ended:\n' + self.kwin_log())
        self._take_xwayland(told)

    def _take_xwayland(self, told):
        """Takes Xwayland's display from what KWin told its program, once
        an X client can open it."""
        with open(told, encoding='utf-8') as file:
            session = dict(entry.split('=', 1) for entry in file.read().split('\0') if '=' in entry)
        if not session.get('DISPLAY'):
            raise AssertionError('KWin started no Xwayland:\n' + self.kwin_log())
        self.display, self.xauthority = session['DISPLAY'], session.get('XAUTHORITY')
        wait_until(lambda: subprocess.run(['xdpyinfo'], env=self.session_environment(),
                                          stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL).returncode == 0,
                   f'Xwayland on {self.display} to take clients', KWIN_START_TIMEOUT_S)

    def kwin_log(self):
        with open(os.path.join(self.directory.name, 'kwin.log'), encoding='utf-8',
                  errors='replace') as log:
            return log.read()[-4000:]


class FakeInput:
    """A keyboard and pointer of the compositor, as KWin's fake input
    protocol gives them to a remote control program: their events reach
    whichever window KWin gives them to, exactly as a user's would."""

    def __init__(self, socket, directory):
        self.display = Display(socket)
        self.display.connect()
        found = {}

        def announced(_registry, name, interface, version):
            found[interface] = (name, version)
        registry = self.display.get_registry()
        registry.dispatcher['global'] = announced
        self.display.roundtrip()
        interface = _fake_input_interface(directory)
        if interface.name not in found:
            self.display.disconnect()
            raise AssertionError('KWin offers no fake input to this program')
        name, version = found[interface.name]
        self.device = registry.bind(name, interface, min(version, interface.version))
        self.device.authenticate('Velmora tests', 'to type and click as the user does')
        self.display.roundtrip()
        # KWin's seat gets its keyboard and pointer with this device, and
        # windows learn of them a moment later: the first events are ones
        # that change nothing, well before any that count.
        self.stir()

    def _send(self, request, *arguments):
        """One request, processed by KWin before the next is made."""
        request(*arguments)
        self.display.roundtrip()

    def _key(self, code):
        self._send(self.device.keyboard_key, code, PRESSED)
        self._send(self.device.keyboard_key, code, RELEASED)

    def stir(self):
        """Input that changes nothing, as a user's shows that they are there."""
        self._key(KEY_LEFTSHIFT)

    def type(self, text):
        for character in text:
            self._key(KEY_CODES[character])

    def click(self, x, y):
        """Clicks at (x, y) of the screen."""
        self._send(self.device.pointer_motion_absolute, float(x), float(y))
        self._send(self.device.button, BUTTON_LEFT, PRESSED)
        self._send(self.device.button, BUTTON_LEFT, RELEASED)

    def stop(self):
        self.display.disconnect()


def _fake_input_interface(directory):
    """pywayland carries only the core protocol; KWin's own is made into
    Python from its description, in `directory`, for this run."""
    protocol = Protocol.parse_file(FAKE_INPUT_XML)
    protocol.output(directory, {interface.name: protocol.name for interface in protocol.interface})
    sys.path.insert(0, directory)
    try:
        module = importlib.import_module(protocol.name)
    finally:
        sys.path.remove(directory)
    return module.OrgKdeKwinFakeInput
