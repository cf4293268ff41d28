// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pauseinterrupt.h"

#include <QMutex>
#include <QString>

#include <cstdint>

// What one countdown shares between the GUI thread and its worker: whether
// the run is still the current one, and the text waiting for the label.
class CountdownRun
{
public:
    // GUI thread: the run was stopped or replaced. Wakes a pausing worker.
    void stop();
    bool isStopped() const;
    PauseInterrupt& pauseInterrupt();

    struct TimeLeft
    {
        QString text;
        std::uint32_t remainingMs = 0;
    };

    // Worker: offers the newest time left. True when the GUI thread must be
    // asked to collect it; false when the text is unchanged or a request to
    // collect is still pending, so that a fast worker cannot flood the event
    // queue and an unchanged label costs no wake-up of the GUI thread.
    bool offer(const TimeLeft& timeLeft);

    // GUI thread: the newest time left offered, ending the pending request.
    TimeLeft collect();

private:
    PauseInterrupt interrupt;
    QMutex pendingMutex;
    TimeLeft pending;
    bool collectPending = false;
    QString lastOfferedText;    // worker only
};
