// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maindialog.h"

#include "actionnames.h"
#include "countdownrun.h"
#include "platform.h"
#include "refusalreport.h"
#include "runwarning.h"
#include "settings.h"
#include "timelefttext.h"

#include <QLabel>
#include <QPushButton>
#include <QtConcurrent>

#include <algorithm>

namespace {
constexpr std::uint32_t minutesPerDay = 1440;
constexpr std::uint32_t minutesPerHour = 60;
constexpr std::uint32_t msPerMinute = 60000;
}

void MainDialog::go()
{
    okButton->setEnabled(false);
    stopButton->setEnabled(true);

    // The longest delay, 3,369,540,000 ms, passes the signed 32-bit limit:
    // the length is computed and kept unsigned.
    const std::uint32_t runLength = (static_cast<std::uint32_t>(dValue) * minutesPerDay
                                     + static_cast<std::uint32_t>(hValue) * minutesPerHour
                                     + static_cast<std::uint32_t>(mValue))
        * msPerMinute;
    warning->arm(runLength);
    startRun(runLength, systemPlatform().elapsedClockMs());
}

// "Postpone" adds to the time left, so that the end moves that much later
// however much was left. The run goes on from the same moment of the clock
// it was measured at, and the warning learns the new time left.
void MainDialog::postpone(std::uint32_t addedMs)
{
    const std::uint64_t now = systemPlatform().elapsedClockMs();
    const std::uint64_t elapsed = now - runStartMs;
    const std::uint32_t target = targetMs;
    const std::uint32_t remainingMs = elapsed < target ? target - static_cast<std::uint32_t>(elapsed) : 0;
    startRun(remainingMs + addedMs, now);
    warning->postponed(remainingMs + addedMs);
}

// A run of this length from startMs, a moment of the countdown's clock,
// replaces the current one, if any: "Ok", or "Postpone" in the warning, which
// keeps the action and the buttons as they are. Both make a request still
// waiting for a slow bus old news.
void MainDialog::startRun(std::uint32_t runLengthMs, std::uint64_t startMs)
{
    // The run being replaced is stopped before the new target and `running`
    // are stored, so that its worker, seeing them, also sees it is stopped
    // and cannot act on the new, possibly shorter, target.
    if (currentRun)
        currentRun->stop();
    currentRun = std::make_shared<CountdownRun>();
    runStartMs = startMs;
    targetMs = runLengthMs;
    running = true;
    report->withdraw();

    // The worker receives its own run, so that it never mistakes a later
    // run for its own, and the run's start, so that the run is not longer
    // by however late the pool starts it.
    backgroundWorkers.removeIf([](const QFuture<void>& worker) { return worker.isFinished(); });
    if (future.isValid())
        backgroundWorkers.append(future);
    future = QtConcurrent::run(&MainDialog::countdown, this, currentRun, startMs);
}

void MainDialog::cancel()
{
    running = false;
    targetMs = 0;
    if (currentRun)
        currentRun->stop();
    warning->withdraw();
    report->withdraw();

    stopButton->setEnabled(false);
    okButton->setEnabled(true);
    statusLabel->setText(tr("Timer reset."));
}

void MainDialog::countdown(std::shared_ptr<CountdownRun> run, std::uint64_t start)
{
    Platform& os = systemPlatform();
    for (;;) {
        const std::uint64_t elapsed = os.elapsedClockMs() - start;
        // Read once per pass, and before `running` (see the member
        // declarations), so the test and the text agree.
        const std::uint32_t target = targetMs;
        if (elapsed >= target) {
            // Taken before `running` is read: cancel() clears `running` before
            // it makes the ticket old, so a "STOP!" that comes after this test
            // still keeps the request from leaving.
            const std::uint64_t ticket = report->requestTicket();
            if (running && !run->isStopped()) {
                requestFromPool(currentMode(), ticket);
                QMetaObject::invokeMethod(this, [this, run] { endRun(*run); }, Qt::QueuedConnection);
            }
            return;
        }
        if (!running || run->isStopped())
            return;
        const std::uint32_t remainingMs = target - static_cast<std::uint32_t>(elapsed);
        if (run->showsNewSecond(remainingMs))
            handOver(run, {timeLeftText(remainingMs), remainingMs});
        os.pause(pauseLength(remainingMs), run->pauseInterrupt());
    }
}

// An empty or hand-made settings.dat may hold an interval of 0 or below: it
// pauses as the shortest interval would, since no pause at all keeps a core
// busy for the whole run. The last pause ends at the target, so that the
// action is not late by up to a whole interval, however long that is.
std::uint32_t MainDialog::pauseLength(std::uint32_t remainingMs) const
{
    const std::uint32_t interval =
        static_cast<std::uint32_t>(settings.sleepTime > 0 ? settings.sleepTime : shortestSleepTimeMs);
    return std::min(interval, remainingMs);
}

void MainDialog::handOver(const std::shared_ptr<CountdownRun>& run, const CountdownRun::TimeLeft& timeLeft)
{
    if (run->offer(timeLeft))
        QMetaObject::invokeMethod(this, [this, run] { showTimeLeftOf(*run); }, Qt::QueuedConnection);
}

// GUI thread. A text that arrives after its run was stopped or replaced is
// dropped, so "Timer reset." or the new run's text stays on the label.
void MainDialog::showTimeLeftOf(CountdownRun& run)
{
    const CountdownRun::TimeLeft timeLeft = run.collect();
    if (run.isStopped())
        return;
    statusLabel->setText(timeLeft.text);
    warning->update(timeLeft.remainingMs, PowerActions::exitFlagsFor(currentMode()));
}

// GUI thread: the run has made its request; its warning has done its job.
void MainDialog::endRun(CountdownRun& run)
{
    if (!run.isStopped())
        warning->withdraw();
}

// Stops the current run and waits for every worker, so that none outlives
// the window whose members it reads. A stopped worker wakes from its pause
// at once, and a request waiting for a slow bus, its ticket old, gives up
// within a moment without sending anything; so neither closing nor the
// window's destructor waits long, whatever bus stalls.
void MainDialog::stopWorkers()
{
    running = false;
    if (currentRun)
        currentRun->stop();
    warning->withdraw();
    report->withdraw();
    future.waitForFinished();
    for (QFuture<void>& worker : backgroundWorkers)
        worker.waitForFinished();
    backgroundWorkers.clear();
}
