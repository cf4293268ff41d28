// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "foreseeexit.h"

#include "onguithread.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <utility>

namespace {

// The countdowns hold threads of the global pool for whole runs, and on a
// single core one run holds all of them: a question queued there waited
// until the run was over. The questions get a pool of their own, which
// waits for them as the application ends. GUI thread only.
QThreadPool* questionPool()
{
    static QPointer<QThreadPool> pool;
    if (!pool)
        pool = new QThreadPool(QCoreApplication::instance());
    return pool;
}

}

void foreseeExitFor(QObject* receiver, std::uint32_t exitFlags,
                    std::function<void(const ExitProspect&)> onAnswer)
{
    const QPointer<QObject> alive(receiver);
    questionPool()->start([alive, exitFlags, onAnswer = std::move(onAnswer)] {
        systemPlatform().foreseeExit(exitFlags, [alive, onAnswer](const ExitProspect& prospect) {
            onGuiThread([alive, onAnswer, prospect] {
                if (alive)
                    onAnswer(prospect);
            });
        });
    });
}
