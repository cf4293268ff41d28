# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Velmora from its Debian package against the real elogind and polkitd of
the test chroot, one case a run (run.sh starts each in namespaces of its
own): the chroot's system bus, polkitd and elogind, a virtual display, a
session bus with an accessibility bus and a notification server, and
Velmora run as an ordinary user, read through its windows and its
notifications.

Usage: realstack.py CASE [unittest options]"""

import os
import pwd
import subprocess
import sys
import time
import unittest

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'e2e'))
from accessible import Application, User  # noqa: E402
from desktop import Desktop, wait_until  # noqa: E402
from test_velmora_e2e import NOTIFICATIONS, SETTLE_S, Velmora, working_directory  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAM = '/usr/bin/velmora'
USER = 'tester'
SYSTEM_BUS_SOCKET = '/run/dbus/system_bus_socket'
# What elogind runs to power off, reboot or halt, each of them the stub
# that prepare.sh put there.
POWER_COMMANDS = ('/sbin/poweroff', '/sbin/reboot', '/sbin/halt', '/usr/sbin/kexec',
                  '/usr/sbin/poweroff', '/usr/sbin/reboot', '/usr/sbin/halt')
POWER_STUB = os.path.join(HERE, 'power-stub')
POWER_CALLS = '/var/log/velmora-power-calls'
# logind asks polkit for at most 25 s (sd-bus's default) before it gives up.
PROMPT_TIMEOUT_S = 60
# The warning comes a minute before the end of a 2-minute run.
WARNING_TIMEOUT_S = 90
NO_PROMPT = ("Shutdown not done: the system wants an administrator's password, and no password "
             "prompt could be shown (no authentication agent runs for this session).")
NOT_ENTERED = ("Shutdown not done: the system asked for an administrator's password and nobody "
               "entered it in time.")
NO_SESSION = ("Log off not done: Velmora is not running inside a login session that can be ended. "
              "Start it from the desktop's menu to log off.")
LOG_OFF_AHEAD = "Log off will not work from here: Velmora is not running inside a login session."
PASSWORD_AHEAD = ("The system will want an administrator's password. If nobody enters it, the "
                  "shutdown will not happen.")
# What logind and polkit answer, in their own words, in each case.
INTERACTIVE_ONLY = 'The system answered: Interactive authentication required.'
TIMED_OUT = 'The system answered: Method call timed out'
NO_SESSION_ANSWER = 'The system answered: Is a directory'
BLOCKER_WHO = 'Nightly backup'
BLOCKER_WHY = 'Copying the home folders'
BLOCKER = f'\u201c{BLOCKER_WHO}\u201d holds it off: \u201c{BLOCKER_WHY}\u201d.'


class Stack(Desktop):
    """The chroot's own system (its system bus, polkitd and elogind) and a
    desktop around the program. Everything started here ends with the PID
    namespace, if not before."""

    def start(self):
        os.chmod(self.directory.name, 0o755)
        self._check_stubs()
        self._start_system()
        self.display = self._start_display()
        self.session_address = self._start_bus('session')
        self.accessibility_address = self._start_bus('session')
        self.system_address = 'unix:path=' + SYSTEM_BUS_SOCKET
        self.session_bus = dbus.bus.BusConnection(self.session_address)
        self.system_bus = dbus.bus.BusConnection(self.system_address)
        for service in ('org.freedesktop.PolicyKit1', 'org.freedesktop.login1'):
            wait_until(lambda: self.system_bus.name_has_owner(service), f'{service} on the system bus')
        self.start_accessibility()

    @staticmethod
    def _check_stubs():
        with open(POWER_STUB, 'rb') as file:
            stub = file.read()
        for command in POWER_COMMANDS:
            with open(command, 'rb') as file:
                if file.read() != stub:
                    raise AssertionError(f'{command} is not the stub: elogind must not start')

    def _start_system(self):
        # In the cgroup namespace the mount shows only this run's part of
        # the machine's hierarchy and leaves its options alone.
        subprocess.run(['mount', '-t', 'cgroup2', 'cgroup2', '/sys/fs/cgroup'], check=True)
        os.makedirs('/run/dbus', exist_ok=True)
        bare = self._bare_environment()
        self.spawn(['dbus-daemon', '--system', '--nofork', '--nopidfile'], env=bare)
        wait_until(lambda: os.path.exists(SYSTEM_BUS_SOCKET), 'the system bus')
        self.spawn(['/usr/lib/polkit-1/polkitd', '--no-debug'], env=bare)
        self.spawn(['/lib/elogind/elogind'], env=bare)

    def user_environment(self):
        """What the user's programs are started with: the display and the
        session bus; the system bus is the chroot's own, where it always is."""
        env = self.environment()
        del env['DBUS_SYSTEM_BUS_ADDRESS']
        env.update(HOME=pwd.getpwnam(USER).pw_dir, USER=USER, LOGNAME=USER,
                   XDG_RUNTIME_DIR=self.runtime_directory())
        return env

    def runtime_directory(self):
        path = os.path.join(self.directory.name, 'runtime-' + USER)
        if not os.path.isdir(path):
            os.mkdir(path, 0o700)
            entry = pwd.getpwnam(USER)
            os.chown(path, entry.pw_uid, entry.pw_gid)
        return path


