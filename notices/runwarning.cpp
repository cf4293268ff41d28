// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runwarning.h"

#include "actionnames.h"
#include "noticepresenter.h"
#include "sentencesahead.h"
#include "settings.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

constexpr std::uint32_t msPerMinute = 60000;
// What "Postpone" adds to the time left.
constexpr std::uint32_t postponeMinutes = 10;

// The settings dialog keeps the alert time within 1..10 minutes; a
// hand-edited file is held to the same bounds.
std::uint32_t leadMs()
{
    return static_cast<std::uint32_t>(std::clamp(settings.alertTime, 1, 10)) * msPerMinute;
}

QString minutesText(std::uint32_t minutes)
{
    return RunWarning::tr("%n minute(s)", nullptr, static_cast<int>(minutes));
}

QString secondsText(std::uint32_t seconds)
{
    return RunWarning::tr("%n second(s)", nullptr, static_cast<int>(seconds));
}

// "5 minutes", "4 minutes 59 seconds", "42 seconds".
QString timeLeft(std::uint32_t minutes, std::uint32_t seconds)
{
    if (minutes == 0)
        return secondsText(seconds);
    if (seconds == 0)
        return minutesText(minutes);
    //: A time left of minutes and seconds: %1 is "%n minute(s)", %2 "%n second(s)".
    return RunWarning::tr("%1 %2").arg(minutesText(minutes), secondsText(seconds));
}

}

using PowerActions::forAction;

// Rounded up to whole seconds, so that a warning given just after the lead
// time has begun still reads "5 minutes" rather than "4 minutes 59 seconds".
QString warningMessage(std::uint32_t exitFlags, std::uint32_t remainingMs)
{
    const std::uint32_t totalSeconds = remainingMs / 1000 + (remainingMs % 1000 != 0);
    const std::uint32_t minutes = totalSeconds / 60;
    const std::uint32_t seconds = totalSeconds % 60;
    return forAction(exitFlags,
                     //: The warning's message: %1 is the time left, "5 minutes" or "4 minutes 59 seconds".
                     RunWarning::tr("Shutdown in %1."),
                     //: %1 is the time left, as in "Shutdown in %1.".
                     RunWarning::tr("Reboot in %1."),
                     //: %1 is the time left, as in "Shutdown in %1.".
                     RunWarning::tr("Log off in %1."))
        .arg(timeLeft(minutes, seconds));
}

QString warningSubject(std::uint32_t exitFlags, std::uint32_t remainingMs)
{
    const std::uint32_t minutes = remainingMs / msPerMinute + (remainingMs % msPerMinute != 0);
    return forAction(exitFlags,
                     //: The warning window's title: %1 is the time left, "%n minute(s)".
                     RunWarning::tr("Shutdown in %1"),
                     //: The warning window's title: %1 is the time left, "%n minute(s)".
                     RunWarning::tr("Reboot in %1"),
                     //: The warning window's title: %1 is the time left, "%n minute(s)".
                     RunWarning::tr("Log off in %1"))
        .arg(minutesText(std::max(minutes, 1u)));
}

QString notificationSummary(std::uint32_t exitFlags, std::uint32_t remainingMs, const QTime& now)
{
    const QTime at = now.addMSecs(static_cast<int>(remainingMs));
    return forAction(exitFlags,
                     //: The notification's summary: %1 is the clock time of the action, "21:05".
                     RunWarning::tr("Shutdown at %1."),
                     //: The notification's summary: %1 is the clock time of the action, "21:05".
                     RunWarning::tr("Reboot at %1."),
                     //: The notification's summary: %1 is the clock time of the action, "21:05".
                     RunWarning::tr("Log off at %1."))
        .arg(QLocale().toString(at, QLocale::ShortFormat));
}

