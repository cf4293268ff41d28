# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Started by the bus when its name is first called, as Plasma's
org.kde.Shutdown is: takes the name, writes each call's method to the file
given, and answers it.

Usage: sessionmanager_standin.py NAME PATH INTERFACE LOGFILE"""

import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME, PATH, INTERFACE, LOG = sys.argv[1:5]


class StandIn(dbus.service.Object):
    @dbus.service.method(INTERFACE, in_signature='', out_signature='')
    def logout(self):
        with open(LOG, 'a', encoding='utf-8') as log:
            log.write('logout()\n')


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.StarterBus()
keep = dbus.service.BusName(NAME, bus)
stand_in = StandIn(bus, PATH)
GLib.MainLoop().run()
