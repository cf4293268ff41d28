# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private GNOME Shell desktop on Wayland for the program under test: a
headless GNOME Shell with a virtual monitor and Xwayland, inside its own
session bus (session.py), with a keyboard and pointer worked through
Mutter's remote desktop interface. Nothing here reaches a bus, display or
runtime directory of the machine."""

import glob
import os
import re
import subprocess

import dbus

from session import SCREEN, SessionDesktop
from accessible import Application, attempt
from desktop import wait_until

# GNOME Shell and its services need longer than a plain X server to start.
SHELL_START_TIMEOUT_S = 90
# How long one request to close the overview is given before it is made
# again: its animation takes a fraction of that even on a busy machine.
OVERVIEW_CLOSE_TIMEOUT_S = 10
# GNOME Shell opens its overview as it starts; one that has not opened by
# then is not going to.
OVERVIEW_OPEN_TIMEOUT_S = 30
REMOTE_DESKTOP = 'org.gnome.Mutter.RemoteDesktop'
REMOTE_DESKTOP_SESSION = 'org.gnome.Mutter.RemoteDesktop.Session'
KEYSYMS = {'\n': 0xff0d, ' ': 0x20}
KEYSYM_SHIFT = 0xffe1
BUTTON_LEFT = 0x110  # BTN_LEFT of linux/input-event-codes.h


class GnomeDesktop(SessionDesktop):
    """GNOME Shell with Xwayland, and its notification service."""

    NAME = 'GNOME Shell'
    CURRENT_DESKTOP = 'GNOME'
    SESSION_SERVICES = SessionDesktop.SESSION_SERVICES + ('org.gnome.Shell.Notifications',)

    def __init__(self):
        super().__init__()
        self.shell = self.shell_accessible = None

    def start(self):
        super().start()
        self._start_shell()

    def _start_shell(self):
        self.make_x11_sockets_folder()
        # As on a machine without a GPU, or for a user who turned them off:
        # without animations, GNOME Shell 48 once held the warning's banner
        # back for good behind another.
        subprocess.run(['gsettings', 'set', 'org.gnome.desktop.interface', 'enable-animations',
                        'false'], env=self.environment(), check=True, timeout=60)
        log = open(os.path.join(self.directory.name, 'gnome-shell.log'), 'wb')
        with log:
            # Xwayland shares its process group, which stop() ends.
            self.shell = self.spawn(['gnome-shell', '--headless', '--wayland',
                                     '--virtual-monitor', '{}x{}'.format(*SCREEN)],
                                    stdout=log, stderr=log, start_new_session=True)
        self.process_groups.append(self.shell)
        wait_until(lambda: self.shell.poll() is not None
                   or (self.session_bus.name_has_owner('org.gnome.Shell')
                       and self.session_bus.name_has_owner('org.freedesktop.Notifications')
                       and self._xwayland_display()),
                   'GNOME Shell, its notification service and Xwayland', SHELL_START_TIMEOUT_S)
        if self.shell.poll() is not None:
            raise AssertionError('GNOME Shell ended:\n' + self.shell_log())
        self.display = self._xwayland_display()
        self.xauthority = glob.glob(os.path.join(self.runtime, '.mutter-Xwaylandauth.*'))[0]
        self.enable_accessibility()
        self.shell_accessible = Application(self.accessibility_address, self.shell.pid)
        self._leave_overview()
        self.input = RemoteInput(self.session_bus)
        self._clear_banners()

    def _xwayland_display(self):
        """The X11 display Mutter chose for Xwayland, once it says so."""
        found = re.search(r'Using public X11 display (:\d+)', self.shell_log())
        return found and found.group(1)

    def shell_log(self):
        with open(os.path.join(self.directory.name, 'gnome-shell.log'), encoding='utf-8',
                  errors='replace') as log:
            return log.read()[-4000:]

    def _leave_overview(self):
        """GNOME Shell starts in its overview, as after a login; a user at
        work is past it."""
        # Asked before it opens, it would open after the request.
        try:
            wait_until(self._overview_active, 'the overview to open', OVERVIEW_OPEN_TIMEOUT_S)
        except AssertionError:
            return
        self._close_overview()

    def repaint(self):
        """Headless GNOME Shell at times stops painting once a new window
        maps, and then picks the window under the pointer from its last
        frame: clicks miss a window shown since, while keys reach it.
        Opening and closing the overview makes it paint again, and gives
        the keyboard back to the window that had it."""
        self._shell().Set('org.gnome.Shell', 'OverviewActive', True,
                             dbus_interface=dbus.PROPERTIES_IFACE)
        wait_until(self._overview_active, 'the overview to open', OVERVIEW_OPEN_TIMEOUT_S)
        self._close_overview()

    def _shell(self):
        return self.session_bus.get_object('org.gnome.Shell', '/org/gnome/Shell')

    def _overview_active(self):
        return bool(self._shell().Get('org.gnome.Shell', 'OverviewActive',
                                         dbus_interface=dbus.PROPERTIES_IFACE))

    def _close_overview(self):
        """A request to close the overview while it is still opening is
        lost, and the overview then stays over every window, so the request
        is made again until the overview reads closed: it reads open until
        its closing has ended."""
        def closed_on_request():
            self._shell().Set('org.gnome.Shell', 'OverviewActive', False,
                                 dbus_interface=dbus.PROPERTIES_IFACE)
            try:
                wait_until(lambda: not self._overview_active(), 'the overview to close',
                           OVERVIEW_CLOSE_TIMEOUT_S)
            except AssertionError:
                return False
            return True
        wait_until(closed_on_request, 'the overview to close, asked again and again',
                   SHELL_START_TIMEOUT_S)

    def _clear_banners(self):
        """Running as root, GNOME Shell shows a banner saying so, which
        holds back every other banner until it goes; it goes once the user
        has been active while it is shown."""
        def cleared():
            self.input.stir()
            return not self.banners()
        wait_until(cleared, 'the banners shown at the start to go')

    def banners(self):
        """The texts of each notification banner GNOME Shell shows now, as
        a list of lists of the banner's label texts."""
        found = []
        stage = attempt(self.shell_accessible.root.children) or []
        for node in _shallow_descendants(stage, 'notification'):
            if attempt(lambda: node.showing):
                found.append([label.name for label in attempt(lambda: node.find_all('label')) or []])
        return found

    def banner_button(self, summary_start, button):
        """The button of that name on a banner whose texts include one
        starting with summary_start, or None. GNOME Shell 43 calls its
        buttons push buttons, 48 buttons."""
        stage = attempt(self.shell_accessible.root.children) or []
        for node in _shallow_descendants(stage, 'notification'):
            labels = [label.name for label in attempt(lambda: node.find_all('label')) or []]
            if not (attempt(lambda: node.showing) and any(text.startswith(summary_start) for text in labels)):
                continue
            for role in ('push button', 'button'):
                found = attempt(lambda: node.find_all(role, button))
                if found:
                    return found[0]
        return None


