// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runwarning.h"

#include "desktopnotification.h"
#include "foreseeexit.h"
#include "noticewindow.h"
#include "platform.h"
#include "poweractions.h"
#include "outlooksentences.h"
#include "settings.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

constexpr std::uint32_t msPerMinute = 60000;

constexpr char stopHint[] = "Stop cancels the countdown.";

// The settings dialog keeps the alert time within 1..10 minutes; a
// hand-edited file is held to the same bounds.
std::uint32_t leadMs()
{
    return static_cast<std::uint32_t>(std::clamp(settings.alertTime, 1, 10)) * msPerMinute;
}

QString countOf(std::uint32_t count, const char* unit)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(unit)).arg(count == 1 ? "" : "s");
}

}

using PowerActions::actionName;

// Rounded up to whole seconds, so that a warning given just after the lead
// time has begun still reads "5 minutes" rather than "4 minutes 59 seconds".
QString warningMessage(std::uint32_t exitFlags, std::uint32_t remainingMs)
{
    const std::uint32_t totalSeconds = remainingMs / 1000 + (remainingMs % 1000 != 0);
    const std::uint32_t minutes = totalSeconds / 60;
    const std::uint32_t seconds = totalSeconds % 60;
    QString left;
    if (minutes > 0)
        left = countOf(minutes, "minute");
    if (seconds > 0 || minutes == 0)
        left += (left.isEmpty() ? QString() : QStringLiteral(" ")) + countOf(seconds, "second");
    return QStringLiteral("%1 in %2.").arg(actionName(exitFlags), left);
}

QString warningSubject(std::uint32_t exitFlags, std::uint32_t remainingMs)
{
    const std::uint32_t minutes = remainingMs / msPerMinute + (remainingMs % msPerMinute != 0);
    return QStringLiteral("%1 in %2").arg(actionName(exitFlags), countOf(std::max(minutes, 1u), "minute"));
}

QString notificationSummary(std::uint32_t exitFlags, std::uint32_t remainingMs, const QTime& now)
{
    const QTime at = now.addMSecs(static_cast<int>(remainingMs));
    return QStringLiteral("%1 at %2.").arg(actionName(exitFlags), QLocale().toString(at, QLocale::ShortFormat));
}

RunWarning::RunWarning(QObject* parent)
    : QObject(parent)
    , notification(new DesktopNotification(QStringLiteral("stop"), QStringLiteral("Stop"), this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &RunWarning::stopRequested);
    connect(notification, &DesktopNotification::opened, this, [this](const QString& activationToken) {
        if (given)
            warningWindow()->bringBack(activationToken);
    });
}

RunWarning::~RunWarning() = default;

void RunWarning::arm(std::uint32_t runLength)
{
    withdraw();
    runLengthMs = runLength;
    startedWithinLead = runLength <= leadMs();
}

void RunWarning::update(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    if (!settings.displayAlert) {
        if (given)
            takeDown();
        return;
    }
    if (!given) {
        if (isDue(remainingMs))
            give(remainingMs, exitFlags);
        return;
    }
    // What was said of one action does not hold for another.
    if (exitFlags != shownFlags) {
        prospectText.clear();
        emit prospectLearned(exitFlags, {});
        notify(remainingMs, exitFlags);
        foresee(exitFlags);
    }
    showMessage(remainingMs, exitFlags);
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

void RunWarning::give(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    given = true;
    prospectText.clear();
    emit prospectLearned(exitFlags, {});
    showMessage(remainingMs, exitFlags);
    warningWindow()->present();
    notify(remainingMs, exitFlags);
    foresee(exitFlags);
}

void RunWarning::notify(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    QString body = QLatin1String(stopHint);
    if (!prospectText.isEmpty())
        body = prospectText + QLatin1Char('\n') + body;
    notification->show(notificationSummary(exitFlags, remainingMs, QTime::currentTime()), body);
}

// The warning is shown first; the answer is added when it comes, if the
// warning is still up and still names the action it was asked for.
void RunWarning::foresee(std::uint32_t exitFlags)
{
    const std::uint64_t question = ++questionsAsked;
    foreseeExitFor(this, exitFlags, [this, question](const ExitProspect& prospect) { learn(prospect, question); });
}

void RunWarning::learn(const ExitProspect& prospect, std::uint64_t question)
{
    if (!given || question != questionsAsked)
        return;
    emit prospectLearned(shownFlags, prospect);
    const QString sentences = prospectSentences(prospect, shownFlags);
    if (sentences.isEmpty())
        return;
    prospectText = sentences;
    showMessage(shownRemainingMs, shownFlags);
    notify(shownRemainingMs, shownFlags);
}

void RunWarning::showMessage(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    shownFlags = exitFlags;
    shownRemainingMs = remainingMs;
    const QString message = warningMessage(exitFlags, remainingMs);
    NoticeWindow* shown = warningWindow();
    shown->setSubject(warningSubject(exitFlags, remainingMs));
    shown->setMessage(prospectText.isEmpty() ? message : message + QLatin1Char('\n') + prospectText);
}

void RunWarning::withdraw()
{
    runLengthMs = 0;
    takeDown();
}

// Also what turning the alert off does: a warning turned on again later in
// the run is given afresh.
void RunWarning::takeDown()
{
    given = false;
    if (window)
        window->hide();
    notification->close();
}

NoticeWindow* RunWarning::warningWindow()
{
    if (!window) {
        window = std::make_unique<NoticeWindow>(QStringLiteral("Warning"), QStringLiteral("Stop countdown"),
                                                QStringLiteral("Dismiss"));
        connect(window.get(), &NoticeWindow::actionRequested, this, &RunWarning::stopRequested);
    }
    return window.get();
}
