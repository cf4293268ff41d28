// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktoplogoff.h"

#include "pendingreply.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

namespace {

// The bus daemon answers at once unless it is stalled; the second, longer
// wait tells a stalled bus from a missing desktop.
constexpr int firstWaitMs = 500;
constexpr int secondWaitMs = 5000;

enum class Presence { Absent, Running, Startable, Unclear };

// A session manager's log-off call, and the names whose owner shows that its
// desktop runs. Plasma starts org.kde.Shutdown only when it is called, so
// while the session runs that name has no owner; its session process,
// ksmserver, has.
struct Desktop
{
    QDBusMessage logoff;
    QStringList witnesses;
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
         {gnome}},
        {logoffCall(kde, QStringLiteral("/Shutdown"), kde, QStringLiteral("logout"), {}),
         {kde, QStringLiteral("org.kde.ksmserver")}},
        {logoffCall(xfce, QStringLiteral("/org/xfce/SessionManager"), QStringLiteral("org.xfce.Session.Manager"),
                    QStringLiteral("Logout"), {false, true}),
         {xfce}},
    };
}

QDBusMessage busQuestion(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    question.setArguments(arguments);
    return question;
}

// What the bus said so far: an owner for each name asked, and the names it
// can start on demand. A question without an answer stays out of both.
struct BusAnswers
{
    QHash<QString, bool> owned;
    std::optional<QSet<QString>> activatable;

    QStringList unanswered(const QStringList &names) const
    {
        QStringList missing;
        for (const QString &name : names) {
            if (!owned.contains(name))
                missing << name;
        }
        return missing;
    }
};

// Every question leaves before any answer is awaited, so that a stalled bus
// costs one wait rather than one per name.
void ask(const QDBusConnection &bus, const QStringList &names, bool askActivatable, int waitMs,
         BusAnswers &answers)
{
    std::vector<std::pair<QString, PendingReply>> questions;
    for (const QString &name : names)
        questions.emplace_back(name, PendingReply(bus, busQuestion(QStringLiteral("NameHasOwner"), {name}), waitMs));
    std::optional<PendingReply> activatableQuestion;
    if (askActivatable)
        activatableQuestion.emplace(bus, busQuestion(QStringLiteral("ListActivatableNames")), waitMs);
    for (auto &[name, question] : questions) {
        const QDBusMessage answer = question.answer();
        if (answer.type() == QDBusMessage::ReplyMessage)
            answers.owned.insert(name, answer.arguments().value(0).toBool());
    }
    if (activatableQuestion) {
        const QDBusMessage answer = activatableQuestion->answer();
        if (answer.type() == QDBusMessage::ReplyMessage) {
            const QStringList names = answer.arguments().value(0).toStringList();
            answers.activatable = QSet<QString>(names.cbegin(), names.cend());
        }
    }
}

Presence presenceOf(const Desktop &desktop, const BusAnswers &answers)
{
    bool unclear = false;
    for (const QString &witness : desktop.witnesses) {
        if (!answers.owned.contains(witness))
            unclear = true;
        else if (answers.owned.value(witness))
            return Presence::Running;
    }
    if (answers.activatable && answers.activatable->contains(desktop.logoff.service()))
        return Presence::Startable;
    return unclear || !answers.activatable ? Presence::Unclear : Presence::Absent;
}

} // namespace

// Only the bus saying "no owner, and nothing to start" rules a desktop out.
// A slow session bus must not hand the log-off to logind, which ends the
// session without letting its programs save. A desktop still unclear after
// the second wait is asked all the same: if it is not there, the bus answers
// with an error, which is reported as a refusal. A name that can be started
// on demand is called, and the bus starts its owner.
std::optional<QDBusMessage> desktopLogoff(const QDBusConnection &session)
{
    // Without a session bus no desktop could be asked at all.
    if (!session.isConnected())
        return std::nullopt;
    const QList<Desktop> desktops = knownDesktops();
    QStringList names;
    for (const Desktop &desktop : desktops)
        names << desktop.witnesses;
    BusAnswers answers;
    ask(session, names, true, firstWaitMs, answers);
    ask(session, answers.unanswered(names), !answers.activatable, secondWaitMs, answers);
    // A desktop that runs goes before one that is only installed: Plasma's
    // session manager can be started on any desktop where Plasma is.
    for (const Desktop &desktop : desktops) {
        if (presenceOf(desktop, answers) == Presence::Running)
            return desktop.logoff;
    }
    for (const Desktop &desktop : desktops) {
        if (presenceOf(desktop, answers) != Presence::Absent)
            return desktop.logoff;
    }
    return std::nullopt;
}
