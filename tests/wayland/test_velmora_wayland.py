# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end on a Wayland desktop: the real program started as a session
starts it, on a headless GNOME Shell or KWin, with a user typing into
another window when the warning and the report appear, and clicking
beside the warning while it is up. Every request lands on a mock of
logind on a private system bus.

Usage: test_velmora_wayland.py gnome|kwin /path/to/velmora [unittest options]"""

import os
import signal
import subprocess
import sys
import threading
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'e2e'))
from accessible import attempt  # noqa: E402
from desktop import wait_until  # noqa: E402
import test_velmora_e2e  # noqa: E402
from test_velmora_e2e import (LOGIND_MANAGER, LOGIND_SESSION, REFUSAL, SETTLE_S, Velmora,  # noqa: E402
                              seconds_left)

DESKTOP = None
# The shortest run that gets a warning: one minute longer than the lead.
DELAY_MINUTES = 2
# What a user types into a terminal, over and over while the window maps,
# and the keys the other window reads from it.
TYPED = 'make\n '
TYPED_KEYS = ['m', 'a', 'k', 'e', 'Return', 'space']
# Typing starts this long before the warning is due and goes on this long
# after a window appeared: it spans the moment the window maps.
TYPING_LEAD_S = 3
TYPING_AFTER_MAP_S = 2
WARNING_TIMEOUT_S = 90
# From the start of typing: a window due then has come by this time, even
# on a machine that other work keeps busy.
MAP_TIMEOUT_S = 60
# For the other window to start and show itself, to get the keyboard once
# shown or clicked into, and for typed keys and clicks to reach it.
TYPING_WINDOW_TIMEOUT_S = 60
# Inside the other window, which fills the screen, and far from where a
# desktop places a small new window.
ELSEWHERE = (1000, 740)
# In the middle of the screen, inside the other window from the moment it
# shows, still small, until it fills the screen.
MIDDLE = (512, 400)
# The main window is moved there, as a user may have put it, clear of the
# warning in the middle of the screen and of the frame around it, which
# takes clicks this far out.
MAIN_WINDOW_AT = (20, 560)
FRAME_MARGIN = 60
# For a click to take effect, before it is made again.
CLICK_TIMEOUT_S = 1.5


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

    def clicks(self):
        return len([line for line in self.lines if line.startswith('click')])

    def stop(self):
        self.process.kill()
        self.process.wait()


class SessionVelmora(Velmora):
    """One run of the program as the session starts it, worked through the
    accessibility bus alone: the keyboard and pointer are the other
    window's."""

    def __init__(self, desktop):
        super().__init__(desktop, desktop.session_environment())

    def start(self, minutes):
        """Sets the delay and presses "Ok" through the accessibility bus,
        leaving the keyboard and pointer to the other window."""
        self.main.find('spin box', 'Minutes').set_value(minutes)
        self.main.find('push button', 'Ok').do_action('Press')
        wait_until(lambda: seconds_left(self.status()), 'the countdown to start')

    def windows(self, button):
        return attempt(lambda: self.application.windows(button)) or []

    def move_main_window(self, x, y):
        """As a user may have put it. Mutter 48 draws X11 frames in a
        client of its own, and the search may find the frame too: each
        window found is asked to move, and a frame ignores it."""
        subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--pid', str(self.process.pid),
                        '--name', '^Velmora$', 'windowmove', '%@', str(x), str(y)],
                       env=self.user.environment, check=True, stdout=subprocess.DEVNULL, timeout=60)
        # A desktop may keep the frame, rather than the window, at (x, y).
        wait_until(lambda: all(abs(now - wanted) < FRAME_MARGIN
                               for now, wanted in zip(self.main.extents(), (x, y))),
                   f'the main window to move to ({x}, {y})')

    def kept_above(self, title):
        """Whether the window of this title, shown through XWayland, asks
        to be kept above the others, as a window manager honours."""
        found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid', str(self.process.pid),
                                '--name', f'^{title}$'], env=self.user.environment,
                               capture_output=True, text=True, timeout=60).stdout.split()
        return any('_NET_WM_STATE_ABOVE' in subprocess.run(
            ['xprop', '-id', window, '_NET_WM_STATE'], env=self.user.environment,
            capture_output=True, text=True, timeout=60).stdout for window in found)


def near(point, extents):
    x, y, width, height = extents
    return (x - FRAME_MARGIN <= point[0] < x + width + FRAME_MARGIN
            and y - FRAME_MARGIN <= point[1] < y + height + FRAME_MARGIN)


