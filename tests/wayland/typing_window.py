# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window a user is typing into when Velmora's warning appears: a GTK
window on the compositor's Wayland socket that prints each key it gets,
each click and each change of its keyboard focus as a line on its
standard output, for the test to read."""

import sys

import gi

gi.require_version('Gdk', '3.0')
gi.require_version('Gtk', '3.0')
from gi.repository import Gdk, Gtk  # noqa: E402

TITLE = 'Terminal'


def report(*words):
    print(*words, flush=True)


def on_key(_window, event):
    report('key', Gdk.keyval_name(event.keyval))
    return True


def on_click(_window, event):
    report('click', round(event.x), round(event.y))
    return True


def main():
    window = Gtk.Window(title=TITLE)
    window.add_events(Gdk.EventMask.BUTTON_PRESS_MASK)
    window.connect('key-press-event', on_key)
    window.connect('button-press-event', on_click)
    window.connect('focus-in-event', lambda *_: report('focus in'))
    window.connect('focus-out-event', lambda *_: report('focus out'))
    window.connect('destroy', Gtk.main_quit)
    # Filling the screen, it lies under wherever the warning appears, so a
    # click beside the warning lands in it.
    window.maximize()
    window.show_all()
    report('shown')
    Gtk.main()


if __name__ == '__main__':
    sys.exit(main())
