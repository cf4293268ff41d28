// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionahead.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <optional>

namespace {

// The countdowns hold threads of the global pool for whole runs, and on a
// single core one run holds all of them: a question queued there waited
// until the run was over. The questions get a pool of their own, which
// waits for them as the application ends.
QThreadPool* questionPool()
{
    static QPointer<QThreadPool> pool;
    if (!pool)
        pool = new QThreadPool(QCoreApplication::instance());
    return pool;
}

}

// The platform may answer during the call or later on another thread; the
// promise is shared with the answer, and one never given is cancelled when
// the platform lets go of it.
QFuture<ExitProspect> askExitProspect(std::uint32_t exitFlags)
{
    auto promise = std::make_shared<QPromise<ExitProspect>>();
    promise->start();
    QFuture<ExitProspect> future = promise->future();
    questionPool()->start([promise, exitFlags] {
        systemPlatform().askProspect(exitFlags, [promise](const std::optional<ExitProspect>& prospect) {
            if (prospect)
                promise->addResult(*prospect);
            promise->finish();
        });
    });
    return future;
}