class VelmoraOnWayland(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.desktop = DESKTOP()
        cls.addClassCleanup(cls.desktop.stop)
        cls.desktop.start()

    def setUp(self):
        self.logind = self.desktop.start_logind(LOGIND_SESSION)
        self.addCleanup(self.logind.stop)
        self.logind.record(LOGIND_MANAGER, 'org.freedesktop.login1.Manager', 'PowerOff', 'b',
                           ('', REFUSAL))
        self.velmora = SessionVelmora(self.desktop)
        self.addCleanup(self.velmora.stop)

    def power_requests(self):
        return [call for call in self.logind.calls(LOGIND_MANAGER) if call[0] == 'PowerOff']

    def start_at_work_elsewhere(self):
        """Starts the countdown, then the other window, which the user
        works in until the warning is due."""
        # Its name may reach the accessibility bus a moment after the window.
        wait_until(lambda: self.velmora.main.name == 'Velmora', 'the main window to be named "Velmora"')
        self.velmora.move_main_window(*MAIN_WINDOW_AT)
        self.velmora.start(DELAY_MINUTES)
        self.typing = TypingWindow(self.desktop)
        # A case's window left on the desktop would take the next one's clicks.
        self.addCleanup(self.typing.stop)
        wait_until(self.typing.shown, 'the other window to show itself', TYPING_WINDOW_TIMEOUT_S)
        # A desktop may map the new window without the keyboard, or under
        # Velmora's; the user clicks into it to work there, which raises it.
        self.click_elsewhere(MIDDLE)
        wait_until(lambda: (seconds_left(self.velmora.status()) or 0) <= 60 + TYPING_LEAD_S,
                   'the warning to be due', WARNING_TIMEOUT_S)

    def type_while_a_window_maps(self, button):
        """Types TYPED over and over, as a user at work in the other
        window, until the window holding `button` has been shown for a
        while; every key must reach the other window. Returns that window,
        or None when it did not come in time."""
        keys_before = len(self.typing.keys())
        shown_at = window = None
        times = 0
        deadline = time.monotonic() + MAP_TIMEOUT_S
        while shown_at is None or time.monotonic() < shown_at + TYPING_AFTER_MAP_S:
            if shown_at is None and time.monotonic() > deadline:
                break
            self.desktop.input.type(TYPED)
            times += 1
            windows = self.velmora.windows(button)
            if windows and shown_at is None:
                shown_at, window = time.monotonic(), windows[0]
        expected = TYPED_KEYS * times
        try:
            wait_until(lambda: len(self.typing.keys()) - keys_before >= len(expected),
                       'every typed key to reach the other window', TYPING_WINDOW_TIMEOUT_S)
        except AssertionError:
            pass
        got = self.typing.keys()[keys_before:]
        self.assertEqual(got, expected, f'of {len(expected)} keys typed while the window with '
                         f'{button!r} appeared, the other window got {len(got)}')
        return window

    def click_elsewhere(self, point):
        """A click that the other window must get, and with it the keyboard.
        A window still being placed may not lie under the pointer yet, and
        a compositor may pick from a frame painted before the window came,
        so the click is made again, after a repaint, until one arrives."""
        def clicked():
            clicks = self.typing.clicks()
            self.desktop.input.click(*point)
            try:
                wait_until(lambda: self.typing.clicks() > clicks and self.typing.has_focus(),
                           'the click', CLICK_TIMEOUT_S)
            except AssertionError:
                self.desktop.repaint()
                return False
            return True
        try:
            wait_until(clicked, f'a click at {point} to reach the other window and give it the keyboard',
                       TYPING_WINDOW_TIMEOUT_S)
        except AssertionError as error:
            raise AssertionError(f'{error}; it got {self.typing.lines[-4:]}') from None

    def test_warning_and_report_take_no_key_and_the_warning_stays_in_sight(self):
        self.start_at_work_elsewhere()
        warning = self.type_while_a_window_maps('Stop countdown')
        self.assertIsNotNone(warning, 'no warning appeared')
        self.assertEqual(warning.name, 'Shutdown in 1 minute – Velmora')
        self.assertIsNotNone(seconds_left(self.velmora.status()),
                             'keys typed while the warning appeared stopped the countdown: '
                             f'the status reads {self.velmora.status()!r}')

        # On the main window, which must not have come up with the warning.
        main_window = self.velmora.main.centre()
        self.assertFalse(near(main_window, warning.extents()), 'the warning covers the main window')
        self.click_elsewhere(main_window)
        self.assertTrue(self.velmora.kept_above(warning.name),
                        f'{warning.name!r} is not kept above the other windows')
        if self.desktop.banners() is not None:
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
        """Looks at the desktop's banners until the countdown ends. A look
        counts only when the countdown was still running after it."""
        last_seen_left = None
        while True:
            banners = self.desktop.banners()
            left = seconds_left(self.velmora.status())
            if left is None or left <= TYPING_LEAD_S:
                break
            self.assertTrue([texts for texts in banners if any(text.startswith('Shutdown')
                                                               for text in texts)],
                            f'with {left} s left {self.desktop.NAME} shows no banner of the '
                            f'warning, only {banners}')
            last_seen_left = left
            time.sleep(1)
        self.assertIsNotNone(last_seen_left, 'the countdown ended before the banner was looked at')
        self.assertLessEqual(last_seen_left, TYPING_LEAD_S + 5)

    def test_the_banners_stop_stops_the_countdown(self):
        if self.desktop.banners() is None:
            self.skipTest(f'{self.desktop.NAME} shows no banners here')
        self.start_at_work_elsewhere()
        wait_until(self.press_banners_stop, 'the warning banner\'s "Stop" to stop the countdown',
                   MAP_TIMEOUT_S)
        time.sleep(SETTLE_S)
        self.assertEqual(self.power_requests(), [])

    def press_banners_stop(self):
        """Clicks "Stop" on the warning's banner, once it shows, and tells
        whether the countdown stopped. GNOME Shell 48 drops a click on a
        banner that is still coming in, so it is made again until it
        takes."""
        stop = self.desktop.banner_button('Shutdown', 'Stop')
        if stop:
            self.desktop.input.click(*stop.centre())
        try:
            self.velmora.wait_for_status('Timer reset.', CLICK_TIMEOUT_S)
        except AssertionError:
            return False
        return True


def desktop_class(name):
    if name == 'gnome':
        from gnome import GnomeDesktop
        return GnomeDesktop
    if name == 'kwin':
        from kwin import KWinDesktop
        return KWinDesktop
    sys.exit(__doc__)


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    # A stop from outside ends the test as an error does, so that every
    # process it started is ended and its temporary folder removed.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit('stopped by SIGTERM'))
    DESKTOP = desktop_class(sys.argv.pop(1))
    test_velmora_e2e.PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main()
