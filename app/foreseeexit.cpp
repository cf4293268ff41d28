// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "foreseeexit.h"

#include "onguithread.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <utility>

void foreseeExitFor(QObject* receiver, std::uint32_t exitFlags,
                    std::function<void(const ExitProspect&)> onAnswer)
{
    const QPointer<QObject> alive(receiver);
    QThreadPool::globalInstance()->start([alive, exitFlags, onAnswer = std::move(onAnswer)] {
        systemPlatform().foreseeExit(exitFlags, [alive, onAnswer](const ExitProspect& prospect) {
            onGuiThread([alive, onAnswer, prospect] {
                if (alive)
                    onAnswer(prospect);
            });
        });
    });
}
