// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maindialog.h"

#include "poweractions.h"
#include "refusalreport.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QThreadPool>
#include <QtConcurrent>

void MainDialog::shutdown()
{
    shutdownApproved();
}

void MainDialog::shutdownApproved()
{
    requestReported(currentMode(), report->requestTicket());
}

// The report tells of a refusal, and of an accepted request that did not
// take effect. The answer may come on any thread, and long after: it is
// handed to the GUI thread through the application, which outlives every
// window, and dropped there if the window has gone since. The request may
// wait for a slow bus before it leaves; "STOP!", a new run, closing the
// window or the report's own buttons make its ticket old meanwhile, and
// then it never leaves. That is asked on the requesting thread, which the
// window waits for before it goes.
void MainDialog::requestReported(const QString& mode, std::uint64_t ticket)
{
    const QPointer<RefusalReport> shownIn(report);
    const auto stillWanted = [this, ticket] { return report->requestTicket() == ticket; };
    const auto onOutcome = [shownIn, mode, ticket](const ExitOutcome& outcome) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [shownIn, mode, outcome, ticket] {
                if (!shownIn)
                    return;
                if (outcome.refused())
                    shownIn->show(mode, outcome, ticket);
                else
                    shownIn->expectEffect(mode, ticket);
            },
            Qt::QueuedConnection);
    };
    PowerActions::requestAction(mode, onOutcome, stillWanted);
}

// The request may wait a long while for a slow or stalled system. The
// pool's slot is handed back meanwhile, so that a new or postponed run
// starts at once, even where the pool has a single thread.
void MainDialog::requestFromPool(const QString& mode, std::uint64_t ticket)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->releaseThread();
    const auto takeBack = qScopeGuard([pool] { pool->reserveThread(); });
    requestReported(mode, ticket);
}

// On the pool, like the countdown's request: a log-off may wait on the
// session bus, which must not freeze the window. The ticket is taken here:
// "STOP!" or a new run before the pool gets to it makes the retry old news,
// and then nothing is asked.
void MainDialog::retryRequest(const QString& mode)
{
    const std::uint64_t ticket = report->requestTicket();
    backgroundWorkers.append(QtConcurrent::run([this, mode, ticket] { requestFromPool(mode, ticket); }));
}

// Latched at once. The system is asked on a thread of its own: a request
// caught on a stalled bus holds the privilege that asking needs, and the
// window must not wait for it; nor must the asking wait for a pool that
// countdowns fill. It reads nothing of the window.
void MainDialog::fAbortShutdown()
{
    PowerActions::latchRequestsOff();
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->reserveThread();
    pool->startOnReservedThread(&PowerActions::abortShutdown);
}
