// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "outcomehandover.h"

#include <utility>

OutcomeHandover::OutcomeHandover(std::function<void(const ExitOutcome&)> handler)
    : handler(std::move(handler))
{
}

void OutcomeHandover::deliver(const ExitOutcome& outcome)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!released) {
            held = outcome;
            return;
        }
    }
    handler(outcome);
}

void OutcomeHandover::release()
{
    std::optional<ExitOutcome> outcome;
    {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        outcome.swap(held);
    }
    if (outcome)
        handler(*outcome);
}