def _shallow_descendants(nodes, role, depth=5):
    """Nodes of this role at most `depth` levels down: banners lie near the
    top of GNOME Shell's stage, the message list's copies deep in menus."""
    found = []
    for node in nodes:
        node_role = attempt(lambda: node.role)
        if node_role == role:
            found.append(node)
        elif depth > 1:
            found.extend(_shallow_descendants(attempt(node.children) or [], role, depth - 1))
    return found


class RemoteInput:
    """A keyboard and pointer of the compositor, as a remote desktop client
    has them: their events reach whichever window GNOME Shell gives them
    to, exactly as a user's would."""

    def __init__(self, bus):
        manager = bus.get_object(REMOTE_DESKTOP, '/org/gnome/Mutter/RemoteDesktop',
                                 introspect=False)
        path = manager.CreateSession(dbus_interface=REMOTE_DESKTOP)
        self.session = dbus.Interface(bus.get_object(REMOTE_DESKTOP, path, introspect=False),
                                      REMOTE_DESKTOP_SESSION)
        self.session.Start()
        # The seat gets its keyboard and pointer with their first events,
        # and windows learn of them a moment later: the first events are
        # ones that change nothing, well before any that count.
        self.stir()
        self._to_bottom_right()

    def stir(self):
        """Input that changes nothing, as a user's shows that they are there."""
        self._key(KEYSYM_SHIFT)

    def _key(self, keysym):
        self.session.NotifyKeyboardKeysym(dbus.UInt32(keysym), True)
        self.session.NotifyKeyboardKeysym(dbus.UInt32(keysym), False)

    def type(self, text):
        for character in text:
            self._key(KEYSYMS.get(character, ord(character)))

    def click(self, x, y):
        """Clicks at (x, y) of the screen. Absolute motion needs a screen
        cast stream; relative motion stops at the screen's edge, so the
        pointer goes to the bottom right corner first (the top left one
        would open the overview)."""
        width, height = SCREEN
        self._to_bottom_right()
        self.session.NotifyPointerMotionRelative(float(x - width + 1), float(y - height + 1))
        self.session.NotifyPointerButton(BUTTON_LEFT, True)
        self.session.NotifyPointerButton(BUTTON_LEFT, False)

    def _to_bottom_right(self):
        width, height = SCREEN
        self.session.NotifyPointerMotionRelative(float(2 * width), float(2 * height))

    def stop(self):
        self.session.Stop()
