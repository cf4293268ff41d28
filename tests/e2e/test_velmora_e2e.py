# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the real program on a virtual display, worked through its
widgets, with every request it makes landing on a mock of a private bus.

Usage: test_velmora_e2e.py /path/to/velmora [unittest options]
VELMORA_E2E_BOOTTIME_SHIFT names the library built from boottimeshift.cpp."""

import os
import re
import select
import sys
import tempfile
import time
import unittest

import dbus

from accessible import Application, User, attempt
from desktop import Desktop, freeze, thaw, wait_until

PROGRAM = None
LOGIND_MANAGER = '/org/freedesktop/login1'
LOGIND_SESSION = '/org/freedesktop/login1/session/auto'
NOTIFICATIONS = '/org/freedesktop/Notifications'
GNOME_SESSION_MANAGER = '/org/gnome/SessionManager'
# Refresh every 500 ms; warn one minute ahead.
SETTINGS = '500 1 1'
TIME_LEFT = re.compile(r'^Time left:0 days, 0 hours, (\d+) minutes and (\d+) seconds$')
# How long a request that should not come is given to turn up anyway.
SETTLE_S = 2
# Longer than the refresh: the label shows a run's text within this.
ACTION_TIMEOUT_S = 60
# The main window is "Velmora"; the warning and the report say what they are
# before the program's name.
ANY_WINDOW = '(.* \u2013 )?Velmora'
REFUSAL = ("raise dbus.exceptions.DBusException('Access denied by test policy', "
           "name='org.freedesktop.DBus.Error.AccessDenied')\n")


def seconds_left(status):
    match = TIME_LEFT.match(status or '')
    return int(match[1]) * 60 + int(match[2]) if match else None


def working_directory(parent, settings=SETTINGS):
    """A fresh folder for one run, holding the settings it starts with."""
    directory = tempfile.mkdtemp(dir=parent)
    with open(os.path.join(directory, 'settings.dat'), 'w', encoding='utf-8') as file:
        file.write(settings)
    return directory


class Velmora:
    """One run of the program in a fresh working directory of its own;
    locale adds to the desktop's environment, and ok names the button of
    the main window in its language."""

    def __init__(self, desktop, environment=None, ok='Ok', settings=SETTINGS, **locale):
        environment = dict(environment or desktop.environment())
        environment.update(locale)
        self.process = desktop.spawn([PROGRAM], cwd=working_directory(desktop.directory.name, settings),
                                     stdout=None, env=environment)
        self.user = User(environment)
        # A program whose window never came would stay on the display and
        # confuse the cases after this one.
        try:
            self.application = Application(desktop.accessibility_address, self.process.pid)
            self.main = self.application.window(ok)
        except BaseException:
            self.stop()
            raise

    def stop(self):
        self.process.kill()
        self.process.wait()

    def press(self, button):
        self.user.click(self.main.find('push button', button))

    def status(self):
        # The name is on the region around the label, whose own name stays
        # its text, as a screen reader reads it.
        return attempt(lambda: self.main.find(name='Status').find('label').name)

    def wait_for_status(self, wanted, timeout_s=ACTION_TIMEOUT_S):
        """Waits for the status text `wanted`, or for one that wanted(text)
        accepts, and returns it."""
        accepts = wanted if callable(wanted) else wanted.__eq__

        def matching():
            text = self.status()
            return text if text is not None and accepts(text) else None
        return wait_until(matching, f'the status {wanted}', timeout_s)

    def set_minutes(self, minutes):
        spin_box = self.main.find('spin box', 'Minutes')
        self.user.replace_text(spin_box, str(minutes))
        wait_until(lambda: spin_box.text == f'{minutes} m', f'the minutes to read {minutes} m')

    def choose_action(self, action):
        # Qt on Linux names a list by its chosen entry, not by its own name.
        combo_box = self.main.find('combo box')
        self.user.click(combo_box)
        entry = wait_until(lambda: attempt(lambda: self._shown_entry(combo_box, action)),
                           f'the list to open on {action}')
        self.user.click(entry)
        wait_until(lambda: combo_box.name == action, f'{action} to be chosen')

    @staticmethod
    def _shown_entry(combo_box, action):
        entry = combo_box.find('list item', action)
        return entry if entry.showing else None


class VelmoraEndToEnd(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop()
        cls.addClassCleanup(cls.desktop.stop)
        cls.desktop.start()
        cls.desktop.start_accessibility()

    def setUp(self):
        # Fresh services for each case, so that notification ids start at 1.
        self.logind = self.desktop.start_logind(LOGIND_SESSION)
        self.addCleanup(self.logind.stop)
        self.notifications = self.desktop.start_notifications()
        self.addCleanup(self.notifications.stop)
        self.velmora = Velmora(self.desktop)
        self.addCleanup(self.velmora.stop)

    def logind_calls(self):
        """The requests logind received; the questions the warning asks of
        it are no requests."""
        questions = ('CanPowerOff', 'CanReboot', 'ListInhibitors', 'GetSessionByPID')
        return [call for call in self.logind.calls(LOGIND_MANAGER) + self.logind.calls(LOGIND_SESSION)
                if call[0] not in questions]

    def assert_only_request(self, mock, path, expected):
        """The first request arrives, and in a while nothing else has."""
        wait_until(lambda: mock.calls(path), f'a request on {path}', ACTION_TIMEOUT_S)
        time.sleep(SETTLE_S)
        self.assertEqual(mock.calls(path), [expected])

    def test_untouched_list_with_no_delay_powers_off_once(self):
        self.velmora.press('Ok')
        self.assert_only_request(self.logind, LOGIND_MANAGER, ('PowerOff', [('b', True)]))
        self.assertEqual(self.logind_calls(), [('PowerOff', [('b', True)])])
        self.assertEqual(self.notifications.calls(NOTIFICATIONS), [])

    def test_reboot_asks_logind_to_reboot(self):
        self.velmora.choose_action('Reboot')
        self.velmora.press('Ok')
        self.assert_only_request(self.logind, LOGIND_MANAGER, ('Reboot', [('b', True)]))
        self.assertEqual(self.logind_calls(), [('Reboot', [('b', True)])])

    def test_german_desktop_reads_german_and_its_entries_keep_their_actions(self):
        # Qt reads the language from the environment; no locale need be
        # generated for it.
        self.velmora.stop()
        self.velmora = Velmora(self.desktop, ok='OK', LANGUAGE='de', LANG='de_DE.UTF-8')
        self.addCleanup(self.velmora.stop)
        self.assertEqual(self.velmora.status(), 'Timer nicht gestartet...')
        self.velmora.main.find('push button', 'Einstellungen')
        self.velmora.choose_action('Neu starten')
        self.velmora.press('OK')
        self.assert_only_request(self.logind, LOGIND_MANAGER, ('Reboot', [('b', True)]))

    def test_log_off_asks_the_desktop_session_manager(self):
        gnome = self.desktop.start_gnome_session_manager()
        self.addCleanup(gnome.stop)
        self.velmora.choose_action('Log off')
        self.velmora.press('Ok')
        self.assert_only_request(gnome, GNOME_SESSION_MANAGER, ('Logout', [('UInt32', 1)]))
        self.assertEqual(self.logind_calls(), [])

    def test_log_off_without_desktop_ends_the_logind_session(self):
        self.velmora.choose_action('Log off')
        self.velmora.press('Ok')
        self.assert_only_request(self.logind, LOGIND_SESSION, ('Terminate', []))
        self.assertEqual(self.logind.calls(LOGIND_MANAGER), [])

    def test_refused_power_off_is_reported_and_can_be_retried(self):
        # An X11 session whose environment keeps a Wayland display left over.
        self.velmora.stop()
        self.velmora = Velmora(self.desktop, dict(self.desktop.environment(), XDG_SESSION_TYPE='x11',
                                                  WAYLAND_DISPLAY='wayland-0'))
        self.addCleanup(self.velmora.stop)
        self.logind.record(LOGIND_MANAGER, 'org.freedesktop.login1.Manager', 'PowerOff', 'b',
                           ('', REFUSAL))
        main_window, = wait_until(lambda: self.velmora.user.visible_windows(ANY_WINDOW), 'the main window')
        self.velmora.press('Ok')
        report = self.wait_for_report()
        message = ("Shutdown not done: the system's policy does not allow this action for this user.\n"
                   'The system answered: Access denied by test policy')
        self.assertEqual(report.find(name='Report').find('label').name, message)
        # A screen reader speaks a window that appears without the keyboard
        # only as a notification; as a dialog it stayed silent.
        self.assertEqual((report.role, report.name, report.description),
                         ('notification', 'Shutdown not done \u2013 Velmora', message))
        reported, = self.velmora.user.visible_windows('Shutdown not done \u2013 Velmora')
        self.assertEqual(self.velmora.user.window_type(reported), '_NET_WM_WINDOW_TYPE_DIALOG')
        notify = wait_until(lambda: self.notify_calls(), 'the notification')
        _, (_, _, _, summary, body, actions, hints, _) = notify[0]
        # The body used to start by repeating the summary.
        self.assertEqual((summary, body, actions, hints['urgency']),
                         ('Shutdown not done',
                          "The system's policy does not allow this action for this user.\n"
                          'The system answered: Access denied by test policy',
                          ['default', 'Show', 'retry', 'Try again'], ('Byte', 2)))

        self.velmora.user.click(report.find('push button', 'Try again'))
        wait_until(lambda: len(self.logind_calls()) == 2, 'the request made again')
        self.wait_for_report()
        # With no window manager the report lies over "STOP!"; a user would
        # move it aside.
        reported, = set(self.velmora.user.visible_windows(ANY_WINDOW)) - {main_window}
        self.velmora.user.move_window(reported, 0, 0)
        self.velmora.press('STOP!')
        wait_until(lambda: len(self.velmora.user.visible_windows(ANY_WINDOW)) == 1,
                   'the report to close')

    def notify_calls(self):
        return [call for call in self.notifications.calls(NOTIFICATIONS) if call[0] == 'Notify']

    def wait_for_report(self):
        wait_until(lambda: len(self.velmora.user.visible_windows(ANY_WINDOW)) == 2,
                   'the report on the display')
        return wait_until(lambda: attempt(lambda: self.velmora.application.windows('Try again')),
                          'the report window')[0]

    def test_stop_ends_a_counting_run_without_a_request(self):
        self.velmora.set_minutes(1)
        self.velmora.press('Ok')
        first = self.velmora.wait_for_status(TIME_LEFT.match)
        later = self.velmora.wait_for_status(lambda text: text != first and TIME_LEFT.match(text))
        self.assertLess(seconds_left(later), seconds_left(first))
        self.velmora.press('STOP!')
        self.velmora.wait_for_status('Timer reset.')
        time.sleep(SETTLE_S)
        self.assertEqual(self.velmora.status(), 'Timer reset.')
        self.assertEqual(self.logind_calls(), [])
        # A run no longer than the lead time gives no warning.
        self.assertEqual(self.notifications.calls(NOTIFICATIONS), [])

    def invoke_action(self, notification_id, action):
        self.notifications.control(NOTIFICATIONS, 'EmitSignal', 'org.freedesktop.Notifications',
                                   'ActionInvoked', 'us',
                                   dbus.Array([dbus.UInt32(notification_id), action], signature='v'))

    def test_warning_notification_stop_cancels_the_run(self):
        self.velmora.set_minutes(2)
        self.velmora.press('Ok')
        started = time.monotonic()
        # The warning's questions are the program's first use of the system
        # bus; with the bus stalled, its window used to freeze.
        self.freeze_bus(self.desktop.system_daemon)
        self.assertRegex(self.wait_for_warning(), r'^Shutdown in (1 minute|[1-5]?[0-9] seconds?)\.$')
        self.assert_notified_once()

        # Another notification's "stop", and a click on this one, stop nothing.
        self.invoke_action(2, 'stop')
        self.invoke_action(1, 'default')
        time.sleep(SETTLE_S)
        self.assertRegex(self.velmora.status(), TIME_LEFT)
        # A server takes a clicked notification away; the way to stop must
        # stay on the screen, so it comes back, as notification 2.
        self.notifications.control(NOTIFICATIONS, 'EmitSignal', 'org.freedesktop.Notifications',
                                   'NotificationClosed', 'uu',
                                   dbus.Array([dbus.UInt32(1), dbus.UInt32(2)], signature='v'))
        wait_until(lambda: len(self.notify_calls()) == 2, 'the notification shown again')
        self.invoke_action(2, 'stop')
        self.velmora.wait_for_status('Timer reset.')
        wait_until(lambda: len(self.velmora.user.visible_windows(ANY_WINDOW)) == 1,
                   'the warning window to close')
        self.assertIn(('CloseNotification', [('UInt32', 2)]), self.notifications.calls(NOTIFICATIONS))

        # Past the moment the run would have ended, nothing was asked.
        thaw(self.desktop.system_daemon)
        time.sleep(max(0.0, started + 120 + SETTLE_S - time.monotonic()))
        self.assertEqual(self.logind_calls(), [])

    def test_postpone_adds_ten_minutes_to_the_time_left(self):
        """"Postpone", in the notification and then in the window, each
        add 10 minutes to the time left, with the longest lead, as a new
        user has it: the warning goes, and comes again with 10 minutes
        left. Those minutes pass in a moment: the countdown's clock is moved
        on, as a suspend would move it (boottimeshift.cpp)."""
        shift_file = os.path.join(self.desktop.directory.name, 'boottime-shift')

        def shift_clock(shift_s):
            with open(shift_file, 'w', encoding='utf-8') as file:
                file.write(str(shift_s))
        # Preloaded, the shift comes before a sanitizer's runtime, which
        # would otherwise refuse to start.
        environment = dict(self.desktop.environment(), VELMORA_BOOTTIME_SHIFT=shift_file,
                           LD_PRELOAD=os.environ['VELMORA_E2E_BOOTTIME_SHIFT'],
                           ASAN_OPTIONS='verify_asan_link_order=0')
        self.velmora.stop()
        self.velmora = Velmora(self.desktop, environment, settings='500 1 10')
        self.addCleanup(self.velmora.stop)
        self.velmora.set_minutes(11)
        started = time.monotonic()
        self.velmora.press('Ok')
        for shift_s, postpone in ((60, self.postpone_in_notification), (660, self.press_postpone)):
            self.velmora.wait_for_status(TIME_LEFT.match)
            shift_clock(shift_s)
            self.wait_for_warning(10)
            before = seconds_left(self.velmora.status())
            postpone()
            after = self.velmora.wait_for_status(lambda text: (seconds_left(text) or 0) > 900)
            self.assertAlmostEqual(seconds_left(after) - before, 600, delta=5)
            wait_until(lambda: len(self.velmora.user.visible_windows(ANY_WINDOW)) == 1, 'the warning to go')
        # The run ends 31 minutes of its clock after "Ok"; the clock is
        # moved on to leave about 10 seconds of them.
        shift_s = int(1850 - (time.monotonic() - started))
        shift_clock(shift_s)
        wait_until(self.logind_calls, 'the request', ACTION_TIMEOUT_S)
        self.assertGreater(time.monotonic() - started, 1860 - shift_s - 0.01)
        time.sleep(SETTLE_S)
        self.assertEqual(self.logind_calls(), [('PowerOff', [('b', True)])])

    def postpone_in_notification(self):
        # The server answers Notify before it sends the action, so the
        # program knows the notification's id by then.
        wait_until(self.notify_calls, 'the notification')
        self.invoke_action(1, 'postpone')

    def press_postpone(self):
        warning = self.velmora.application.windows('Stop countdown')[0]
        self.velmora.user.click(warning.find('push button', 'Postpone 10 minutes'))

    def freeze_bus(self, daemon):
        self.addCleanup(thaw, daemon)
        freeze(daemon)

    def test_stop_while_a_bus_is_slow_asks_nothing(self):
        """STOP! or closing while a bus is slow asks nothing. A request
        checked the run once, before it waited for the session manager or
        the system bus, and then went out after "Timer reset.". The next
        request waits for the one before it, so once it arrives, anything
        the stopped one sent has arrived before it."""
        gnome = self.desktop.start_gnome_session_manager()
        self.addCleanup(gnome.stop)
        rows = (('Log off', self.desktop.session_daemon, gnome, GNOME_SESSION_MANAGER, 'Logout'),
                ('Shutdown', self.desktop.system_daemon, self.logind, LOGIND_MANAGER, 'PowerOff'))
        for action, bus, service, path, request in rows:
            with self.subTest(action):
                # A program of its own, whose status changes at "STOP!".
                velmora = Velmora(self.desktop)
                self.addCleanup(velmora.stop)
                velmora.choose_action(action)
                self.freeze_bus(bus)
                velmora.press('Ok')
                velmora.press('STOP!')
                velmora.wait_for_status('Timer reset.')
                thaw(bus)
                velmora.press('Ok')
                wait_until(lambda: service.calls(path), f'the {request} after the next "Ok"',
                           ACTION_TIMEOUT_S)
                self.assertEqual([method for method, _ in service.calls(path)], [request])

    def test_system_bus_stalled_after_the_check_keeps_the_window(self):
        """Each connect to the system bus checks it first, and it then
        stalls in the handshake. That connect used to hold QtDBus's one
        connection thread for good: the next warning's notification and,
        after a stalled question, the report's froze the window; the request
        was never reported; closing left the notification on the screen.
        With libdbus, one stalled handshake then held all later ones.
        The countdown's clock is moved on, as in the postpone case."""
        bus = self.desktop.start_stalling_system_bus()
        shift_file = os.path.join(self.desktop.directory.name, 'boottime-shift-stalled')
        environment = dict(self.desktop.environment(), DBUS_SYSTEM_BUS_ADDRESS=bus.address,
                           VELMORA_BOOTTIME_SHIFT=shift_file,
                           LD_PRELOAD=os.environ['VELMORA_E2E_BOOTTIME_SHIFT'],
                           ASAN_OPTIONS='verify_asan_link_order=0')
        self.velmora.stop()
        # Its window, still on the display a moment, is not the new one's.
        wait_until(lambda: not self.velmora.user.visible_windows(ANY_WINDOW), 'the first window to go')
        self.velmora = Velmora(self.desktop, environment)
        self.addCleanup(self.velmora.stop)
        user = self.velmora.user
        main_window, = wait_until(lambda: user.visible_windows('Velmora'), 'the main window')
        # Out of the other windows' way; once a bus stalls, no accessible
        # could tell where a button is.
        user.move_window(main_window, 500, 400)
        self.velmora.set_minutes(2)
        ok_at, stop_at, settings_at = (list(self.velmora.main.find('push button', name).centre())
                                       for name in ('Ok', 'STOP!', 'Settings'))

        def move_clock(shift_s):
            with open(shift_file, 'w', encoding='utf-8') as file:
                file.write(str(shift_s))

        def click(at):
            # With no window manager the warning and the report lie over the
            # main window; a user would move them aside.
            for window in set(user.visible_windows(ANY_WINDOW)) - {main_window}:
                user.move_window(window, 0, 0)
            # xdotool waits for the pointer to move: never to where it is.
            at[0] += 1
            user.click_at(*at)

        def settings_open():
            shown = set(user.visible_windows('.*'))
            click(settings_at)
            wait_until(lambda: set(user.visible_windows('.*')) - shown, 'the settings', ACTION_TIMEOUT_S)
            user.press_key('Escape')
            wait_until(lambda: not set(user.visible_windows('.*')) - shown, 'the settings to close')

        def run_stalled_at_the_end(started_at_s):
            click(ok_at)
            move_clock(started_at_s + 60)
            wait_until(lambda: user.visible_windows('Shutdown in 1 minute \u2013 Velmora')
                       and (bus.answering.is_set() or bus.check_unanswered.is_set()), 'the warning', 90)
            settings_open()
            bus.answering.set()
            move_clock(started_at_s + 120)
            wait_until(lambda: user.visible_windows('Shutdown not done \u2013 Velmora'), 'the report in 30 s', 30)
            settings_open()

        # The first warning's question finds the bus dead and connects nothing;
        # its request finds it alive, and its connect stalls. The second
        # warning's question stalls too.
        run_stalled_at_the_end(0)
        click(stop_at)
        run_stalled_at_the_end(120)
        # A stalled handshake held every later one: the second warning's
        # question and the second request never reached the bus.
        self.assertGreaterEqual(bus.handshakes, 4)
        # Every connection given up on is shut, a stalled handshake's too:
        # the bus reads its end, where a held one would stay silent.
        wait_until(lambda: len(select.select(bus.held, [], [], 0)[0]) == len(bus.held), 'stalled sockets shut', 60)
        closed = time.monotonic()
        user.close_with_escape(main_window)
        wait_until(lambda: self.velmora.process.poll() is not None, 'the program to end', 90)
        # Nothing waits for the stalled bus any more: closing took under a
        # second here, where it used to wait 10 s and more. The bound leaves
        # a busy machine room and still tells the two apart.
        self.assertLess(time.monotonic() - closed, 8)
        self.assertEqual(self.velmora.process.returncode, 0)
        # Every notification shown was taken away again.
        shown = [call for call in self.notify_calls() if call[1][1] == ('UInt32', 0)]
        closes = [call for call in self.notifications.calls(NOTIFICATIONS) if call[0] == 'CloseNotification']
        self.assertEqual(sorted(arguments[0][1] for _, arguments in closes), list(range(1, len(shown) + 1)))

    def wait_for_warning(self, minutes=1):
        """Waits for the warning window, which comes this many minutes
        before the end, and returns its message."""
        title = f'Shutdown in {minutes} minute{"s" if minutes > 1 else ""} \u2013 Velmora'
        application = self.velmora.application
        warning = wait_until(lambda: attempt(lambda: application.windows('Stop countdown')),
                             'the warning window', 90)[0]
        wait_until(lambda: len(self.velmora.user.visible_windows(ANY_WINDOW)) == 2,
                   'the warning window on the display')
        self.assertEqual(len(self.velmora.user.visible_windows(title)), 1)
        # Read afresh, the message has counted on: only its start is known.
        self.assertEqual((warning.role, warning.name), ('notification', title))
        self.assertRegex(warning.description, r'^Shutdown in ')
        return warning.find(name='Warning').find('label').name

    def assert_notified_once(self):
        notify = wait_until(lambda: self.notify_calls(), 'the notification')
        self.assertEqual(len(notify), 1)
        method, (app, replaces, _, summary, _, actions, hints, timeout) = notify[0]
        self.assertEqual((method, app, replaces, actions, hints['urgency'], timeout),
                         ('Notify', 'Velmora', ('UInt32', 0),
                          ['default', 'Show', 'stop', 'Stop', 'postpone', 'Postpone'], ('Byte', 2),
                          ('Int32', 0)))
        self.assertRegex(summary, r'^Shutdown at .+\.$')

if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main()
