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

bool CountdownRun::offerText(const QString& text)
{
    if (text == lastOffered)
        return false;
    lastOffered = text;
    QMutexLocker lock(&textMutex);
    pendingText = text;
    const bool mustAsk = !collectPending;
    collectPending = true;
    return mustAsk;
}

QString CountdownRun::collectText()
{
    QMutexLocker lock(&textMutex);
    collectPending = false;
    return pendingText;
}
