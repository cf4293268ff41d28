// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pauseinterrupt.h"

void PauseInterrupt::raise()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        raised = true;
    }
    raisedChanged.notify_all();
}

bool PauseInterrupt::isRaised() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return raised;
}

bool PauseInterrupt::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mutex);
    return raisedChanged.wait_for(lock, timeout, [this] { return raised; });
}
