// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
    if (!QDBusConnection::sessionBus().isConnected())
        return;
    listenToServer();
    wanted = true;
    summary = newSummary;
    body = newBody;
    if (capabilities)
        send();
    else
        askCapabilities();
}

// Whether the server can keep a notification is asked once, before the
// first one; a server that does not answer is taken to offer nothing extra.
void DesktopNotification::askCapabilities()
{
    if (askingCapabilities)
        return;
    askingCapabilities = true;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(notificationCall(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QStringList> reply = *call;
        capabilities = reply.isError() ? QStringList() : reply.value();
        askingCapabilities = false;
        if (wanted)
            send();
        call->deleteLater();
    });
}

void DesktopNotification::send()
{
    QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
        {QStringLiteral("desktop-entry"), QStringLiteral("io.github.velmora.Velmora")},
    };
    if (capabilities->contains(QStringLiteral("persistence")))
        hints.insert(QStringLiteral("resident"), true);
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
    if (key == actionKey)
        emit actionChosen();
    else if (key == clickKey)
        emit opened(std::exchange(activationToken, QString()));
}

// Sent just before the action it belongs to.
void DesktopNotification::onActivationToken(uint notificationId, const QString& token)
{
    if (notificationId == currentId)
        activationToken = token;
}

void DesktopNotification::onNotificationClosed(uint notificationId, uint reason)
{
    if (notificationId != currentId)
        return;
    currentId = 0;
    if (wanted && reason == closedByExpiry)
        send();
}
