// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockbus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>

namespace {

// The python on PATH may lack dbusmock; the system one has it.
const QString systemPython = QStringLiteral("/usr/bin/python3");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
constexpr int startTimeoutMs = 30000;

QDBusMessage callBus(const QDBusConnection &bus, const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(arguments);
    return bus.call(message);
}

// Even when the test dies without cleaning up (a crash, a timeout), its
// buses and mocks must not outlive it.
void endWithTest(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// SIGSTOP takes effect some time after kill() returns: until the process
// shows as stopped, it may still answer one more message.
void stop(const QProcess &process)
{
    const pid_t pid = pid_t(process.processId());
    ::kill(pid, SIGSTOP);
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired() && stat.open(QIODevice::ReadOnly)) {
        const QByteArray fields = stat.readAll();
        stat.close();
        // The state follows the command's closing parenthesis.
        if (fields.mid(fields.lastIndexOf(')') + 2, 1) == "T")
            return;
        QThread::msleep(1);
    }
}

QString describe(const QVariant &value)
{
    return QString::fromLatin1(value.typeName()) + QLatin1Char(' ') + value.toString();
}

QStringList readCallLog(const QDBusArgument &log)
{
    QStringList calls;
    log.beginArray();
    while (!log.atEnd()) {
        quint64 time = 0;
        QString method;
        QStringList arguments;
        log.beginStructure();
        log >> time >> method;
        log.beginArray();
        while (!log.atEnd()) {
            QDBusVariant argument;
            log >> argument;
            arguments << describe(argument.variant());
        }
        log.endArray();
        log.endStructure();
        calls << method + QLatin1Char('(') + arguments.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    log.endArray();
    return calls;
}

} // namespace

bool hasOwner(const QDBusConnection &bus, const QString &name)
{
    return callBus(bus, QStringLiteral("NameHasOwner"), {name}).arguments().value(0).toBool();
}

QString busId(const QDBusConnection &bus)
{
    return callBus(bus, QStringLiteral("GetId"), {}).arguments().value(0).toString();
}

PrivateBus::~PrivateBus()
{
    daemon.kill();
    daemon.waitForFinished();
}

bool PrivateBus::start(const QString &configFile, const QString &socketPath)
{
    daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithTest(daemon);
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                  QStringLiteral("--config-file=") + configFile,
                  QStringLiteral("--address=unix:path=") + socketPath,
                  QStringLiteral("--print-address=1")});
    while (!daemon.canReadLine()) {
        if (!daemon.waitForReadyRead(startTimeoutMs))
            return false;
    }
    busAddress = QString::fromUtf8(daemon.readLine()).trimmed();
    // The address's guid names the listening socket, not the bus; GetId
    // over a connection that surely reached this daemon gives the bus's id.
    daemonId = busId(QDBusConnection::connectToBus(busAddress, busAddress));
    QDBusConnection::disconnectFromBus(busAddress);
    return !daemonId.isEmpty();
}

void PrivateBus::freeze()
{
    stop(daemon);
}

void PrivateBus::thaw()
{
    ::kill(pid_t(daemon.processId()), SIGCONT);
}

MockService::MockService(const QDBusConnection &bus, const QString &service,
                         const QStringList &arguments)
    : bus(bus), service(service)
{
    // The mock logs every call to its standard output; a pipe nobody reads
    // would fill up and stall it.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithTest(process);
    process.start(systemPython, QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
}

MockService::~MockService()
{
    process.kill();
    process.waitForFinished();
    // The bus releases the name only once it notices the closed socket; the
    // next case must not still find this service present.
    QDeadlineTimer deadline(startTimeoutMs);
    while (hasOwner(bus, service) && !deadline.hasExpired())
        QTest::qWait(10);
}

bool MockService::waitUntilServing()
{
    QDeadlineTimer deadline(startTimeoutMs);
    while (!hasOwner(bus, service)) {
        if (process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

void MockService::freeze()
{
    stop(process);
}

void MockService::thaw()
{
    ::kill(pid_t(process.processId()), SIGCONT);
}

bool MockService::control(const QString &path, const QString &method,
                          const QVariantList &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, mockInterface, method);
    message.setArguments(arguments);
    return bus.call(message).type() == QDBusMessage::ReplyMessage;
}

bool MockService::addRecordingMethod(const QString &path, const QString &interface,
                                     const QString &name, const QString &inSignature,
                                     const QString &then) const
{
    // The mock logs arguments converted to the method's signature, which
    // would hide an argument sent with the wrong type; m_args holds them as
    // they arrived.
    const QString keepReceivedTypes =
        QStringLiteral("self.call_log[-1] = self.call_log[-1][:2] + (list(m_args),)\n");
    return control(path, QStringLiteral("AddMethod"),
                   {interface, name, inSignature, QString(), keepReceivedTypes + then});
}

// The call that takes the name leaves the call log as it was.
bool MockService::alsoOwn(const QString &path, const QString &name) const
{
    const QString interface = QStringLiteral("io.github.velmora.Test");
    const QString take = QStringLiteral("self.bus_name.get_bus().request_name('%1')").arg(name);
    return control(path, QStringLiteral("AddMethod"), {interface, QStringLiteral("TakeName"), QString(), QString(), take})
        && bus.call(QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("TakeName"))).type()
        == QDBusMessage::ReplyMessage
        && hasOwner(bus, name) && control(path, QStringLiteral("ClearCalls"));
}

QStringList MockService::calls(const QString &path, const QDBusConnection &via) const
{
    const QDBusMessage reply =
        via.call(QDBusMessage::createMethodCall(service, path, mockInterface, QStringLiteral("GetCalls")));
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {reply.errorMessage()};
    return readCallLog(reply.arguments().value(0).value<QDBusArgument>());
}

FlagProbe::FlagProbe(const QString &address, const QString &service, const QString &path)
    : connection(QDBusConnection::connectToBus(address, QStringLiteral("probe"))),
      service(service),
      path(path)
{
    serving = connection.registerVirtualObject(path, this, QDBusConnection::SubPath)
        && connection.registerService(service);
}

FlagProbe::~FlagProbe()
{
    connection.unregisterService(service);
    connection.unregisterObject(path, QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(QStringLiteral("probe"));
}

bool FlagProbe::handleMessage(const QDBusMessage &message, const QDBusConnection &)
{
    const QString authorisation = message.isInteractiveAuthorizationAllowed()
        ? QStringLiteral("interactive") : QStringLiteral("silent");
    std::lock_guard<std::mutex> lock(callsMutex);
    seen << message.member() + QLatin1Char(' ') + authorisation;
    return true;
}

QString FlagProbe::introspect(const QString &) const
{
    return {};
}

QStringList FlagProbe::calls() const
{
    std::lock_guard<std::mutex> lock(callsMutex);
    return seen;
}
