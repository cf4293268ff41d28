# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private GNOME Shell desktop on Wayland for the program under test: a
headless GNOME Shell with a virtual monitor and Xwayland, inside its own
session bus,
with python-dbusmock's logind on a private system bus, the real
accessibility bus of at-spi2-core, and a keyboard and pointer worked
through Mutter's remote desktop interface. Nothing here reaches a bus,
display or runtime directory of the machine."""

import glob
import os
import re
import signal
import sys

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'e2e'))
from accessible import Application, attempt  # noqa: E402
from desktop import Desktop, wait_until  # noqa: E402

SCREEN = (1024, 768)
# GNOME Shell and its services need longer than a plain X server to start.
SHELL_START_TIMEOUT_S = 90
# How long one request to close the overview is given before it is made
# again: its animation takes a fraction of that even on a busy machine.
OVERVIEW_CLOSE_TIMEOUT_S = 10
# GNOME Shell opens its overview as it starts; one that has not opened by
# then is not going to.
OVERVIEW_OPEN_TIMEOUT_S = 30
# The session services GNOME Shell uses that the test wants; every other
# name it asks for stays unknown, so nothing else of the desktop starts.
SESSION_SERVICES = ('org.a11y.Bus', 'ca.desrt.dconf', 'org.gnome.Shell.Notifications')
SYSTEM_SERVICES = '/usr/share/dbus-1/services'
X11_SOCKETS = '/tmp/.X11-unix'

REMOTE_DESKTOP = 'org.gnome.Mutter.RemoteDesktop'
REMOTE_DESKTOP_SESSION = 'org.gnome.Mutter.RemoteDesktop.Session'
KEYSYMS = {'\n': 0xff0d, ' ': 0x20}
KEYSYM_SHIFT = 0xffe1
BUTTON_LEFT = 0x110  # BTN_LEFT of linux/input-event-codes.h


class GnomeDesktop(Desktop):
    """GNOME Shell in place of Desktop's virtual X display. stop() ends
    every process started here, the services the session bus started
    included."""

    NAME = 'GNOME Shell'

    def __init__(self):
        super().__init__()
        self.shell = self.input = self.shell_accessible = self.session_daemon = None
        self.runtime = self._directory('run')
        self.home = self._directory('home')

    def _directory(self, name):
        path = os.path.join(self.directory.name, name)
        os.mkdir(path, 0o700)
        return path

    def start(self):
        self.system_address = self._start_bus('system')
        self.session_address = self._start_session_bus()
        self.session_bus = dbus.bus.BusConnection(self.session_address)
        self.system_bus = dbus.bus.BusConnection(self.system_address)
        self._start_shell()

    def environment(self):
        """Only the private buses, runtime directory and home: nothing
        started here can reach the machine's own session."""
        env = self._bare_environment()
        env.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime,
                   XDG_CONFIG_HOME=os.path.join(self.home, '.config'),
                   XDG_CACHE_HOME=os.path.join(self.home, '.cache'),
                   XDG_DATA_HOME=os.path.join(self.home, '.local', 'share'),
                   DBUS_SESSION_BUS_ADDRESS=self.session_address,
                   DBUS_SYSTEM_BUS_ADDRESS=self.system_address)
        # The session bus itself starts before its address is known.
        return {key: value for key, value in env.items() if value}

    def session_environment(self):
        """What the session gives a program it starts: both displays, and
        no choice between them."""
        env = self.environment()
        env.update(WAYLAND_DISPLAY='wayland-0', DISPLAY=self.display, XAUTHORITY=self.xauthority,
                   XDG_SESSION_TYPE='wayland', XDG_CURRENT_DESKTOP='GNOME')
        return env

    def client_environment(self):
        """For a program shown on GNOME Shell as a Wayland client."""
        env = self.session_environment()
        env.update(GDK_BACKEND='wayland')
        return env

    def _start_session_bus(self):
        services = self._directory('services')
        for name in SESSION_SERVICES:
            os.symlink(os.path.join(SYSTEM_SERVICES, name + '.service'),
                       os.path.join(services, name + '.service'))
        # The services it starts inherit its output and its process group:
        # a log file that outlives their writes, and a group that stop()
        # ends as a whole.
        with open(os.path.join(self.directory.name, 'session-services.log'), 'wb') as log:
            address = self._start_bus('session', f'<servicedir>{services}</servicedir>',
                                      stdout=log, stderr=log, env=self.environment(),
                                      start_new_session=True)
        self.session_daemon = self.processes[-1]
        return address

    def _start_shell(self):
        # Mutter makes Xwayland's socket there and will not use a folder
        # that others could replace it in; a fresh /tmp lacks it.
        if not os.path.isdir(X11_SOCKETS):
            os.mkdir(X11_SOCKETS)
            os.chmod(X11_SOCKETS, 0o1777)
        log = open(os.path.join(self.directory.name, 'gnome-shell.log'), 'wb')
        with log:
            self.shell = self.spawn(['gnome-shell', '--headless', '--wayland',
                                     '--virtual-monitor', '{}x{}'.format(*SCREEN)],
                                    stdout=log, stderr=log)
        wait_until(lambda: self.shell.poll() is not None
                   or (self.session_bus.name_has_owner('org.gnome.Shell')
                       and self.session_bus.name_has_owner('org.freedesktop.Notifications')
                       and self._xwayland_display()),
                   'GNOME Shell, its notification service and Xwayland', SHELL_START_TIMEOUT_S)
        if self.shell.poll() is not None:
            raise AssertionError('GNOME Shell ended:\n' + self.shell_log())
        self.display = self._xwayland_display()
        self.xauthority = glob.glob(os.path.join(self.runtime, '.mutter-Xwaylandauth.*'))[0]
        self._enable_accessibility()
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

    def _enable_accessibility(self):
        """Switches on what a desktop's accessibility setting switches on,
        so that Qt and GTK programs serve their widgets on the bus."""
        launcher = self.session_bus.get_object('org.a11y.Bus', '/org/a11y/bus')
        launcher.Set('org.a11y.Status', 'IsEnabled', True, dbus_interface=dbus.PROPERTIES_IFACE)
        self.accessibility_address = str(launcher.GetAddress(dbus_interface='org.a11y.Bus'))

    def _leave_overview(self):
        """GNOME Shell starts in its overview, as after a login; a user at
        work is past it. A request to close the overview while it is still
        opening is lost, and the overview then stays over every window, so
        the request is made again until the overview reads closed: it
        reads open until its closing has ended."""
        shell = self.session_bus.get_object('org.gnome.Shell', '/org/gnome/Shell')

        def overview_active():
            return bool(shell.Get('org.gnome.Shell', 'OverviewActive',
                                  dbus_interface=dbus.PROPERTIES_IFACE))

        def closed_on_request():
            shell.Set('org.gnome.Shell', 'OverviewActive', False,
                      dbus_interface=dbus.PROPERTIES_IFACE)
            try:
                wait_until(lambda: not overview_active(), 'the overview to close',
                           OVERVIEW_CLOSE_TIMEOUT_S)
            except AssertionError:
                return False
            return True
        # Asked before it opens, it would open after the request.
        try:
            wait_until(overview_active, 'the overview to open', OVERVIEW_OPEN_TIMEOUT_S)
        except AssertionError:
            return
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
        starting with summary_start, or None. GNOME Shell 48 names a
        button only by the label inside it."""
        stage = attempt(self.shell_accessible.root.children) or []
        for node in _shallow_descendants(stage, 'notification'):
            labels = [label.name for label in attempt(lambda: node.find_all('label')) or []]
            if not (attempt(lambda: node.showing) and any(text.startswith(summary_start) for text in labels)):
                continue
            for candidate in attempt(lambda: node.find_all('push button')) or []:
                names = [candidate.name] + [label.name for label in attempt(lambda: candidate.find_all('label')) or []]
                if button in names:
                    return candidate
        return None

    def stop(self):
        if self.input:
            attempt(self.input.stop)
        if self.session_daemon and self.session_daemon.poll() is None:
            # With it go the services it started, which would otherwise
            # outlive it for a moment.
            os.killpg(self.session_daemon.pid, signal.SIGKILL)
        super().stop()


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
