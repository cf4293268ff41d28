// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage notificationCall(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}
}

DesktopNotification::DesktopNotification(const QString& actionKey, const QString& actionLabel,
                                         QObject* parent)
    : QObject(parent)
    , actionKey(actionKey)
    , actionLabel(actionLabel)
{
}

// The session bus is reached only when a warning is due, so that start-up
// never pays for it.
void DesktopNotification::listenToServer()
{
    if (listening)
        return;
    listening = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint,QString)));
    bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint,uint)));
}

void DesktopNotification::show(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    listenToServer();
    wanted = true;

    QDBusMessage notify = notificationCall(QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
        {QStringLiteral("desktop-entry"), QStringLiteral("io.github.velmora.Velmora")},
    };
    notify << QStringLiteral("Velmora") << currentId << QStringLiteral("io.github.velmora.Velmora")
           << summary << body << QStringList{actionKey, actionLabel} << hints
           << qint32(0);

    // The answer is awaited without blocking: with no server the call fails
    // in the background and nothing else happens.
    const quint64 request = ++latestRequest;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, request](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<uint> reply = *call;
        if (!reply.isError())
            adoptId(request, reply.value());
        call->deleteLater();
    });
}

// A notification closed, or replaced by a newer one, while the server was
// still answering is closed as soon as its id is known.
void DesktopNotification::adoptId(quint64 request, uint notificationId)
{
    if (wanted && request == latestRequest)
        currentId = notificationId;
    else
        closeNotification(notificationId);
}

void DesktopNotification::close()
{
    wanted = false;
    if (currentId != 0)
        closeNotification(currentId);
    currentId = 0;
}

void DesktopNotification::closeNotification(uint notificationId)
{
    QDBusMessage closeCall = notificationCall(QStringLiteral("CloseNotification"));
    closeCall << notificationId;
    QDBusConnection::sessionBus().send(closeCall);
}

void DesktopNotification::onActionInvoked(uint notificationId, const QString& key)
{
    if (wanted && notificationId == currentId && key == actionKey)
        emit actionChosen();
}

void DesktopNotification::onNotificationClosed(uint notificationId, uint)
{
    if (notificationId == currentId)
        currentId = 0;
}
