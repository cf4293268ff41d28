// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <utility>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString clickKey = QStringLiteral("default");
constexpr uint closedByExpiry = 1;

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

// The session bus is reached only when a notification is due, so that
// start-up never pays for it.
void DesktopNotification::listenToServer()
{
    if (listening)
        return;
    listening = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint,QString)));
    bus.connect(QString(), path, interface, QStringLiteral("ActivationToken"), this,
                SLOT(onActivationToken(uint,QString)));
    bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint,uint)));
}

void DesktopNotification::show(const QString& newSummary, const QString& newBody)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    listenToServer();
    wanted = true;
    summary = newSummary;
    body = newBody;
    send();
}

// No "resident" hint: GNOME Shell shows no banner at all for a resident
// notification of the program that has the focus, which the warning often
// has as it appears. Shown again instead when the server takes it away.
void DesktopNotification::send()
{
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
        {QStringLiteral("desktop-entry"), QStringLiteral("io.github.velmora.Velmora")},
    };
    QDBusMessage notify = notificationCall(QStringLiteral("Notify"));
    notify << QStringLiteral("Velmora") << currentId << QStringLiteral("io.github.velmora.Velmora")
           << summary << body << QStringList{clickKey, QStringLiteral("Show"), actionKey, actionLabel}
           << hints << qint32(0);

    // The answer is awaited without blocking: with no server the call fails
    // in the background and nothing else happens.
    const quint64 request = ++latestRequest;
    QDBusConnection bus = QDBusConnection::sessionBus();
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
    reopenWhenClosed = false;
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
    if (!wanted || notificationId != currentId)
        return;
    if (key == actionKey) {
        emit actionChosen();
    } else if (key == clickKey) {
        reopenWhenClosed = true;
        emit opened(std::exchange(activationToken, QString()));
    }
}

// Sent just before the action it belongs to.
void DesktopNotification::onActivationToken(uint notificationId, const QString& token)
{
    if (notificationId == currentId)
        activationToken = token;
}

// A server removes a notification once it is clicked, and some let even a
// critical one expire; while it is wanted, it comes back.
void DesktopNotification::onNotificationClosed(uint notificationId, uint reason)
{
    if (notificationId != currentId)
        return;
    currentId = 0;
    const bool clicked = std::exchange(reopenWhenClosed, false);
    if (wanted && (clicked || reason == closedByExpiry))
        send();
}
