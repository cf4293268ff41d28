// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerhandover.h"

#include <QCoreApplication>

#include <mutex>
#include <type_traits>
#include <utility>

namespace {

// Never destroyed, so that a thread that wakes during the exit still finds
// them intact.
static_assert(std::is_trivially_destructible_v<std::mutex>);
std::mutex handoverMutex;    // guards applicationLives; held while a handler runs or is let go of
bool applicationLives = true;

// Runs as the application ends, before it lets go of anything: it waits for
// a handler under way, and none runs after it.
void closeHandover()
{
    std::lock_guard<std::mutex> lock(handoverMutex);
    applicationLives = false;
}

}

AnswerHandover::AnswerHandover(Handler handler)
    : handler(std::make_unique<Handler>(std::move(handler)))
{
    static std::once_flag watchingTheEnd;
    std::call_once(watchingTheEnd, [] { qAddPostRoutine(closeHandover); });
}

AnswerHandover::~AnswerHandover()
{
    std::lock_guard<std::mutex> lock(handoverMutex);
    if (applicationLives)
        handler.reset();
    else
        static_cast<void>(handler.release());
}

void AnswerHandover::deliver(const std::vector<SystemBusAnswer>& answers) const
{
    std::lock_guard<std::mutex> lock(handoverMutex);
    if (applicationLives)
        (*handler)(answers);
}
