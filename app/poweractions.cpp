// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "poweractions.h"

#include "outcomehandover.h"
#include "platform.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace {

// Set once by latchRequestsOff() and never cleared.
std::atomic<bool> abortLatch{false};

// Held for the whole of one privileged request, so that one request's
// disabling of the privilege cannot land in the middle of another's.
std::mutex privilegeMutex;

template<typename Request>
void withShutdownPrivilege(Request request)
{
    std::lock_guard<std::mutex> lock(privilegeMutex);
    Platform& os = systemPlatform();
    os.enableShutdownPrivilege();
    request(os);
    os.disableShutdownPrivilege();
}

}

namespace PowerActions {

void requestAction(const QString& mode, OutcomeHandler onOutcome, StillWanted stillWanted)
{
    if (abortLatch)
        return;
    const std::uint32_t flags = exitFlagsFor(mode);
    const auto handover = std::make_shared<OutcomeHandover>(
        onOutcome ? std::move(onOutcome) : [](const ExitOutcome&) {});
    const StillWanted wanted = stillWanted ? std::move(stillWanted) : [] { return true; };
    withShutdownPrivilege([&](Platform& os) {
        os.requestExit(flags, 0, wanted, [handover](const ExitOutcome& outcome) { handover->deliver(outcome); });
    });
    handover->release();
}

void latchRequestsOff()
{
    abortLatch = true;
}

void abortShutdown()
{
    latchRequestsOff();
    withShutdownPrivilege([](Platform& os) { os.abortShutdown(); });
}

}
