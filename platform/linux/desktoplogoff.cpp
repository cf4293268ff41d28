// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktoplogoff.h"

#include "pendingreply.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

namespace {

// The bus daemon answers at once unless it is stalled; a stalled one is
// given this long to tell a missing desktop from a running one.
constexpr int ownerWaitMs = 5000;

enum class Presence { Absent, Running, Unclear };

// A session manager's log-off call, and the name whose owner shows that its
// desktop's session runs. Plasma's org.kde.Shutdown is no such name: the bus
// starts it wherever Plasma is installed, and without Plasma's session
// (ksmserver) it answers a log-off with success and ends nothing.
struct Desktop
{
    QDBusMessage logoff;
    QString witness;
};

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
QList<Desktop> knownDesktops()
{
    const QString gnome = QStringLiteral("org.gnome.SessionManager");
    const QString kde = QStringLiteral("org.kde.Shutdown");
    const QString xfce = QStringLiteral("org.xfce.SessionManager");
    return {
        {logoffCall(gnome, QStringLiteral("/org/gnome/SessionManager"), gnome, QStringLiteral("Logout"),
                    {QVariant::fromValue(quint32(1))}),
         gnome},
        {logoffCall(kde, QStringLiteral("/Shutdown"), kde, QStringLiteral("logout"), {}),
         QStringLiteral("org.kde.ksmserver")},
        {logoffCall(xfce, QStringLiteral("/org/xfce/SessionManager"), QStringLiteral("org.xfce.Session.Manager"),
                    QStringLiteral("Logout"), {false, true}),
         xfce},
    };
}

QDBusMessage ownerQuestion(const QString &name)
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question.setArguments({name});
    return question;
}

// Whether each name asked has an owner; a name without an answer stays out.
using Owners = QHash<QString, bool>;

// Every question leaves before any answer is awaited, so that a stalled bus
// costs one wait rather than one per name.
Owners ownersOf(const QDBusConnection &bus, const QList<Desktop> &desktops)
{
    std::vector<std::pair<QString, PendingReply>> questions;
    for (const Desktop &desktop : desktops)
        questions.emplace_back(desktop.witness, PendingReply(bus, ownerQuestion(desktop.witness), ownerWaitMs));
    Owners owners;
    for (auto &[name, question] : questions) {
        const QDBusMessage answer = question.answer();
        if (answer.type() == QDBusMessage::ReplyMessage)
            owners.insert(name, answer.arguments().value(0).toBool());
    }
    return owners;
}

Presence presenceOf(const Desktop &desktop, const Owners &owners)
{
    if (!owners.contains(desktop.witness))
        return Presence::Unclear;
    return owners.value(desktop.witness) ? Presence::Running : Presence::Absent;
}

} // namespace

// Only the bus saying that no owner holds a desktop's name rules it out. A
// slow session bus must not hand the log-off to logind, which ends the
// session without letting its programs save. A desktop still unclear after
// the wait is asked all the same: if it is not there, the bus answers with
// an error, which is reported as a refusal.
std::optional<QDBusMessage> desktopLogoff(const QDBusConnection &session)
{
    // Without a session bus no desktop could be asked at all.
    if (!session.isConnected())
        return std::nullopt;
    const QList<Desktop> desktops = knownDesktops();
    const Owners owners = ownersOf(session, desktops);
    // A desktop that surely runs goes before one the bus was too slow to tell.
    for (const Desktop &desktop : desktops) {
        if (presenceOf(desktop, owners) == Presence::Running)
            return desktop.logoff;
    }
    for (const Desktop &desktop : desktops) {
        if (presenceOf(desktop, owners) == Presence::Unclear)
            return desktop.logoff;
    }
    return std::nullopt;
}
