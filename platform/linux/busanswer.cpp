// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "busanswer.h"

#include <QDBusMessage>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <unistd.h>

namespace {

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

}

// logind asks polkit with sd-bus's default timeout of 25 s: when a password
// prompt goes unanswered that long, logind itself answers NoReply, and the
// machine stays on. Velmora sets no timeout of its own on logind, so there
// such an answer always comes from the other side; from a session manager,
// which QtDBus gives up on after its own 25 s, it says nothing of a password.
ExitOutcome outcomeOf(const QDBusMessage &answer, bool fromLogind)
{
    if (answered(answer) || saysRecipientLeft(answer))
        return {};
    const QString reason = answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage();
    ExitOutcome::Kind kind = refusalKind(answer);
    if (kind == ExitOutcome::Kind::PasswordNotEntered && !fromLogind)
        kind = ExitOutcome::Kind::Refused;
    return {kind, reason.toStdString()};
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
