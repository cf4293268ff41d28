// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxplatform.h"

#include "desktoplogoff.h"
#include "pauseinterrupt.h"
#include "pendingreply.h"
#include "systembus.h"
#include "systembusprobe.h"

#include <QCoreApplication>
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
// systembusprobe.h): a daemon that has stopped is told at once. One that
// stalls after that check is given as long as QtDBus gives an answer.
constexpr int requestProbeMs = 2000;
constexpr int requestConnectMs = 25000;

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

SystemBusCall systemBusCall(const QDBusMessage &message)
{
    SystemBusCall call{message.path().toStdString(), message.interface().toStdString(),
                       message.member().toStdString(), {}, message.isInteractiveAuthorizationAllowed()};
    for (const QVariant &argument : message.arguments()) {
        if (argument.typeId() == QMetaType::Bool)
            call.arguments.emplace_back(argument.toBool());
        else
            call.arguments.emplace_back(std::uint32_t(argument.toUInt()));
    }
    return call;
}

// As QtDBus would have handed the answer over, so that one reading serves
// both buses.
QDBusMessage asMessage(const SystemBusAnswer &answer)
{
    if (answer.isError)
        return QDBusMessage::createError(QString::fromStdString(answer.errorName),
                                         QString::fromStdString(answer.errorMessage));
    return QDBusMessage::createMethodCall(login1Service, QString(), QString(), QString())
        .createReply(QVariantList{QString::fromStdString(answer.text)});
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
    const auto report = [onOutcome](const std::vector<SystemBusAnswer> &answers) {
        reportOutcome(asMessage(answers.front()), true, onOutcome);
    };
    if (callSystemBus({systemBusCall(allowingPasswordPrompt(message))}, untilAnswered, requestConnectMs,
                      stillWanted, report)
        == Departure::Stalled)
        onOutcome({ExitOutcome::Kind::NoAnswer, {}});
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
std::vector<ExitProspect::Blocker> blockersIn(const SystemBusAnswer &answer)
{
    std::vector<ExitProspect::Blocker> blockers;
    for (const SystemBusAnswer::Inhibitor &inhibitor : answer.inhibitors) {
        const QStringList actions = QString::fromStdString(inhibitor.what).split(QLatin1Char(':'));
        if (inhibitor.mode == "block" && actions.contains(QLatin1String("shutdown")))
            blockers.push_back({inhibitor.who, inhibitor.why, inhibitor.uid == ::getuid()});
    }
    return blockers;
}

// Questions wait as long for the connection as for their answers; nobody
// stops them, and one left unanswered is answered with nothing.
void askLogind(std::vector<SystemBusCall> calls, const ExitProspectHandler &onAnswer,
               std::function<std::optional<ExitProspect>(const std::vector<SystemBusAnswer> &)> reading)
{
    if (!systemBusAnswers(prospectTimeoutMs)) {
        onAnswer(std::nullopt);
        return;
    }
    const auto answered = [onAnswer, reading = std::move(reading)](const std::vector<SystemBusAnswer> &answers) {
        onAnswer(reading(answers));
    };
    if (callSystemBus(std::move(calls), prospectTimeoutMs, prospectTimeoutMs, [] { return true; }, answered)
        == Departure::Stalled)
        onAnswer(std::nullopt);
}

// A log-off reaches either the desktop's session manager or logind's
// session of this process; with neither, it cannot work from here.
void askLogoffProspect(const ExitProspectHandler &onAnswer)
{
    if (desktopLogoff(QDBusConnection::sessionBus())) {
        onAnswer(ExitProspect());
        return;
    }
    askLogind({systemBusCall(logindManager(QStringLiteral("GetSessionByPID"), {quint32(::getpid())}))}, onAnswer,
              [](const std::vector<SystemBusAnswer> &answers) -> std::optional<ExitProspect> {
                  const SystemBusAnswer &session = answers.front();
                  if (session.errorName == "org.freedesktop.login1.NoSessionForPID")
                      return ExitProspect{ExitProspect::Consent::NoSession, {}};
                  return session.isError ? std::nullopt : std::optional(ExitProspect());
              });
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
// not a log-off. Both questions leave together, so the later answer still
// comes within one timeout. Half an answer is no answer: it would tell too
// little.
void LinuxPlatform::askProspect(std::uint32_t flags, ExitProspectHandler onAnswer)
{
    const std::uint32_t action = flags & ~ExitFlags::ForceIfHung;
    if (action == ExitFlags::Logoff) {
        askLogoffProspect(onAnswer);
        return;
    }
    const QString question = action == ExitFlags::Reboot ? QStringLiteral("CanReboot")
                                                         : QStringLiteral("CanPowerOff");
    askLogind({systemBusCall(logindManager(question)), systemBusCall(logindManager(QStringLiteral("ListInhibitors")))},
              onAnswer, [](const std::vector<SystemBusAnswer> &answers) -> std::optional<ExitProspect> {
                  const SystemBusAnswer &consent = answers.front();
                  const SystemBusAnswer &inhibitors = answers.back();
                  if (consent.isError || inhibitors.isError)
                      return std::nullopt;
                  return ExitProspect{consentIn(asMessage(consent)), blockersIn(inhibitors)};
              });
}

// Nobody waits for an answer to a cancellation, so it is sent expecting none,
// and not at all to a bus that has stopped answering.
// The program itself never sends one: it is asked for only by name.
void LinuxPlatform::abortShutdown()
{
    if (systemBusAnswers(requestProbeMs))
        sendToSystemBus(systemBusCall(allowingPasswordPrompt(logindManager(QStringLiteral("CancelScheduledShutdown")))));
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
