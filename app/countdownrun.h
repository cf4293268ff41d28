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

    // Worker: whether the time left shows another whole second than the last
    // offer did. The text shows nothing finer, so passes in between need not
    // build one nor wake the GUI thread.
    bool showsNewSecond(std::uint32_t remainingMs) const;

    // Worker: offers the newest time left. True when the GUI thread must be
    // asked to collect it; false while a request to collect is still
    // pending, so that a fast worker cannot flood the event queue.
    bool offer(const TimeLeft& timeLeft);

    // GUI thread: the newest time left offered, ending the pending request.
    TimeLeft collect();

private:
    PauseInterrupt interrupt;
    QMutex pendingMutex;
    TimeLeft pending;
    bool collectPending = false;
    std::uint32_t lastOfferedSecond = UINT32_MAX;    // worker only; no time left reaches it
};
