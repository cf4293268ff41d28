# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What every private Wayland desktop of the tests has around its
compositor: a home and runtime directory in the temporary folder, a
private session bus that starts only the services named, a private system
bus, and the real accessibility bus of at-spi2-core, switched on."""

import os
import signal
import sys

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'e2e'))
from accessible import attempt  # noqa: E402
from desktop import Desktop  # noqa: E402

SCREEN = (1024, 768)
SYSTEM_SERVICES = '/usr/share/dbus-1/services'
X11_SOCKETS = '/tmp/.X11-unix'
WAYLAND_SOCKET = 'wayland-0'


class SessionDesktop(Desktop):
    """A compositor's session in place of Desktop's virtual X display. The
    compositor's adapter sets input, display and xauthority, and names its
    desktop and its own session services. stop() ends every process started here, the
    services the session bus started and the adapter's process groups
    included."""

    SESSION_SERVICES = ('org.a11y.Bus', 'ca.desrt.dconf')
    CURRENT_DESKTOP = None

    def __init__(self):
        super().__init__()
        self.input = self.session_daemon = self.xauthority = None
        self.process_groups = []
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
        env.update(WAYLAND_DISPLAY=WAYLAND_SOCKET, DISPLAY=self.display,
                   XDG_SESSION_TYPE='wayland', XDG_CURRENT_DESKTOP=self.CURRENT_DESKTOP)
        if self.xauthority:
            env['XAUTHORITY'] = self.xauthority
        return env

    def client_environment(self):
        """For a program shown on the compositor as a Wayland client."""
        env = self.session_environment()
        env.update(GDK_BACKEND='wayland')
        return env

    def _start_session_bus(self):
        services = self._directory('services')
        for name in self.SESSION_SERVICES:
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
        self.process_groups.append(self.session_daemon)
        return address

    def enable_accessibility(self):
        """Switches on what a desktop's accessibility setting switches on,
        so that Qt and GTK programs serve their widgets on the bus."""
        launcher = self.session_bus.get_object('org.a11y.Bus', '/org/a11y/bus')
        launcher.Set('org.a11y.Status', 'IsEnabled', True, dbus_interface=dbus.PROPERTIES_IFACE)
        self.accessibility_address = str(launcher.GetAddress(dbus_interface='org.a11y.Bus'))

    @staticmethod
    def make_x11_sockets_folder():
        """The compositor makes Xwayland's socket there but not the folder,
        which a fresh /tmp lacks, and uses none that others could replace
        the socket in. Another desktop started at the same time may make
        it too."""
        try:
            os.mkdir(X11_SOCKETS)
        except FileExistsError:
            return
        os.chmod(X11_SOCKETS, 0o1777)

    def banners(self):
        """The texts of each notification banner shown now, or None where
        the desktop shows none that the test can read."""
        return None

    def repaint(self):
        """Makes a compositor that stopped painting paint again, where the
        adapter knows how; called after a click went astray."""

    def stop(self):
        if self.input:
            attempt(self.input.stop)
        # With them go the processes they started, which would otherwise
        # outlive them for a moment or for good.
        for leader in self.process_groups:
            if leader.poll() is None:
                os.killpg(leader.pid, signal.SIGKILL)
        super().stop()
