// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxplatform.h"

#include "desktoplogoff.h"
#include "pauseinterrupt.h"
#include "pendingreply.h"
#include "systembusprobe.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <limits>
#include <optional>
#include <string>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// polkit may hold a request to logind for minutes while it asks for a
// password, so that request waits for its answer without end; libdbus reads
// INT_MAX as "no timeout", and QtDBus hands the value on unchanged. A
// session manager asks for nothing: QtDBus's default of 25 s bounds it.
constexpr int untilAnswered = std::numeric_limits<int>::max();
constexpr int qtDBusDefaultTimeout = -1;
// The warning before the action shows what logind tells ahead, or nothing if
// logind is slow to say.
constexpr int prospectTimeoutMs = 1000;
// A request is made only of a system bus that answers a new connection (see
// systembusprobe.h), so that neither the calling thread nor the window's
// close, which waits for it, can hang on a stalled bus.
constexpr int requestProbeMs = 2000;

const QString login1Service = QStringLiteral("org.freedesktop.login1");

QDBusMessage logindManager(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        login1Service, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    message.setArguments(arguments);
    return message;
}

// Without a known desktop, logind ends the session; its programs get no
// chance to save, but nothing else would log the user off.
QDBusMessage endSession()
{
    return QDBusMessage::createMethodCall(login1Service,
                                          QStringLiteral("/org/freedesktop/login1/session/auto"),
                                          QStringLiteral("org.freedesktop.login1.Session"),
                                          QStringLiteral("Terminate"));
}

// Lets polkit ask the user for a password instead of refusing outright.
QDBusMessage allowingPasswordPrompt(QDBusMessage message)
{
    message.setInteractiveAuthorizationAllowed(true);
    return message;
}

bool answered(const QDBusMessage &answer)
{
    return answer.type() == QDBusMessage::ReplyMessage;
}

// A session manager that quits while logging off, or a logind restarted,
// leaves the call without an answer; the bus then says that it disconnected
// (dbus-daemon: "…disconnected from message bus…", dbus-broker: "Remote peer
// disconnected"). The request may well go on, so it counts as accepted, and
// whether it took effect is told as for any accepted request.
bool saysRecipientLeft(const QDBusMessage &answer)
{
    return answer.errorMessage().contains(QLatin1String("disconnected"));
}

ExitOutcome::Kind refusalKind(const QDBusMessage &answer)
{
    using Kind = ExitOutcome::Kind;
    static const QHash<QString, Kind> kinds{
        {QStringLiteral("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"), Kind::NoPasswordPrompt},
        {QStringLiteral("org.freedesktop.DBus.Error.NoReply"), Kind::PasswordNotEntered},
        {QStringLiteral("org.freedesktop.DBus.Error.Timeout"), Kind::PasswordNotEntered},
        {QStringLiteral("org.freedesktop.DBus.Error.TimedOut"), Kind::PasswordNotEntered},
        {QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), Kind::Forbidden},
        {QStringLiteral("System.Error.EISDIR"), Kind::NoSessionToEnd},
        {QStringLiteral("org.freedesktop.login1.NoSuchSession"), Kind::NoSessionToEnd},
        {QStringLiteral("org.freedesktop.login1.NoSessionForPID"), Kind::NoSessionToEnd},
        {QStringLiteral("org.freedesktop.login1.OperationInProgress"), Kind::AlreadyInProgress},
    };
    return kinds.value(answer.errorName(), Kind::Refused);
}

// logind asks polkit with sd-bus's default timeout of 25 s: when a password
// prompt goes unanswered that long, logind itself answers NoReply, and the
// machine stays on. Velmora sets no timeout of its own on logind, so there
// such an answer always comes from the other side; from a session manager,
// which QtDBus gives up on after its own 25 s, it says nothing of a password.
void reportOutcome(const QDBusMessage &answer, bool fromLogind, const ExitOutcomeHandler &onOutcome)
{
    if (answered(answer) || saysRecipientLeft(answer)) {
        onOutcome({});
    } else {
        const QString reason =
            answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage();
        ExitOutcome::Kind kind = refusalKind(answer);
        if (kind == ExitOutcome::Kind::PasswordNotEntered && !fromLogind)
            kind = ExitOutcome::Kind::Refused;
        onOutcome({kind, reason.toStdString()});
    }
}

void request(const QDBusConnection &bus, const QDBusMessage &message, ExitOutcomeHandler onOutcome)
{
    const bool fromLogind = message.service() == login1Service;
    PendingReply(bus, allowingPasswordPrompt(message), fromLogind ? untilAnswered : qtDBusDefaultTimeout)
        .whenAnswered([fromLogind, onOutcome = std::move(onOutcome)](const QDBusMessage &answer) {
            reportOutcome(answer, fromLogind, onOutcome);
        });
}

// A stalled bus says nothing, so the outcome carries no words of the
// system: the report's own sentence is all there is to tell. Reaching the
// bus may take a while, and the user may stop meanwhile.
void requestOfLogind(const QDBusMessage &message, const StillWanted &stillWanted,
                     ExitOutcomeHandler onOutcome)
{
    if (!systemBusAnswers(requestProbeMs)) {
        onOutcome({ExitOutcome::Kind::NoAnswer, {}});
        return;
    }
    const QDBusConnection system = QDBusConnection::systemBus();
    if (stillWanted())
        request(system, message, std::move(onOutcome));
}

