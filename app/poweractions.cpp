// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "poweractions.h"

#include "maindialog.h"
#include "platform.h"

#include <atomic>
#include <mutex>

namespace {

// Set once by abortShutdown() and never cleared.
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

std::uint32_t exitFlagsFor(const QString& mode)
{
    if (mode == QLatin1String("Shutdown"))
        return ExitFlags::Shutdown | ExitFlags::ForceIfHung;
    if (mode == QLatin1String("Reboot"))
        return ExitFlags::Reboot | ExitFlags::ForceIfHung;
    if (mode == QLatin1String("Log off"))
        return ExitFlags::Logoff | ExitFlags::ForceIfHung;
    return ExitFlags::Shutdown | ExitFlags::ForceIfHung;
}

void requestAction(const QString& mode)
{
    if (abortLatch)
        return;
    const std::uint32_t flags = exitFlagsFor(mode);
    withShutdownPrivilege([flags](Platform& os) { os.requestExit(flags, 0); });
}

void abortShutdown()
{
    abortLatch = true;
    withShutdownPrivilege([](Platform& os) { os.abortShutdown(); });
}

}

void MainDialog::shutdown()
{
    shutdownApproved();
}

void MainDialog::shutdownApproved()
{
    PowerActions::requestAction(currentMode());
}

void MainDialog::fAbortShutdown()
{
    PowerActions::abortShutdown();
}
