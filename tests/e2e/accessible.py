# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the program's windows over the AT-SPI accessibility bus, which Qt
serves for every widget, and works them with the mouse and keyboard of the
virtual display through xdotool, as a user would."""

import subprocess

import dbus

from desktop import wait_until

ACCESSIBLE = 'org.a11y.atspi.Accessible'
ACTION = 'org.a11y.atspi.Action'
COMPONENT = 'org.a11y.atspi.Component'
TEXT = 'org.a11y.atspi.Text'
VALUE = 'org.a11y.atspi.Value'
ROOT_PATH = '/org/a11y/atspi/accessible/root'
SCREEN_COORDINATES = dbus.UInt32(0)
STATE_SHOWING = 25
# An answer slower than this means the program hangs.
CALL_TIMEOUT_S = 10


def attempt(read):
    """read(), or None while the object is being made or destroyed."""
    try:
        return read()
    except dbus.exceptions.DBusException:
        return None


class Node:
    """One accessible object: a window or a widget."""

    def __init__(self, bus, owner, path):
        self.bus = bus
        self.owner = owner
        self.path = path

    def _call(self, interface, method, signature='', *arguments):
        return self.bus.call_blocking(self.owner, self.path, interface, method, signature,
                                      arguments, timeout=CALL_TIMEOUT_S)

    @property
    def name(self):
        return str(self._call(dbus.PROPERTIES_IFACE, 'Get', 'ss', ACCESSIBLE, 'Name'))

    @property
    def description(self):
        return str(self._call(dbus.PROPERTIES_IFACE, 'Get', 'ss', ACCESSIBLE, 'Description'))

    @property
    def role(self):
        return str(self._call(ACCESSIBLE, 'GetRoleName'))

    @property
    def text(self):
        return str(self._call(TEXT, 'GetText', 'ii', 0, -1))

    @property
    def showing(self):
        low_bits = int(self._call(ACCESSIBLE, 'GetState')[0])
        return bool(low_bits & (1 << STATE_SHOWING))

    @property
    def maximum(self):
        """The highest value of a spin box or slider."""
        return float(self._call(dbus.PROPERTIES_IFACE, 'Get', 'ss', VALUE, 'MaximumValue'))

    def set_value(self, value):
        """Sets a spin box or slider as an assistive technology does,
        where no keyboard or pointer can reach the window."""
        self._call(dbus.PROPERTIES_IFACE, 'Set', 'ssv', VALUE, 'CurrentValue',
                   dbus.Double(value, variant_level=1))

    def do_action(self, name):
        """Performs the named action, "Press" for a button."""
        names = [str(action[0]) for action in self._call(ACTION, 'GetActions')]
        self._call(ACTION, 'DoAction', 'i', names.index(name))

    def children(self):
        return [Node(self.bus, str(owner), str(path))
                for owner, path in self._call(ACCESSIBLE, 'GetChildren')]

    def extents(self):
        """(x, y, width, height) on the screen."""
        return tuple(int(value) for value in
                     self._call(COMPONENT, 'GetExtents', 'u', SCREEN_COORDINATES))

    def centre(self):
        x, y, width, height = self.extents()
        return x + width // 2, y + height // 2

    def find_all(self, role=None, name=None):
        """The descendants with this role and name; None matches any."""
        found = []
        for child in self.children():
            if role in (None, child.role) and name in (None, child.name):
                found.append(child)
            found.extend(child.find_all(role, name))
        return found

    def find(self, role=None, name=None):
        found = self.find_all(role, name)
        if len(found) != 1:
            raise AssertionError(f'{len(found)} {role or "any"} widgets named {name!r}, expected one')
        return found[0]


class Application:
    """The accessible tree of one process, found on the accessibility bus
    by its process id."""

    def __init__(self, address, pid):
        self.bus = dbus.bus.BusConnection(address)
        self.root = wait_until(lambda: self._root_of(pid), f'process {pid} on the accessibility bus')

    def _root_of(self, pid):
        for owner in self.bus.list_names():
            if not owner.startswith(':') or owner == self.bus.get_unique_name():
                continue
            owner_pid = attempt(lambda: self.bus.call_blocking(
                'org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                'GetConnectionUnixProcessID', 's', (owner,)))
            root = Node(self.bus, str(owner), ROOT_PATH)
            if owner_pid == pid and attempt(root.children):
                return root
        return None

    def windows(self, containing_button):
        """The shown top-level windows that hold the named button."""
        found = []
        for window in self.root.children():
            if window.showing and window.find_all('push button', containing_button):
                found.append(window)
        return found

    def window(self, containing_button):
        return wait_until(lambda: attempt(lambda: self.windows(containing_button)),
                          f'a window with the button {containing_button!r}')[0]


class User:
    """The pointer and keyboard of the virtual display."""

    def __init__(self, environment):
        self.environment = environment

    def _xdotool(self, *arguments):
        return subprocess.run(['xdotool', *arguments], env=self.environment, check=True,
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              timeout=CALL_TIMEOUT_S).stdout.decode()

    def click(self, node):
        self.click_at(*node.centre())

    def click_at(self, x, y):
        """A click where no accessible can be asked where it is."""
        self._xdotool('mousemove', '--sync', str(x), str(y), 'click', '1')

    def press_key(self, key, window=None):
        """A key for the window with the focus, or for the one given."""
        self._xdotool('key', *(['--window', window] if window else []), key)

    def close_with_escape(self, window):
        """Escape for a dialog, pressed only: it closes on the press, and a
        program that then ends takes the window away before a release."""
        self._xdotool('keydown', '--window', window, 'Escape')

    def move_window(self, window, x, y):
        self._xdotool('windowmove', '--sync', window, str(x), str(y))

    def replace_text(self, node, text):
        """Clicks into a text field, selects what it holds and types over it."""
        self.click(node)
        self._xdotool('key', 'ctrl+a')
        self._xdotool('type', text)

    def window_type(self, window):
        """The type a window asks the window manager to treat it as: the
        first it names; the others stand in for a manager that lacks it."""
        found = subprocess.run(['xprop', '-id', window, '_NET_WM_WINDOW_TYPE'], env=self.environment,
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, timeout=CALL_TIMEOUT_S)
        return found.stdout.decode().split('= ')[-1].split(',')[0].strip()

    def visible_windows(self, title):
        """Ids of the mapped X windows with this exact title."""
        found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', f'^{title}$'],
                               env=self.environment, stdin=subprocess.DEVNULL,
                               stdout=subprocess.PIPE, timeout=CALL_TIMEOUT_S)
        return found.stdout.decode().split()
