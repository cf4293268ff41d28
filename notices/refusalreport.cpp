// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusalreport.h"

#include "actionnames.h"
#include "noticepresenter.h"
#include "sentencesahead.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <chrono>

using namespace std::chrono_literals;
using PowerActions::exitFlagsFor;
using PowerActions::forAction;

namespace {

// Well past the few seconds logind grants programs that delay a shutdown,
// and past a session manager's own wait for programs that save their work.
constexpr auto logoffTakesEffectWithin = 60s;
constexpr auto shutdownTakesEffectWithin = 150s;

QString notDone(const QString& mode)
{
    return forAction(exitFlagsFor(mode),
                     //: The report's title and the notification's summary.
                     RefusalReport::tr("Shutdown not done"),
                     //: The report's title and the notification's summary.
                     RefusalReport::tr("Reboot not done"),
                     //: The report's title and the notification's summary.
                     RefusalReport::tr("Log off not done"));
}

// What the outcome means, twice in plain words: after the summary and a
// colon in the report's first line, and as sentences of their own in the
// notification's body, under the summary. Languages write the two apart
// (case, and what a colon asks for), so each is a text of its own.
struct Meaning
{
    QString afterSummary;
    QString alone;
};

Meaning noEffect(const QString& mode)
{
    if ((exitFlagsFor(mode) & ~ExitFlags::ForceIfHung) == ExitFlags::Logoff)
        return {RefusalReport::tr("the system accepted the request, but the session did not end. The desktop may "
                                  "be waiting for an answer in a window of its own."),
                RefusalReport::tr("The system accepted the request, but the session did not end. The desktop may "
                                  "be waiting for an answer in a window of its own.")};
    return {RefusalReport::tr("the system accepted the request, but the computer is still running. A program "
                              "may be holding it off."),
            RefusalReport::tr("The system accepted the request, but the computer is still running. A program "
                              "may be holding it off.")};
}

// A password refused and an action the policy forbids both come back as
// "access denied"; whether the system asks this user for a password tells
// them apart.
Meaning meaning(const QString& mode, const ExitOutcome& outcome, const ExitProspect& prospect)
{
    using Kind = ExitOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Accepted:
        return noEffect(mode);
    case Kind::NoPasswordPrompt:
        return {RefusalReport::tr("the system wants an administrator's password, and no password prompt could "
                                  "be shown (no authentication agent runs for this session)."),
                RefusalReport::tr("The system wants an administrator's password, and no password prompt could "
                                  "be shown (no authentication agent runs for this session).")};
    case Kind::PasswordNotEntered:
        return {RefusalReport::tr(
                    "the system asked for an administrator's password and nobody entered it in time."),
                RefusalReport::tr(
                    "The system asked for an administrator's password and nobody entered it in time.")};
    case Kind::Forbidden:
        if (prospect.consent == ExitProspect::Consent::AsksPassword)
            return {RefusalReport::tr("the password was refused or the prompt was cancelled."),
                    RefusalReport::tr("The password was refused or the prompt was cancelled.")};
        return {RefusalReport::tr("the system's policy does not allow this action for this user."),
                RefusalReport::tr("The system's policy does not allow this action for this user.")};
    case Kind::NoSessionToEnd: {
        const QString notInSession = RefusalReport::tr("Velmora is not running inside a login session that can "
                                                       "be ended. Start it from the desktop's menu to log off.");
        return {notInSession, notInSession};
    }
    case Kind::AlreadyInProgress:
        return {RefusalReport::tr("another shutdown or reboot is already under way."),
                RefusalReport::tr("Another shutdown or reboot is already under way.")};
    case Kind::NoAnswer:
        return {RefusalReport::tr("the system did not answer. Its message bus may be stuck or very busy; try "
                                  "again in a moment."),
                RefusalReport::tr("The system did not answer. Its message bus may be stuck or very busy; try "
                                  "again in a moment.")};
    default:
        return {};
    }
}

// "Shutdown not done: " and what that means, or "Shutdown not done." alone.
QString firstLine(const QString& mode, const QString& explained)
{
    if (explained.isEmpty()) {
        //: The report's first line, with nothing to explain: %1 is "Shutdown not done" or the like.
        return RefusalReport::tr("%1.").arg(notDone(mode));
    }
    //: The report's first line: %1 is "Shutdown not done" or the like, %2 what that means, as in
    //: "the system's policy does not allow this action for this user.".
    return RefusalReport::tr("%1: %2").arg(notDone(mode), explained);
}

bool sameBlocker(const ExitProspect::Blocker& one, const ExitProspect::Blocker& other)
{
    return one.who == other.who && one.why == other.why;
}

bool sameProspect(const ExitProspect& one, const ExitProspect& other)
{
    return one.consent == other.consent
        && std::equal(one.blockers.cbegin(), one.blockers.cend(), other.blockers.cbegin(),
                      other.blockers.cend(), sameBlocker);
}