class UsersVelmora(Velmora):
    """The installed program, run by USER: either outside any login session
    (setpriv, which opens none) or in a session of its own (su -l, which
    opens one through PAM and pam_elogind)."""

    def __init__(self, stack, in_session=False):
        entry = pwd.getpwnam(USER)
        directory = working_directory(entry.pw_dir)
        os.chown(directory, entry.pw_uid, entry.pw_gid)
        environment = stack.user_environment()
        if in_session:
            # pam_elogind reads these from su's environment; the login
            # screen of a desktop on seat0 sets them alike.
            environment.update(XDG_SEAT='seat0', XDG_SESSION_TYPE='x11', XDG_SESSION_CLASS='user')
            self.process = stack.spawn(
                ['su', '--login', USER, '--whitelist-environment',
                 'DISPLAY,QT_QPA_PLATFORM,DBUS_SESSION_BUS_ADDRESS',
                 '--command', f'cd {directory} && exec {PROGRAM}'],
                stdout=None, env=environment)
            self.pid = wait_until(lambda: self._child_of(self.process.pid), 'the program under su')
        else:
            self.process = stack.spawn(['setpriv', '--reuid', USER, '--regid', USER, '--init-groups',
                                        PROGRAM], cwd=directory, stdout=None, env=environment)
            self.pid = self.process.pid
        self.user = User(stack.environment())
        self.application = Application(stack.accessibility_address, self.pid)
        self.main = self.application.window('Ok')

    @staticmethod
    def _child_of(pid):
        with open(f'/proc/{pid}/task/{pid}/children', encoding='ascii') as file:
            children = file.read().split()
        return int(children[0]) if children else None

    def message(self, button, region):
        """The text in the region of this name of the shown window with
        this button, or None while there is no such window."""
        try:
            windows = self.application.windows(button)
            return windows[0].find(name=region).find('label').name if windows else None
        except (dbus.exceptions.DBusException, AssertionError):
            return None


def settled(read, accepts, what, timeout_s):
    """Polls read() until accepts() its value, and returns that value; a
    failure names the last value read."""
    last = [None]

    def check():
        last[0] = read()
        return last[0] is not None and accepts(last[0])
    try:
        wait_until(check, what, timeout_s)
    except AssertionError as error:
        raise AssertionError(f'{error}; last seen: {last[0]!r}') from None
    return last[0]


