// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxplatform.h"

#include "busanswer.h"
#include "desktoplogoff.h"
#include "pauseinterrupt.h"
#include "pendingreply.h"
#include "systembus.h"
#include "systembusprobe.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
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
// INT_MAX as "no timeout". A session manager asks for nothing: QtDBus's
// default of 25 s bounds it.
constexpr int untilAnswered = std::numeric_limits<int>::max();
constexpr int qtDBusDefaultTimeout = -1;
// The warning before the action shows what logind tells ahead, or nothing if
// logind is slow to say.
constexpr int prospectTimeoutMs = 1000;
// A request is made only of a system bus that answers a new connection (see
// systembusprobe.h): a daemon that has stopped is told at once. One that
// stalls after that check is given 25 s, QtDBus's default, so that both
// buses give up alike.
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


void requestOfDesktop(const QDBusConnection &bus, const QDBusMessage &message, ExitOutcomeHandler onOutcome)
{
    PendingReply(bus, allowingPasswordPrompt(message), qtDBusDefaultTimeout)
        .whenAnswered([onOutcome = std::move(onOutcome)](const QDBusMessage &answer) {
            onOutcome(outcomeOf(answer, false));
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
    if (!stillWanted())
        return;
    if (!systemBusAnswers(requestProbeMs)) {
        if (stillWanted())
            onOutcome({ExitOutcome::Kind::NoAnswer, {}});
        return;
    }
    const auto report = [onOutcome](const std::vector<SystemBusAnswer> &answers) {
        onOutcome(outcomeOf(asMessage(answers.front()), true));
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
        requestOfDesktop(session, *desktop, std::move(onOutcome));
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
