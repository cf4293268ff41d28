// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runwarning.h"

#include "desktopnotification.h"
#include "noticewindow.h"
#include "onguithread.h"
#include "platform.h"
#include "poweractions.h"
#include "settings.h"

#include <QLocale>
#include <QPointer>
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

QString notificationSummary(std::uint32_t exitFlags, std::uint32_t remainingMs, const QTime& now)
{
    const QTime at = now.addMSecs(static_cast<int>(remainingMs));
    return QStringLiteral("%1 at %2.").arg(actionName(exitFlags), QLocale().toString(at, QLocale::ShortFormat));
}

// Names each blocking program in its own words, quoted, since they are not
// ours and may say anything.
QString prospectSentences(const ExitProspect& prospect)
{
    QStringList sentences;
    if (prospect.consent == ExitProspect::Consent::AsksPassword)
        sentences << QStringLiteral("The system will ask for a password.");
    else if (prospect.consent == ExitProspect::Consent::Denied)
        sentences << QStringLiteral("The system does not allow this action.");
    for (const ExitProspect::Blocker& blocker : prospect.blockers) {
        sentences << QStringLiteral("\u201C%1\u201D holds it off: \u201C%2\u201D.")
                         .arg(QString::fromStdString(blocker.who), QString::fromStdString(blocker.why));
    }
    return sentences.join(QLatin1Char('\n'));
}

RunWarning::RunWarning(QObject* parent)
    : QObject(parent)
    , notification(new DesktopNotification(QStringLiteral("stop"), QStringLiteral("Stop"), this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &RunWarning::stopRequested);
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
    if (given) {
        if (window)
            window->setMessage(windowMessage(remainingMs, exitFlags));
    } else if (isDue(remainingMs)) {
        give(remainingMs, exitFlags);
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

void RunWarning::give(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    given = true;
    ++warningsGiven;
    prospectText.clear();
    NoticeWindow* shown = warningWindow();
    shown->setMessage(windowMessage(remainingMs, exitFlags));
    shown->present();
    notify(remainingMs, exitFlags);
    foresee(remainingMs, exitFlags);
}

void RunWarning::notify(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    QString body = QLatin1String(stopHint);
    if (!prospectText.isEmpty())
        body = prospectText + QLatin1Char('\n') + body;
    notification->show(notificationSummary(exitFlags, remainingMs, QTime::currentTime()), body);
}

// The warning is shown first; the answer, which may take up to a second,
// is added when it comes, if this warning is still up.
void RunWarning::foresee(std::uint32_t remainingMs, std::uint32_t exitFlags)
{
    const QPointer<RunWarning> self(this);
    const std::uint64_t warning = warningsGiven;
    systemPlatform().foreseeExit(exitFlags, [=](const ExitProspect& prospect) {
        onGuiThread([=] {
            if (self)
                self->learn(prospect, warning, remainingMs, exitFlags);
        });
    });
}

void RunWarning::learn(const ExitProspect& prospect, std::uint64_t warning, std::uint32_t remainingMs,
                       std::uint32_t exitFlags)
{
    const QString sentences = prospectSentences(prospect);
    if (!given || warning != warningsGiven || sentences.isEmpty())
        return;
    prospectText = sentences;
    if (window)
        window->setMessage(windowMessage(remainingMs, exitFlags));
    notify(remainingMs, exitFlags);
}

QString RunWarning::windowMessage(std::uint32_t remainingMs, std::uint32_t exitFlags) const
{
    const QString message = warningMessage(exitFlags, remainingMs);
    return prospectText.isEmpty() ? message : message + QLatin1Char('\n') + prospectText;
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
