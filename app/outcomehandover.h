// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <functional>
#include <mutex>
#include <optional>

// Passes the system's answer to an exit request on. An answer given during
// the request itself is held until release(), which comes once the
// privilege lock is let go: the handler may make a request of its own. One
// that comes later is passed on at once, on whichever thread it comes.
class OutcomeHandover
{
public:
    explicit OutcomeHandover(std::function<void(const ExitOutcome&)> handler);
    void deliver(const ExitOutcome& outcome);
    void release();

private:
    std::function<void(const ExitOutcome&)> handler;
    std::mutex mutex;    // guards released and held
    bool released = false;
    std::optional<ExitOutcome> held;
};
