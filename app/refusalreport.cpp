// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusalreport.h"

#include "desktopnotification.h"
#include "foreseeexit.h"
#include "noticewindow.h"
#include "poweractions.h"
#include "outlooksentences.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

QString notDone(const QString& mode)
{
    return QStringLiteral("%1 not done").arg(PowerActions::actionName(PowerActions::exitFlagsFor(mode)));
}

// A password refused and an action the policy forbids both come back as
// "access denied"; whether the system asks this user for a password tells
// them apart.
QString meaning(const ExitOutcome& outcome, const ExitProspect& prospect)
{
    using Kind = ExitOutcome::Kind;
    switch (outcome.kind) {
    case Kind::NoPasswordPrompt:
        return QStringLiteral("the system wants an administrator's password, and no password prompt could "
                              "be shown (no authentication agent runs for this session).");
    case Kind::PasswordNotEntered:
        return QStringLiteral("the system asked for an administrator's password and nobody entered it in time.");
    case Kind::Forbidden:
        if (prospect.consent == ExitProspect::Consent::AsksPassword)
            return QStringLiteral("the password was refused or the prompt was cancelled.");
        return QStringLiteral("the system's policy does not allow this action for this user.");
    case Kind::NoSessionToEnd:
        return QStringLiteral("Velmora is not running inside a login session that can be ended. "
                              "Start it from the desktop's menu to log off.");
    case Kind::AlreadyInProgress:
        return QStringLiteral("another shutdown or reboot is already under way.");
    default:
        return QString();
    }
}

bool sameBlocker(const ExitProspect::Blocker& one, const ExitProspect::Blocker& other)
{
    return one.who == other.who && one.why == other.why;
}

// What the system says at the refusal adds to what the warning knew; true
// when that changed anything.
bool merge(ExitProspect& known, const ExitProspect& learned)
{
    bool changed = false;
    if (learned.consent != ExitProspect::Consent::Unknown && learned.consent != known.consent) {
        known.consent = learned.consent;
        changed = true;
    }
    for (const ExitProspect::Blocker& blocker : learned.blockers) {
        const auto found = std::find_if(known.blockers.cbegin(), known.blockers.cend(),
                                        [&](const auto& other) { return sameBlocker(blocker, other); });
        if (found == known.blockers.cend()) {
            known.blockers.push_back(blocker);
            changed = true;
        }
    }
    return changed;
}

}

// The user's own programs hold nothing off, so only the others are named.
QString refusalMessage(const QString& mode, const ExitOutcome& outcome, const ExitProspect& prospect)
{
    const QString explained = meaning(outcome, prospect);
    QStringList lines{notDone(mode) + (explained.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + explained)};
    for (const ExitProspect::Blocker& blocker : prospect.blockers) {
        if (!blocker.callersOwn)
            lines << blockerSentence(blocker);
    }
    lines << QStringLiteral("The system answered: %1").arg(QString::fromStdString(outcome.reason));
    return lines.join(QLatin1Char('\n'));
}

RefusalReport::RefusalReport(QObject* parent)
    : QObject(parent)
    , notification(new DesktopNotification(QStringLiteral("retry"), QStringLiteral("Try again"), this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &RefusalReport::retry);
    connect(notification, &DesktopNotification::opened, this, [this](const QString& activationToken) {
        reportWindow()->bringBack(activationToken);
    });
}

RefusalReport::~RefusalReport() = default;

std::uint64_t RefusalReport::requestTicket() const
{
    return withdrawals;
}

void RefusalReport::show(const QString& mode, const ExitOutcome& outcome, std::uint64_t ticket)
{
    if (ticket != withdrawals)
        return;
    // What was learned at the first refusal still holds when it is tried again.
    if (retriedAt) {
        const bool same = outcome.kind == refusal.kind && outcome.reason == refusal.reason;
        const QString at = QLocale().toString(*retriedAt, QStringLiteral("HH:mm:ss"));
        retryNote = same ? QStringLiteral("Tried again at %1 \u2013 same answer.").arg(at)
                         : QStringLiteral("Tried again at %1.").arg(at);
        retriedAt.reset();
    } else {
        retryNote.clear();
        const std::uint32_t flags = PowerActions::exitFlagsFor(mode);
        prospect = flags == warnedFlags ? warned : ExitProspect();
    }
    refusedMode = mode;
    refusal = outcome;
    ++refusalsShown;
    publish(true);
    foresee(PowerActions::exitFlagsFor(mode));
}

// What the warning learned belongs to its run alone.
void RefusalReport::withdraw()
{
    putAway();
    retriedAt.reset();
    retryNote.clear();
    warnedFlags = 0;
    warned = {};
}

void RefusalReport::rememberProspect(std::uint32_t exitFlags, const ExitProspect& learned)
{
    warnedFlags = exitFlags;
    warned = learned;
}

// Answers still on their way belong to a report no longer shown.
void RefusalReport::putAway()
{
    ++withdrawals;
    ++refusalsShown;
    if (window)
        window->hide();
    notification->close();
}

// The report goes away while the request is made again; a new refusal
// brings it back, saying that it was tried again.
void RefusalReport::retry()
{
    putAway();
    retriedAt = QTime::currentTime();
    emit retryRequested(refusedMode);
}

void RefusalReport::foresee(std::uint32_t exitFlags)
{
    const std::uint64_t refusalNumber = refusalsShown;
    foreseeExitFor(this, exitFlags, [this, refusalNumber](const ExitProspect& learned) {
        learn(learned, refusalNumber);
    });
}

// The window may have been put away with Escape; the notification, which
// may be all that is in sight, still learns what holds the action off.
void RefusalReport::learn(const ExitProspect& learned, std::uint64_t refusalNumber)
{
    if (refusalNumber == refusalsShown && merge(prospect, learned))
        publish(false);
}

void RefusalReport::publish(bool showWindow)
{
    QString message = refusalMessage(refusedMode, refusal, prospect);
    if (!retryNote.isEmpty())
        message += QLatin1Char('\n') + retryNote;
    NoticeWindow* shown = reportWindow();
    shown->setSubject(notDone(refusedMode));
    shown->setMessage(message);
    if (showWindow)
        shown->present();
    notification->show(notDone(refusedMode), message);
}

NoticeWindow* RefusalReport::reportWindow()
{
    if (!window) {
        window = std::make_unique<NoticeWindow>(QStringLiteral("Report"), QStringLiteral("Try again"),
                                                QStringLiteral("Close"));
        connect(window.get(), &NoticeWindow::actionRequested, this, &RefusalReport::retry);
        // "Close" puts the notification away too; Escape only the window.
        connect(window.get(), &NoticeWindow::dismissed, this, &RefusalReport::withdraw);
    }
    return window.get();
}