// Finding the desktop waits for a slow session bus; the user may stop meanwhile.
void logOff(const StillWanted &stillWanted, ExitOutcomeHandler onOutcome)
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    const std::optional<QDBusMessage> desktop = desktopLogoff(session);
    if (!desktop)
        requestOfLogind(endSession(), stillWanted, std::move(onOutcome));
    else if (stillWanted())
        request(session, *desktop, std::move(onOutcome));
}

ExitProspect::Consent consentIn(const QDBusMessage &answer)
{
    const QString verdict = answer.arguments().value(0).toString();
    if (verdict == QLatin1String("yes"))
        return ExitProspect::Consent::Granted;
    if (verdict == QLatin1String("challenge"))
        return ExitProspect::Consent::AsksPassword;
    if (verdict == QLatin1String("no") || verdict == QLatin1String("na"))
        return ExitProspect::Consent::Denied;
    return ExitProspect::Consent::Unknown;
}

// An inhibitor in "delay" mode only gets a moment to prepare; one in "block"
// mode holds a shutdown or reboot off until it lets go.
std::vector<ExitProspect::Blocker> blockersIn(const QDBusMessage &answer)
{
    std::vector<ExitProspect::Blocker> blockers;
    if (answer.signature() != QLatin1String("a(ssssuu)"))
        return blockers;
    const QDBusArgument inhibitors = answer.arguments().value(0).value<QDBusArgument>();
    inhibitors.beginArray();
    while (!inhibitors.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        inhibitors.beginStructure();
        inhibitors >> what >> who >> why >> mode >> uid >> pid;
        inhibitors.endStructure();
        const QStringList actions = what.split(QLatin1Char(':'));
        if (mode == QLatin1String("block") && actions.contains(QLatin1String("shutdown")))
            blockers.push_back({who.toStdString(), why.toStdString(), uid == ::getuid()});
    }
    inhibitors.endArray();
    return blockers;
}

// A log-off reaches either the desktop's session manager or logind's
// session of this process; with neither, it cannot work from here.
std::optional<ExitProspect> logoffProspect()
{
    if (desktopLogoff(QDBusConnection::sessionBus()))
        return ExitProspect();
    if (!systemBusAnswers(prospectTimeoutMs))
        return std::nullopt;
    const QDBusMessage session = PendingReply(QDBusConnection::systemBus(),
                                              logindManager(QStringLiteral("GetSessionByPID"),
                                                            {quint32(::getpid())}),
                                              prospectTimeoutMs)
                                     .answer();
    if (session.errorName() == QLatin1String("org.freedesktop.login1.NoSessionForPID"))
        return ExitProspect{ExitProspect::Consent::NoSession, {}};
    return answered(session) ? std::optional(ExitProspect()) : std::nullopt;
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
void LinuxPlatform::requestExit(std::uint32_t flags, std::uint32_t, const StillWanted &stillWanted,
                                ExitOutcomeHandler onOutcome)
{
    // The argument true lets logind ask polkit interactively.
    switch (flags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Logoff:
        logOff(stillWanted, std::move(onOutcome));
        break;
    case ExitFlags::Reboot:
        requestOfLogind(logindManager(QStringLiteral("Reboot"), {true}), stillWanted, std::move(onOutcome));
        break;
    default:
        requestOfLogind(logindManager(QStringLiteral("PowerOff"), {true}), stillWanted, std::move(onOutcome));
        break;
    }
}

// logind's inhibitors and Can* answers concern powering off and rebooting,
// not a log-off; without an application no event loop would hand their
// answers over; and a stalled bus would hold every bus of the program.
// Both questions leave together, so the later answer still comes within
// one timeout. Half an answer is no answer: it would tell too little.
void LinuxPlatform::askProspect(std::uint32_t flags, ExitProspectHandler onAnswer)
{
    const std::uint32_t action = flags & ~ExitFlags::ForceIfHung;
    if (action == ExitFlags::Logoff) {
        onAnswer(logoffProspect());
        return;
    }
    if (!QCoreApplication::instance() || !systemBusAnswers(prospectTimeoutMs)) {
        onAnswer(std::nullopt);
        return;
    }
    const QDBusConnection system = QDBusConnection::systemBus();
    const QString question = action == ExitFlags::Reboot ? QStringLiteral("CanReboot")
                                                         : QStringLiteral("CanPowerOff");
    const PendingReply consent(system, logindManager(question), prospectTimeoutMs);
    const PendingReply inhibitors(system, logindManager(QStringLiteral("ListInhibitors")),
                                  prospectTimeoutMs);
    consent.whenAnswered([inhibitors, onAnswer](const QDBusMessage &consentAnswer) {
        inhibitors.whenAnswered([consentAnswer, onAnswer](const QDBusMessage &inhibitorsAnswer) {
            onAnswer(answered(consentAnswer) && answered(inhibitorsAnswer)
                         ? std::optional(ExitProspect{consentIn(consentAnswer), blockersIn(inhibitorsAnswer)})
                         : std::nullopt);
        });
    });
}

// Nobody waits for an answer to a cancellation, so it is sent expecting none.
// The program itself never sends one: it is asked for only by name.
void LinuxPlatform::abortShutdown()
{
    QDBusConnection::systemBus().send(
        allowingPasswordPrompt(logindManager(QStringLiteral("CancelScheduledShutdown"))));
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
