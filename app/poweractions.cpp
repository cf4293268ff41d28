// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "poweractions.h"

#include "maindialog.h"
#include "onguithread.h"
#include "outcomehandover.h"
#include "platform.h"
#include "refusalreport.h"

#include <QPointer>
#include <QtConcurrent>

#include <atomic>
#include <memory>
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

QString actionName(std::uint32_t exitFlags)
{
    switch (exitFlags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Reboot:
        return QStringLiteral("Reboot");
    case ExitFlags::Logoff:
        return QStringLiteral("Log off");
    default:
        return QStringLiteral("Shutdown");
    }
}

void requestAction(const QString& mode, OutcomeHandler onOutcome)
{
    if (abortLatch)
        return;
    const std::uint32_t flags = exitFlagsFor(mode);
    const auto handover = std::make_shared<OutcomeHandover>(
        onOutcome ? std::move(onOutcome) : [](const ExitOutcome&) {});
    withShutdownPrivilege([&](Platform& os) {
        os.requestExit(flags, 0, [handover](const ExitOutcome& outcome) { handover->deliver(outcome); });
    });
    handover->release();
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
    requestReported(currentMode());
}

// A refusal is shown in the report, which offers to ask again. The answer
// may come on another thread, and long after: the window may be gone.
void MainDialog::requestReported(const QString& mode)
{
    const QPointer<RefusalReport> shownIn(report);
    const std::uint64_t ticket = report->requestTicket();
    PowerActions::requestAction(mode, [shownIn, mode, ticket](const ExitOutcome& outcome) {
        if (!outcome.refused())
            return;
        onGuiThread([shownIn, mode, outcome, ticket] {
            if (shownIn)
                shownIn->show(mode, outcome, ticket);
        });
    });
}

// On the pool, like the countdown's request: a log-off may wait on the
// session bus, which must not freeze the window.
void MainDialog::retryRequest(const QString& mode)
{
    backgroundWorkers.append(QtConcurrent::run([this, mode] { requestReported(mode); }));
}

void MainDialog::fAbortShutdown()
{
    PowerActions::abortShutdown();
}