RunWarning::RunWarning(QObject* parent)
    : QObject(parent)
    //: The warning's message, as a screen reader names it.
    , presenter(new NoticePresenter({tr("Warning"), tr("Stop countdown"), tr("Dismiss"), QStringLiteral("stop"),
                                     //: The notification's button that stops the countdown.
                                     tr("Stop"),
                                     //: The warning's button that puts the action off: %n is the minutes it
                                     //: adds to the time left.
                                     tr("Postpone %n minute(s)", nullptr, int(postponeMinutes)),
                                     //: The notification's button that puts the action off, as the warning's
                                     //: "Postpone %n minute(s)" does.
                                     tr("Postpone")},
                                    this))
{
    connect(presenter, &NoticePresenter::actionRequested, this, &RunWarning::stopRequested);
    connect(presenter, &NoticePresenter::postponeRequested, this,
            [this] { emit postponeRequested(postponeMinutes * msPerMinute); });
    connect(presenter, &NoticePresenter::prospectLearned, this, &RunWarning::learn);
}

void RunWarning::arm(std::uint32_t runLength)
{
    withdraw();
    runLengthMs = runLength;
    startedWithinLead = runLength <= leadMs();
    // What the system said was asked for the run before.
    forget(0);
}

// Turning the alert off takes the warning down; turned on again later in
// the run, it is given afresh.
void RunWarning::update(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    if (!settings.displayAlert) {
        if (presenter->isPublished())
            presenter->withdraw();
        return;
    }
    if (!presenter->isPublished()) {
        if (isDue(remainingMs))
            give(remainingMs, exitFlags);
        return;
    }
    shownRemainingMs = remainingMs;
    // What was said of one action does not hold for another.
    if (exitFlags != shownFlags) {
        give(remainingMs, exitFlags, false);
        return;
    }
    presenter->retell(warningSubject(exitFlags, remainingMs), message());
}

// The postponed run is no exception to the warning: it was not chosen in
// the main window. When it is no longer than the lead, the warning stays
// with the new time, and the notification names the new moment of the
// action; otherwise it goes, to come again when the lead is left.
void RunWarning::postponed(std::uint32_t remainingMs)
{
    runLengthMs = remainingMs;
    startedWithinLead = false;
    if (isDue(remainingMs)) {
        shownRemainingMs = remainingMs;
        publish(false);
    } else {
        presenter->withdraw();
    }
}

// A run no longer than its lead gets no warning: it was chosen just now,
// already within it. That holds only for a run that was so from its start;
// a lead raised during a run past the time left warns at once.
bool RunWarning::isDue(std::uint32_t remainingMs) const
{
    const std::uint32_t lead = leadMs();
    const bool exempt = startedWithinLead && runLengthMs <= lead;
    return runLengthMs != 0 && !exempt && remainingMs <= lead;
}

// The warning is shown first; what the system says is added when it comes.
// What was said of one action does not hold for another; the same action,
// warned of again after "Postpone", keeps it until the system says more.
void RunWarning::give(std::uint32_t remainingMs, std::uint32_t exitFlags, bool present)
{
    if (exitFlags != shownFlags)
        forget(exitFlags);
    shownRemainingMs = remainingMs;
    publish(present);
    presenter->askProspect(exitFlags);
}

void RunWarning::learn(std::uint32_t exitFlags, const ExitProspect& prospect)
{
    emit prospectLearned(exitFlags, prospect);
    // An answer replaces what was said before, also with nothing to tell: a
    // program that held the action off before "Postpone" may have let go.
    const QString sentences = prospectSentences(prospect, exitFlags);
    if (sentences == prospectText)
        return;
    prospectText = sentences;
    publish(false);
}

void RunWarning::forget(std::uint32_t exitFlags)
{
    shownFlags = exitFlags;
    prospectText.clear();
    emit prospectLearned(exitFlags, {});
}

void RunWarning::publish(bool present)
{
    QString body = tr("Stop cancels the countdown.");
    if (!prospectText.isEmpty())
        body = prospectText + QLatin1Char('\n') + body;
    presenter->publish({warningSubject(shownFlags, shownRemainingMs), message(),
                        notificationSummary(shownFlags, shownRemainingMs, QTime::currentTime()), body},
                       present);
}

QString RunWarning::message() const
{
    const QString message = warningMessage(shownFlags, shownRemainingMs);
    return prospectText.isEmpty() ? message : message + QLatin1Char('\n') + prospectText;
}

void RunWarning::withdraw()
{
    runLengthMs = 0;
    presenter->withdraw();
}
