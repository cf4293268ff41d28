// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pauseinterrupt.h"

#include <QMutex>
#include <QString>

// What one countdown shares between the GUI thread and its worker: whether
// the run is still the current one, and the text waiting for the label.
class CountdownRun
{
public:
    // GUI thread: the run was stopped or replaced. Wakes a pausing worker.
    void stop();
    bool isStopped() const;
    PauseInterrupt& pauseInterrupt();

    // Worker: offers the newest text. True when the GUI thread must be asked
    // to collect it; false when the text is unchanged or a request to
    // collect is still pending, so that a fast worker cannot flood the event
    // queue and an unchanged label costs no wake-up of the GUI thread.
    bool offerText(const QString& text);

    // GUI thread: the newest text offered, ending the pending request.
    QString collectText();

private:
    PauseInterrupt interrupt;
    QMutex textMutex;
    QString pendingText;
    bool collectPending = false;
    QString lastOffered;    // worker only
};
