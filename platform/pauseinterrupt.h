// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A one-way flag that ends a pause early: once raised it stays raised, and a
// thread waiting in waitFor() wakes at once.
class PauseInterrupt
{
public:
    void raise();
    bool isRaised() const;

    // Waits until raised or until the timeout passes; true when raised.
    bool waitFor(std::chrono::milliseconds timeout);

private:
    mutable std::mutex mutex;
    std::condition_variable raisedChanged;
    bool raised = false;
};
