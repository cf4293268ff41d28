# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private desktop for the program under test: a virtual X display, its
own session, system and accessibility buses, and python-dbusmock services in
place of logind, the notification server and the desktop's session manager.
Nothing here reaches a bus or display of the machine."""

import ctypes
import os
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

import dbus

MOCK_INTERFACE = 'org.freedesktop.DBus.Mock'
START_TIMEOUT_S = 60
PR_SET_PDEATHSIG = 1

# dbusmock logs arguments converted to the signature it was given, which
# would hide an argument sent with the wrong type; m_args holds them as they
# arrived.
KEEP_RECEIVED_TYPES = 'self.call_log[-1] = self.call_log[-1][:2] + (list(m_args),)\n'

# Every user who reaches the socket may connect, as the real stack runs the
# program as a user of its own: the folder that holds the socket's folder
# decides who does. `elements` adds to the configuration.
BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{kind}</type>
  <listen>unix:dir={directory}</listen>
  {elements}
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
'''


def die_with_parent():
    """Runs in the child before exec: the kernel kills it when the test
    process dies, even by SIGKILL, so no display or bus outlives a test
    that was killed on a timeout."""
    libc = ctypes.CDLL(None)
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def wait_until(predicate, what, timeout_s=START_TIMEOUT_S):
    """Polls until predicate() gives a true value and returns that value."""
    deadline = time.monotonic() + timeout_s
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f'timed out waiting for {what}')
        time.sleep(0.05)


def freeze(process):
    """SIGSTOP, waiting until the kernel shows the process stopped: until
    then it may still pass one more message on."""
    os.kill(process.pid, signal.SIGSTOP)

    def stopped():
        with open(f'/proc/{process.pid}/stat', encoding='utf-8') as stat:
            fields = stat.read()
        # The state follows the command's closing parenthesis.
        return fields[fields.rindex(')') + 2] == 'T'
    wait_until(stopped, f'process {process.pid} to stop')


def thaw(process):
    os.kill(process.pid, signal.SIGCONT)


def plain(value):
    """A D-Bus value as plain Python, with its D-Bus type kept where the
    type is what a check is about."""
    if isinstance(value, dbus.Boolean):
        return ('b', bool(value))
    if isinstance(value, (dbus.UInt32, dbus.Int32, dbus.Byte)):
        return (type(value).__name__, int(value))
    if isinstance(value, dbus.Dictionary):
        return {str(key): plain(item) for key, item in value.items()}
    if isinstance(value, dbus.Array):
        return [plain(item) for item in value]
    return str(value)


class Mock:
    """One python-dbusmock process owning `service` on a bus."""

    def __init__(self, desktop, bus, service, arguments):
        self.bus = bus
        self.service = service
        self.process = desktop.spawn([sys.executable, '-m', 'dbusmock'] + arguments)
        wait_until(lambda: self.process.poll() is not None or bus.name_has_owner(service),
                   f'{service} on its bus')
        if self.process.poll() is not None:
            raise AssertionError(f'the mock of {service} did not start')

    def control(self, path, method, *arguments):
        mock = self.bus.get_object(self.service, path, introspect=False)
        return mock.get_dbus_method(method, MOCK_INTERFACE)(*arguments)

    def record(self, path, interface, method, signature, answer=('', '')):
        """Replaces `method` by one whose calls are logged with the argument
        types they arrived with; `answer` is the reply's signature and the
        code that sets `ret`."""
        out_signature, code = answer
        self.control(path, 'AddMethod', interface, method, signature, out_signature,
                     KEEP_RECEIVED_TYPES + code)

    def calls(self, path):
        """The calls logged on `path` since the last clear, as
        (method, [argument, ...])."""
        return [(str(method), plain(arguments))
                for _, method, arguments in self.control(path, 'GetCalls')]

    def stop(self):
        self.process.kill()
        self.process.wait()
        wait_until(lambda: not self.bus.name_has_owner(self.service), f'{self.service} to go')


class StallingBus:
    """A system bus that a connection can only check for life: it answers
    the first line of such a check once answering is set, and never a line
    of libdbus's, which carries the user's id, so that QtDBus's connect
    stalls just after the check. check_unanswered tells that a check went
    unanswered, and handshakes counts libdbus's."""

    def __init__(self, directory):
        path = os.path.join(directory, 'stalling_bus')
        self.address = 'unix:path=' + path
        self.answering = threading.Event()
        self.check_unanswered = threading.Event()
        self.handshakes = 0
        self.server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.server.bind(path)
        self.server.listen(16)
        # Kept open: silence, not a closed socket, is what stalls.
        self.held = []
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            connection, _ = self.server.accept()
            self.held.append(connection)
            line = connection.makefile('rb').readline()
            if line != b'\0AUTH EXTERNAL\r\n':
                self.handshakes += bool(line)
            elif self.answering.is_set():
                # A check that gave up meanwhile has closed its end.
                try:
                    connection.sendall(b'REJECTED EXTERNAL\r\n')
                except BrokenPipeError:
                    pass
            else:
                self.check_unanswered.set()