// The lines under the meaning. The user's own programs hold nothing off,
// so only the others are named.
QStringList details(const ExitOutcome& outcome, const ExitProspect& prospect)
{
    QStringList lines;
    for (const ExitProspect::Blocker& blocker : prospect.blockers) {
        if (!blocker.callersOwn)
            lines << blockerSentence(blocker);
    }
    if (!outcome.reason.empty()) {
        //: %1 is the system's own answer, in its own words.
        lines << RefusalReport::tr("The system answered: %1").arg(QString::fromStdString(outcome.reason));
    }
    return lines;
}

}

QString refusalMessage(const QString& mode, const ExitOutcome& outcome, const ExitProspect& prospect)
{
    QStringList lines{firstLine(mode, meaning(mode, outcome, prospect).afterSummary)};
    lines << details(outcome, prospect);
    return lines.join(QLatin1Char('\n'));
}

RefusalReport::RefusalReport(QObject* parent)
    : QObject(parent)
    , effectDeadline(this)
    //: The report's message, as a screen reader names it.
    , presenter(new NoticePresenter({tr("Report"), tr("Try again"), tr("Close"), QStringLiteral("retry"),
                                     tr("Try again")},
                                    this))
{
    effectDeadline.setSingleShot(true);
    effectDeadline.setObjectName(QStringLiteral("effectDeadline"));
    connect(&effectDeadline, &QTimer::timeout, this, [this] { show(expectedMode, {}, expectedTicket); });
    connect(presenter, &NoticePresenter::actionRequested, this, &RefusalReport::retry);
    // "Close" puts the notification away too; Escape only the window.
    connect(presenter, &NoticePresenter::dismissed, this, &RefusalReport::withdraw);
    connect(presenter, &NoticePresenter::prospectLearned, this, &RefusalReport::learn);
}

std::uint64_t RefusalReport::requestTicket() const
{
    return withdrawals;
}

void RefusalReport::show(const QString& mode, const ExitOutcome& outcome, std::uint64_t ticket)
{
    if (ticket != withdrawals)
        return;
    if (retriedAt) {
        noteRetry(outcome);
    } else {
        retryNote.clear();
        prospect = exitFlagsFor(mode) == warnedFlags ? warned : ExitProspect();
    }
    refusedMode = mode;
    refusal = outcome;
    publish(true);
    presenter->askProspect(exitFlagsFor(mode));
}

void RefusalReport::noteRetry(const ExitOutcome& outcome)
{
    const bool same = outcome.kind == refusal.kind && outcome.reason == refusal.reason;
    const QString at = QLocale().toString(*retriedAt, QStringLiteral("HH:mm:ss"));
    //: %1 is the clock time of the second request, "21:05:42".
    retryNote = same ? tr("Tried again at %1 \u2013 same answer.").arg(at)
                     //: %1 is the clock time of the second request, "21:05:42".
                     : tr("Tried again at %1.").arg(at);
    retriedAt.reset();
}

void RefusalReport::expectEffect(const QString& mode, std::uint64_t ticket)
{
    if (ticket != withdrawals)
        return;
    expectedMode = mode;
    expectedTicket = ticket;
    const bool logoff = (exitFlagsFor(mode) & ~ExitFlags::ForceIfHung) == ExitFlags::Logoff;
    effectDeadline.start(logoff ? logoffTakesEffectWithin : shutdownTakesEffectWithin);
}

void RefusalReport::withdraw()
{
    putAway();
    retriedAt.reset();
    retryNote.clear();
}

// What the warning learned belongs to its run, and stays when the run is
// postponed; the warning forgets it for the next run.
void RefusalReport::rememberProspect(std::uint32_t exitFlags, const ExitProspect& learned)
{
    warnedFlags = exitFlags;
    warned = learned;
}

// Answers still on their way belong to a report no longer shown.
void RefusalReport::putAway()
{
    ++withdrawals;
    effectDeadline.stop();
    presenter->withdraw();
}

// The report goes away while the request is made again; a new refusal
// brings it back, saying that it was tried again.
void RefusalReport::retry()
{
    putAway();
    retriedAt = QTime::currentTime();
    emit retryRequested(refusedMode);
}

// The window may have been put away with Escape; the notification, which
// may be all that is in sight, still learns what holds the action off.
// What the system says now replaces what was known. At the first refusal a
// program the warning found stays named when the system lists none: it
// has often let go by then, having been the reason. After "Try again" a
// program that has let go is no longer named. A question left unanswered
// brings nothing here, and the report stays.
void RefusalReport::learn(std::uint32_t, const ExitProspect& learned)
{
    ExitProspect now = learned;
    if (retryNote.isEmpty() && now.blockers.empty())
        now.blockers = prospect.blockers;
    if (sameProspect(prospect, now))
        return;
    prospect = now;
    publish(false);
}

void RefusalReport::publish(bool present)
{
    QStringList body = details(refusal, prospect);
    const QString explained = meaning(refusedMode, refusal, prospect).alone;
    if (!explained.isEmpty())
        body.prepend(explained);
    QString message = refusalMessage(refusedMode, refusal, prospect);
    if (!retryNote.isEmpty()) {
        message += QLatin1Char('\n') + retryNote;
        body << retryNote;
    }
    // The summary already says what was not done.
    presenter->publish({notDone(refusedMode), message, notDone(refusedMode), body.join(QLatin1Char('\n'))},
                       present);
}