class RealStack(unittest.TestCase):

    def setUp(self):
        self.stack = Stack()
        self.addCleanup(self.stack.stop)
        self.stack.start()
        self.notifications = self.stack.start_notifications()

    def start_velmora(self, in_session=False, action='Shutdown', minutes=0):
        velmora = UsersVelmora(self.stack, in_session)
        if action != 'Shutdown':
            velmora.choose_action(action)
        if minutes:
            velmora.set_minutes(minutes)
        velmora.press('Ok')
        return velmora

    def last_notification(self, summary_part):
        """(summary, body) of the last notification whose summary holds
        `summary_part`, or None."""
        shown = [(arguments[3], arguments[4])
                 for method, arguments in self.notifications.calls(NOTIFICATIONS)
                 if method == 'Notify' and summary_part in arguments[3]]
        return shown[-1] if shown else None

    def assert_report(self, velmora, timeout_s, *lines):
        """The report reads these lines, the last one the system's own
        answer, and its notification says the same under its summary, the
        first line's meaning a sentence of its own. The report may add what
        it learns after it is shown, so it is read until it holds them."""
        settled(lambda: velmora.message('Try again', 'Report'),
                lambda text: text.split('\n') == list(lines), 'the report', timeout_s)
        summary, meaning = lines[0].split(': ', 1)
        body = '\n'.join([meaning[0].upper() + meaning[1:], *lines[1:]])
        settled(lambda: self.last_notification(summary), lambda shown: shown == (summary, body),
                'the notification of the report', 10)
        self.assertIsNone(self.power_calls())

    def assert_warning(self, velmora, *sentences):
        """The warning says the time left, then these sentences, each on a
        line of its own; so does its notification."""
        def holds_all(text):
            return all(sentence in text.split('\n') for sentence in sentences)
        text = settled(lambda: velmora.message('Stop countdown', 'Warning'), holds_all,
                       'the warning', WARNING_TIMEOUT_S)
        self.assertRegex(text.split('\n')[0], r' in (1 minute|[1-5]?[0-9] seconds?)\.$')
        settled(lambda: self.last_notification(' at '), lambda shown: holds_all(shown[1]),
                'the notification of the warning', 10)

    @staticmethod
    def power_calls():
        """The power commands elogind ran, or None."""
        if not os.path.exists(POWER_CALLS):
            return None
        with open(POWER_CALLS, encoding='utf-8') as file:
            return [line.strip() for line in file]

    def test_no_session_no_agent(self):
        velmora = self.start_velmora()
        self.assert_report(velmora, 30, NO_PROMPT, INTERACTIVE_ONLY)

    def test_unanswered_prompt(self):
        velmora = UsersVelmora(self.stack)
        self.start_agent(velmora.pid)
        velmora.press('Ok')
        self.assert_report(velmora, PROMPT_TIMEOUT_S, NOT_ENTERED, TIMED_OUT)

    def start_agent(self, pid):
        """A text password prompt for the program's requests, on a
        terminal where nobody types."""
        controller, terminal = os.openpty()
        ready, registered = os.pipe()
        agent = subprocess.Popen(['setsid', '--ctty', 'pkttyagent', '--process', str(pid),
                                  '--notify-fd', str(registered)],
                                 stdin=terminal, stdout=terminal, stderr=terminal,
                                 pass_fds=(registered,), env=self.stack.environment())
        self.stack.processes.append(agent)
        os.close(terminal)
        os.close(registered)
        self.addCleanup(os.close, controller)
        # The agent closes its end once polkit has it.
        self.assertEqual(os.read(ready, 1), b'')
        os.close(ready)
        self.assertIsNone(agent.poll(), 'pkttyagent ended')

    def test_active_session(self):
        velmora = self.start_velmora(in_session=True)
        self.assertEqual(wait_until(self.power_calls, 'elogind to run poweroff', 30), ['poweroff'])
        # elogind answers the request as it starts poweroff: a report
        # would be up within moments.
        time.sleep(SETTLE_S)
        self.assertIsNone(velmora.message('Try again', 'Report'))
        self.assertEqual(self.notifications.calls(NOTIFICATIONS), [])

    def test_log_off_outside_session(self):
        velmora = self.start_velmora(action='Log off', minutes=2)
        self.assert_warning(velmora, LOG_OFF_AHEAD)
        self.assert_report(velmora, WARNING_TIMEOUT_S, NO_SESSION, NO_SESSION_ANSWER)

    def test_block_inhibitor(self):
        inhibitor = self.stack.spawn(['elogind-inhibit', '--mode=block', '--what=shutdown',
                                      '--who=' + BLOCKER_WHO, '--why=' + BLOCKER_WHY, 'sleep', '600'],
                                     env=self.stack.environment())
        wait_until(lambda: BLOCKER_WHO in subprocess.run(
            ['elogind-inhibit', '--list'], stdout=subprocess.PIPE, check=True).stdout.decode(),
            'the inhibitor')
        self.assertIsNone(inhibitor.poll())
        velmora = self.start_velmora(minutes=2)
        self.assert_warning(velmora, PASSWORD_AHEAD, BLOCKER)
        self.assert_report(velmora, WARNING_TIMEOUT_S, NO_PROMPT, BLOCKER, INTERACTIVE_ONLY)


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    CASE = sys.argv.pop(1)
    unittest.main(argv=[sys.argv[0], f'RealStack.test_{CASE}', *sys.argv[1:]], verbosity=2)
