# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end on Wayland: the real program on a headless GNOME Shell, with
a user typing into another window when the warning and the report appear,
and clicking into that window while the warning is up. Every request
lands on a mock of logind on a private system bus.

Usage: test_velmora_gnome.py /path/to/velmora [unittest options]"""

import os
import signal
import subprocess
import sys
import threading
import time
import unittest

from gnome import SCREEN, GnomeDesktop
from accessible import attempt
from desktop import wait_until
import test_velmora_e2e
from test_velmora_e2e import (LOGIND_MANAGER, LOGIND_SESSION, REFUSAL, SETTLE_S, Velmora,
                              seconds_left)

HERE = os.path.dirname(os.path.abspath(__file__))
# The shortest run that gets a warning: one minute longer than the lead.
DELAY_MINUTES = 2
# What a user types into a terminal, over and over while the window maps.
TYPED = 'make\n '
# Typing starts this long before the warning is due and goes on this long
# after a window appeared: it spans the moment the window maps.
TYPING_LEAD_S = 3
TYPING_AFTER_MAP_S = 2
WARNING_TIMEOUT_S = 90
# From the start of typing: a window due then has come by this time, even
# on a machine that other work keeps busy.
MAP_TIMEOUT_S = 60
# For the other window to start and show itself, and to get the keyboard
# once shown or clicked into.
TYPING_WINDOW_TIMEOUT_S = 60
FOCUS_TIMEOUT_S = 30
# A click into the other window: far from where GNOME Shell places a
# small new window, inside the window that fills the screen.
CLICK_AT = (SCREEN[0] - 30, SCREEN[1] - 30)


class TypingWindow:
    """The other window (typing_window.py), with the lines it prints: what
    it got from the keyboard and the pointer."""

    def __init__(self, desktop):
        self.lines = []
        self.process = desktop.spawn([sys.executable, '-u', os.path.join(HERE, 'typing_window.py')],
                                     stdout=subprocess.PIPE, env=desktop.client_environment())
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line.decode().strip())

    def shown(self):
        return 'shown' in self.lines

    def has_focus(self):
        focus = [line for line in self.lines if line.startswith('focus')]
        return bool(focus) and focus[-1] == 'focus in'

    def keys(self):
        return [line.split()[1] for line in self.lines if line.startswith('key ')]


class ShellVelmora(Velmora):
    """One run of the program as a client of GNOME Shell, worked through
    the accessibility bus alone: the keyboard and pointer are the other
    window's."""

    def __init__(self, desktop):
        super().__init__(desktop, desktop.client_environment())

    def start(self, minutes):
        """Sets the delay and presses "Ok" through the accessibility bus,
        leaving the keyboard and pointer to the other window."""
        self.main.find('spin box', 'Minutes').set_value(minutes)
        self.main.find('push button', 'Ok').do_action('Press')
        wait_until(lambda: seconds_left(self.status()), 'the countdown to start')

    def windows(self, button):
        return attempt(lambda: self.application.windows(button)) or []


class VelmoraOnGnomeShell(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.desktop = GnomeDesktop()
        cls.addClassCleanup(cls.desktop.stop)
        cls.desktop.start()
        cls.desktop.start_shell()

    def setUp(self):
        self.logind = self.desktop.start_logind(LOGIND_SESSION)
        self.addCleanup(self.logind.stop)
        self.logind.record(LOGIND_MANAGER, 'org.freedesktop.login1.Manager', 'PowerOff', 'b',
                           ('', REFUSAL))
        self.velmora = ShellVelmora(self.desktop)
        self.addCleanup(self.velmora.stop)

    def power_requests(self):
        return [call for call in self.logind.calls(LOGIND_MANAGER) if call[0] == 'PowerOff']

    def type_while_a_window_maps(self, button):
        """Types TYPED over and over, as a user at work in the other
        window, until the window holding `button` has been shown for a
        while. Returns that window, or None when it did not come in time."""
        shown_at = window = None
        deadline = time.monotonic() + MAP_TIMEOUT_S
        while shown_at is None or time.monotonic() < shown_at + TYPING_AFTER_MAP_S:
            if shown_at is None and time.monotonic() > deadline:
                break
            self.desktop.input.type(TYPED)
            windows = self.velmora.windows(button)
            if windows and shown_at is None:
                shown_at, window = time.monotonic(), windows[0]
        return window

    def test_warning_and_report_survive_typing_and_a_click_elsewhere(self):
        self.assertEqual(self.velmora.main.name, 'Velmora')
        self.velmora.start(DELAY_MINUTES)
        typing = TypingWindow(self.desktop)
        wait_until(typing.shown, 'the other window to show itself', TYPING_WINDOW_TIMEOUT_S)
        # GNOME Shell may keep the keyboard on Velmora when the new window
        # maps; the user clicks into the window to work there.
        try:
            wait_until(typing.has_focus, 'the other window, shown, to get the keyboard',
                       FOCUS_TIMEOUT_S)
        except AssertionError:
            self.desktop.input.click(*CLICK_AT)
            wait_until(typing.has_focus, 'the click to give the other window the keyboard',
                       TYPING_WINDOW_TIMEOUT_S)

        wait_until(lambda: (seconds_left(self.velmora.status()) or 0) <= 60 + TYPING_LEAD_S,
                   'the warning to be due', WARNING_TIMEOUT_S)
        warning = self.type_while_a_window_maps('Stop countdown')
        self.assertIn('Return', typing.keys(), 'the typed keys did not reach the other window')
        self.assertIsNotNone(seconds_left(self.velmora.status()),
                             'keys typed while the warning appeared stopped the countdown: '
                             f'the status reads {self.velmora.status()!r}')
        self.assertIsNotNone(warning, 'no warning appeared')
        self.assertEqual(warning.name, 'Shutdown in 1 minute – Velmora')

        clicks = len([line for line in typing.lines if line.startswith('click')])
        self.desktop.input.click(*CLICK_AT)
        wait_until(lambda: len([line for line in typing.lines if line.startswith('click')]) > clicks
                   and typing.has_focus(), 'the click to give the other window the keyboard',
                   TYPING_WINDOW_TIMEOUT_S)
        self.assert_warning_banner_stays_until_the_end()

        report = self.type_while_a_window_maps('Try again')
        self.assertIsNotNone(report, 'no report of the refused shutdown appeared')
        time.sleep(SETTLE_S)
        self.assertEqual(len(self.power_requests()), 1,
                         'keys typed while the report appeared asked for the shutdown again')
        self.assertTrue(self.velmora.windows('Try again'),
                        'keys typed while the report appeared closed it')
        self.assertEqual(report.name, 'Shutdown not done – Velmora')

    def assert_warning_banner_stays_until_the_end(self):
        """Looks at GNOME Shell's banners until the countdown ends. A look
        counts only when the countdown was still running after it."""
        last_seen_left = None
        while True:
            banners = self.desktop.banners()
            left = seconds_left(self.velmora.status())
            if left is None or left <= TYPING_LEAD_S:
                break
            self.assertTrue([texts for texts in banners if any(text.startswith('Shutdown')
                                                               for text in texts)],
                            f'with {left} s left GNOME Shell shows no banner of the warning, '
                            f'only {banners}')
            last_seen_left = left
            time.sleep(1)
        self.assertIsNotNone(last_seen_left, 'the countdown ended before the banner was looked at')
        self.assertLessEqual(last_seen_left, TYPING_LEAD_S + 5)


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    # A stop from outside ends the test as an error does, so that every
    # process it started is ended and its temporary folder removed.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit('stopped by SIGTERM'))
    test_velmora_e2e.PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main()