class Desktop:
    """Everything the program needs around it. stop() ends every process
    started here, whatever state the test left them in."""

    def __init__(self):
        self.processes = []
        self.directory = tempfile.TemporaryDirectory(prefix='velmora-e2e-')
        self.display = self.session_address = self.system_address = None
        self.accessibility_address = None
        self.session_bus = self.system_bus = None

    def start(self):
        self.display = self._start_display()
        self.session_address = self._start_bus('session')
        self.session_daemon = self.processes[-1]
        self.system_address = self._start_bus('system')
        self.system_daemon = self.processes[-1]
        self.accessibility_address = self._start_bus('session')
        self.session_bus = dbus.bus.BusConnection(self.session_address)
        self.system_bus = dbus.bus.BusConnection(self.system_address)

    def spawn(self, command, stdout=subprocess.DEVNULL, env=None, **options):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=stdout,
                                   env=env or self.environment(), preexec_fn=die_with_parent,
                                   **options)
        self.processes.append(process)
        return process

    def environment(self):
        """A clean environment that names only the private display and
        buses, so nothing started here can reach the machine's own."""
        env = self._bare_environment()
        env.update(HOME=self.directory.name, XDG_RUNTIME_DIR=self.directory.name,
                   DISPLAY=self.display, QT_QPA_PLATFORM='xcb',
                   DBUS_SESSION_BUS_ADDRESS=self.session_address,
                   DBUS_SYSTEM_BUS_ADDRESS=self.system_address)
        return env

    @staticmethod
    def _bare_environment():
        env = {key: os.environ[key] for key in ('PATH', 'LANG') if key in os.environ}
        # The tests find widgets by their English texts, whatever language
        # the machine's desktop speaks; LANG still gives the character set.
        env['LANGUAGE'] = 'en'
        return env

    def _start_display(self):
        # -displayfd picks a free display number and reports it once the
        # server accepts connections. On the way it complains about every
        # number in use, which only matters when it finds none.
        log_path = os.path.join(self.directory.name, 'xvfb.log')
        with open(log_path, 'wb') as log:
            server = self.spawn(['Xvfb', '-displayfd', '1', '-screen', '0', '1024x768x24',
                                 '-nolisten', 'tcp'], stdout=subprocess.PIPE, stderr=log,
                                env=self._bare_environment())
        number = server.stdout.readline().decode().strip()
        if not number:
            with open(log_path, encoding='utf-8', errors='replace') as log:
                raise AssertionError('Xvfb did not start:\n' + log.read())
        return ':' + number

    def _start_bus(self, kind, elements='', **options):
        """Starts a dbus-daemon of this kind, with `elements` added to its
        configuration and `options` to spawn(), and returns its address."""
        socket_dir = tempfile.mkdtemp(dir=self.directory.name)
        os.chmod(socket_dir, 0o755)
        config = os.path.join(socket_dir, 'bus.conf')
        with open(config, 'w', encoding='utf-8') as file:
            file.write(BUS_CONFIG.format(kind=kind, directory=socket_dir, elements=elements))
        options.setdefault('env', self._bare_environment())
        # dbus-daemon warns on stderr that it cannot raise its file limit
        # when not allowed to; that is harmless here.
        options.setdefault('stderr', subprocess.DEVNULL)
        # The address comes on a pipe of its own: the bus's output may go
        # to a log, which the services it starts share.
        read_end, write_end = os.pipe()
        self.spawn(['dbus-daemon', '--nofork', '--nopidfile', '--config-file=' + config,
                    f'--print-address={write_end}'], pass_fds=(write_end,), **options)
        os.close(write_end)
        with os.fdopen(read_end, 'rb') as addresses:
            address = addresses.readline().decode().strip()
        if not address:
            raise AssertionError(f'the private {kind} bus did not start')
        return address

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
            process.wait()
            if process.stdout:
                process.stdout.close()
        self.processes.clear()
        self.directory.cleanup()

    # The services.

    def start_accessibility(self):
        """Stands in for the accessibility bus launcher: Qt asks the session
        bus where the accessibility bus is and whether it is enabled."""
        launcher = Mock(self, self.session_bus, 'org.a11y.Bus',
                        ['--session', 'org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus'])
        launcher.control('/org/a11y/bus', 'AddMethod', 'org.a11y.Bus', 'GetAddress', '', 's',
                         f'ret = {self.accessibility_address!r}')
        for name, value in (('IsEnabled', True), ('ScreenReaderEnabled', False)):
            launcher.control('/org/a11y/bus', 'AddProperty', 'org.a11y.Status', name, value)
        return launcher

    def start_logind(self, session_path):
        logind = Mock(self, self.system_bus, 'org.freedesktop.login1',
                      ['--system', '--template', 'logind'])
        manager = '/org/freedesktop/login1'
        session_id = session_path.rsplit('/', 1)[1]
        logind.control(manager, 'AddSession', session_id, 'seat0', dbus.UInt32(1000), 'user', True)
        for method in ('PowerOff', 'Reboot'):
            logind.record(manager, 'org.freedesktop.login1.Manager', method, 'b')
        logind.record(session_path, 'org.freedesktop.login1.Session', 'Terminate', '')
        # Setting the mock up logged calls of its own.
        logind.control(manager, 'ClearCalls')
        return logind

    def start_notifications(self):
        server = Mock(self, self.session_bus, 'org.freedesktop.Notifications',
                      ['--session', '--template', 'notification_daemon'])
        # The template's own Notify, which numbers the notifications.
        numbering = ('if args[1]:\n    ret = args[1]\nelse:\n'
                     '    ret = self.next_id\n    self.next_id += 1\n')
        server.record('/org/freedesktop/Notifications', 'org.freedesktop.Notifications',
                      'Notify', 'susssasa{sv}i', ('u', numbering))
        # The template takes the id as signed; the protocol has it unsigned.
        closing = 'self.EmitSignal("", "NotificationClosed", "uu", [args[0], 3])\n'
        server.record('/org/freedesktop/Notifications', 'org.freedesktop.Notifications',
                      'CloseNotification', 'u', ('', closing))
        return server

    def start_stalling_system_bus(self):
        return StallingBus(tempfile.mkdtemp(dir=self.directory.name))

    def start_gnome_session_manager(self):
        manager = Mock(self, self.session_bus, 'org.gnome.SessionManager',
                       ['--session', 'org.gnome.SessionManager', '/org/gnome/SessionManager',
                        'org.gnome.SessionManager'])
        manager.record('/org/gnome/SessionManager', 'org.gnome.SessionManager', 'Logout', 'u')
        return manager
