// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxplatform.h"

#include "pauseinterrupt.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>

#include <chrono>
#include <time.h>

namespace {

const QString login1Service = QStringLiteral("org.freedesktop.login1");
constexpr int nameQueryTimeoutMs = 500;

struct MethodCall
{
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

void sendWithoutWaiting(const QDBusConnection &bus, const MethodCall &call)
{
    QDBusMessage message = QDBusMessage::createMethodCall(call.service, call.path,
                                                          call.interface, call.method);
    message.setArguments(call.arguments);
    // Lets polkit ask the user for a password instead of refusing outright.
    message.setInteractiveAuthorizationAllowed(true);
    // send() expects no reply, so a password prompt never holds the caller.
    // Qt hands the message to the connection's own thread, which writes it
    // out even when the calling thread has no event loop.
    bus.send(message);
}

void callLogindManager(const QString &method, const QVariantList &arguments = {})
{
    sendWithoutWaiting(QDBusConnection::systemBus(),
                       {login1Service, QStringLiteral("/org/freedesktop/login1"),
                        QStringLiteral("org.freedesktop.login1.Manager"), method, arguments});
}

bool hasOwner(const QDBusConnection &bus, const QString &name)
{
    QDBusMessage query = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    query << name;
    // The bus daemon answers at once; a stalled one must not hold the log-off
    // (and a closing window waiting for it) for the default 25 s per name.
    const QDBusMessage reply = bus.call(query, QDBus::Block, nameQueryTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

// In order of preference. Each asks for the log-off the desktop's own menu
// offers, which lets running programs save their work; GNOME's mode 1 skips
// the confirmation dialog, as do Xfce's arguments (no dialog, allow saving).
QList<MethodCall> desktopLogoffCalls()
{
    return {
        {QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"),
         {QVariant::fromValue(quint32(1))}},
        {QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
         QStringLiteral("org.kde.Shutdown"), QStringLiteral("logout"), {}},
        {QStringLiteral("org.xfce.SessionManager"), QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"), QStringLiteral("Logout"), {false, true}},
    };
}

void logOff()
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    for (const MethodCall &call : desktopLogoffCalls()) {
        if (hasOwner(session, call.service)) {
            sendWithoutWaiting(session, call);
            return;
        }
    }
    // Without a known desktop, logind ends the session; its programs get no
    // chance to save, but nothing else would log the user off.
    sendWithoutWaiting(QDBusConnection::systemBus(),
                       {login1Service, QStringLiteral("/org/freedesktop/login1/session/auto"),
                        QStringLiteral("org.freedesktop.login1.Session"),
                        QStringLiteral("Terminate"), {}});
}

} // namespace

void LinuxPlatform::enableShutdownPrivilege()
{
}

void LinuxPlatform::disableShutdownPrivilege()
{
}

// logind takes no reason code and has no counterpart of ForceIfHung: systemd's
// own stop timeouts deal with programs that hang.
void LinuxPlatform::requestExit(std::uint32_t flags, std::uint32_t)
{
    // The argument true lets logind ask polkit interactively.
    switch (flags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Logoff:
        logOff();
        break;
    case ExitFlags::Reboot:
        callLogindManager(QStringLiteral("Reboot"), {true});
        break;
    default:
        callLogindManager(QStringLiteral("PowerOff"), {true});
        break;
    }
}

void LinuxPlatform::abortShutdown()
{
    callLogindManager(QStringLiteral("CancelScheduledShutdown"));
}

void LinuxPlatform::pause(std::uint32_t ms, PauseInterrupt& interrupt)
{
    interrupt.waitFor(std::chrono::milliseconds(ms));
}

// CLOCK_BOOTTIME goes on counting while the machine is suspended, so a
// countdown still ends on time after a resume.
std::uint64_t LinuxPlatform::elapsedClockMs()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return std::uint64_t(now.tv_sec) * 1000u + std::uint64_t(now.tv_nsec) / 1000000u;
}

Platform& systemPlatform()
{
    static LinuxPlatform platform;
    return platform;
}
