// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdownrun.h"

#include <QMutexLocker>

void CountdownRun::stop()
{
    interrupt.raise();
}

bool CountdownRun::isStopped() const
{
    return interrupt.isRaised();
}

PauseInterrupt& CountdownRun::pauseInterrupt()
{
    return interrupt;
}

bool CountdownRun::showsNewSecond(std::uint32_t remainingMs) const
{
    return remainingMs / 1000 != lastOfferedSecond;
}

bool CountdownRun::offer(const TimeLeft& timeLeft)
{
    lastOfferedSecond = timeLeft.remainingMs / 1000;
    QMutexLocker lock(&pendingMutex);
    pending = timeLeft;
    const bool mustAsk = !collectPending;
    collectPending = true;
    return mustAsk;
}

CountdownRun::TimeLeft CountdownRun::collect()
{
    QMutexLocker lock(&pendingMutex);
    collectPending = false;
    return pending;
}
