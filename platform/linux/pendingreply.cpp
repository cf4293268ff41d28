// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pendingreply.h"

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QObject>

#include <utility>

// asyncCall() gives a call that never finishes when there is no connection;
// the connection's error stands in for the answer instead.
PendingReply::PendingReply(const QDBusConnection &bus, const QDBusMessage &message, int timeoutMs)
    : call(bus.isConnected() ? bus.asyncCall(message, timeoutMs)
                             : QDBusPendingCall::fromError(bus.lastError()))
{
}

QDBusMessage PendingReply::answer()
{
    call.waitForFinished();
    return call.reply();
}

// The watcher is made on the main thread rather than made here and moved
// there: when the answer is already in, QtDBus announces it through a helper
// object that stays on the thread that made the watcher, and a pool thread
// never reads its event queue. The call itself has already left from this
// thread, in the order the requests were made.
void PendingReply::whenAnswered(std::function<void(const QDBusMessage &)> onAnswer) const
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    auto watch = [call = call, onAnswer = std::move(onAnswer)] {
        // Owned by the application, so that one never answered goes with it.
        auto *watcher = new QDBusPendingCallWatcher(call, QCoreApplication::instance());
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                         [onAnswer](QDBusPendingCallWatcher *answered) {
                             answered->deleteLater();
                             onAnswer(answered->reply());
                         });
    };
    QMetaObject::invokeMethod(application, std::move(watch), Qt::QueuedConnection);
}
