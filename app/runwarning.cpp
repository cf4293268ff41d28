// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runwarning.h"

#include "desktopnotification.h"
#include "platform.h"
#include "settings.h"
#include "warningwindow.h"

#include <QLocale>
#include <QTime>

#include <algorithm>

namespace {

constexpr std::uint32_t msPerMinute = 60000;

QString actionName(std::uint32_t exitFlags)
{
    switch (exitFlags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Reboot:
        return QStringLiteral("Reboot");
    case ExitFlags::Logoff:
        return QStringLiteral("Log off");
    default:
        return QStringLiteral("Shutdown");
    }
}

// A notification is not refreshed like the warning window, so it names the
// moment of the action rather than a time left that would soon be wrong.
QString notificationSummary(std::uint32_t exitFlags, std::uint32_t remainingMs)
{
    const QTime at = QTime::currentTime().addMSecs(static_cast<int>(remainingMs));
    return QStringLiteral("%1 at %2.").arg(actionName(exitFlags), QLocale().toString(at, QLocale::ShortFormat));
}

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

RunWarning::RunWarning(QWidget* owner)
    : QObject(owner)
    , owner(owner)
    , notification(new DesktopNotification(this))
{
    connect(notification, &DesktopNotification::stopInvoked, this, &RunWarning::stopRequested);
}

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
            window->setMessage(warningMessage(exitFlags, remainingMs));
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
    WarningWindow* shown = warningWindow();
    shown->setMessage(warningMessage(exitFlags, remainingMs));
    shown->show();
    shown->raise();
    notification->show(notificationSummary(exitFlags, remainingMs),
                       QStringLiteral("Stop cancels the countdown."));
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

WarningWindow* RunWarning::warningWindow()
{
    if (!window) {
        window = new WarningWindow(owner);
        connect(window, &WarningWindow::stopRequested, this, &RunWarning::stopRequested);
    }
    return window;
}
