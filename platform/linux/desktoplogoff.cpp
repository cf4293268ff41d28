// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktoplogoff.h"

#include "pendingreply.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

namespace {

// The bus daemon answers at once unless it is stalled; the second, longer
// wait tells a stalled bus from a missing desktop.
constexpr int firstOwnerWaitMs = 500;
constexpr int secondOwnerWaitMs = 5000;

enum class Presence { Absent, Present, Unclear };

QDBusMessage logoffCall(const QString &service, const QString &path, const QString &interface,
                        const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

// In order of preference. Each asks for the log-off the desktop's own menu
// offers; GNOME's mode 1 skips the confirmation dialog, as do Xfce's
// arguments (no dialog, allow saving).
QList<QDBusMessage> desktopLogoffCalls()
{
    return {
        logoffCall(QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
                   QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"),
                   {QVariant::fromValue(quint32(1))}),
        logoffCall(QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
                   QStringLiteral("org.kde.Shutdown"), QStringLiteral("logout"), {}),
        logoffCall(QStringLiteral("org.xfce.SessionManager"), QStringLiteral("/org/xfce/SessionManager"),
                   QStringLiteral("org.xfce.Session.Manager"), QStringLiteral("Logout"), {false, true}),
    };
}

Presence presenceIn(const QDBusMessage &answer)
{
    if (answer.type() != QDBusMessage::ReplyMessage)
        return Presence::Unclear;
    return answer.arguments().value(0).toBool() ? Presence::Present : Presence::Absent;
}

// Every name is asked before any answer is awaited, so that a stalled bus
// costs one wait rather than one per name.
QHash<QString, Presence> askOwners(const QDBusConnection &bus, const QStringList &names, int waitMs)
{
    std::vector<std::pair<QString, PendingReply>> questions;
    for (const QString &name : names) {
        QDBusMessage question = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
        question << name;
        questions.emplace_back(name, PendingReply(bus, question, waitMs));
    }
    QHash<QString, Presence> presence;
    for (auto &[name, question] : questions)
        presence.insert(name, presenceIn(question.answer()));
    return presence;
}

} // namespace

// Only the bus saying "no owner" rules a desktop out. A slow session bus
// must not hand the log-off to logind, which ends the session without
// letting its programs save. A desktop still unclear after the second wait
// is asked all the same: if it is not there, the bus answers with an error,
// which is reported as a refusal.
std::optional<QDBusMessage> desktopLogoff(const QDBusConnection &session)
{
    // Without a session bus no desktop could be asked at all.
    if (!session.isConnected())
        return std::nullopt;
    const QList<QDBusMessage> calls = desktopLogoffCalls();
    QStringList names;
    for (const QDBusMessage &call : calls)
        names << call.service();
    QHash<QString, Presence> presence = askOwners(session, names, firstOwnerWaitMs);
    presence.insert(askOwners(session, presence.keys(Presence::Unclear), secondOwnerWaitMs));
    for (const QDBusMessage &call : calls) {
        if (presence.value(call.service()) != Presence::Absent)
            return call;
    }
    return std::nullopt;
}
