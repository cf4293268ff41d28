// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <utility>

using namespace std::chrono_literals;

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString clickKey = QStringLiteral("default");
const QString postponeKey = QStringLiteral("postpone");
constexpr uint closedByExpiry = 1;
// A server that does not answer within these is taken to have shown
// nothing, and at exit is not waited for any longer.
constexpr int notifyTimeoutMs = 3000;
constexpr int closeAtExitTimeoutMs = 1000;
// GNOME Shell and Plasma keep a critical notification until it is closed;
// a server that lets it expire shows it again a few times, ever later,
// rather than at once and for ever.
constexpr int mostReshowsAfterExpiry = 3;
constexpr auto firstReshowAfter = 10s;

// Looked up once, as the first notification is made at start-up: QtDBus's
// lookup waits for any other thread still connecting to a bus, and the
// window must never wait for a bus once it is up.
QDBusConnection& sessionBus()
{
    static QDBusConnection bus = QDBusConnection::sessionBus();
    return bus;
}

QDBusMessage notificationCall(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

//: What a click on the notification does, where the desktop names it: the window comes back.
QString showLabel()
{
    return DesktopNotification::tr("Show");
}

QDBusMessage closeCall(uint notificationId)
{
    QDBusMessage call = notificationCall(QStringLiteral("CloseNotification"));
    call << notificationId;
    return call;
}
}

DesktopNotification::DesktopNotification(const QString& actionKey, const QString& actionLabel,
                                         const QString& postponeLabel, QObject* parent)
    : QObject(parent)
    , actionKey(actionKey)
    , actionLabel(actionLabel)
    , postponeLabel(postponeLabel)
    , reshowAfterExpiry(new QTimer(this))
{
    reshowAfterExpiry->setObjectName(QStringLiteral("reshowAfterExpiry"));
    reshowAfterExpiry->setSingleShot(true);
    connect(reshowAfterExpiry, &QTimer::timeout, this, [this] {
        if (wanted && currentId == 0)
            send();
    });
    listenToServer();
}

// The program may be ending: what was sent is closed, and the server's
// answers waited for, briefly, so that nothing is left on the screen
// whose action no one would hear. Both waits share one moment, so that a
// stalled session bus holds the program's end that long at most. QtDBus
// takes the Notify's reply in on its own thread, so it is looked for
// without an event loop.
DesktopNotification::~DesktopNotification()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(closeAtExitTimeoutMs);
    if (inFlight) {
        disconnect(inFlight, nullptr, this, nullptr);
        const QDBusPendingReply<uint> reply = *inFlight;
        while (!reply.isFinished() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        if (reply.isFinished() && reply.isValid())
            currentId = reply.value();
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (currentId != 0)
        sessionBus().call(closeCall(currentId), QDBus::Block, int(std::max(left.count(), std::int64_t(1))));
}

// At start-up, before any other thread of the program can connect to a
// bus: QtDBus sets a signal hook up on its connection thread and waits for
// it there, which the window must not do once it is up.
void DesktopNotification::listenToServer()
{
    QDBusConnection& bus = sessionBus();
    bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint,QString)));
    bus.connect(QString(), path, interface, QStringLiteral("ActivationToken"), this,
                SLOT(onActivationToken(uint,QString)));
    bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint,uint)));
}

void DesktopNotification::show(const QString& newSummary, const QString& newBody)
{
    if (!sessionBus().isConnected())
        return;
    wanted = true;
    summary = newSummary;
    body = newBody;
    send();
}

// No "resident" hint: GNOME Shell shows no banner at all for a resident
// notification of the program that has the focus, which the warning often
// has as it appears. Shown again instead when the server takes it away.
// One Notify at a time: two in flight would each replace the same id, and
// the first answer could not tell whether its id was still in use.
void DesktopNotification::send()
{
    if (inFlight) {
        sendAgain = true;
        return;
    }
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
        {QStringLiteral("desktop-entry"), QStringLiteral("io.github.velmora.Velmora")},
    };
    QStringList actions{clickKey, showLabel(), actionKey, actionLabel};
    if (!postponeLabel.isEmpty())
        actions << postponeKey << postponeLabel;
    QDBusMessage notify = notificationCall(QStringLiteral("Notify"));
    notify << QStringLiteral("Velmora") << currentId << QStringLiteral("io.github.velmora.Velmora")
           << summary << body << actions << hints << qint32(0);
    // The answer is awaited without blocking: with no server the call fails
    // in the background and nothing else happens.
    inFlight = new QDBusPendingCallWatcher(sessionBus().asyncCall(notify, notifyTimeoutMs), this);
    connect(inFlight, &QDBusPendingCallWatcher::finished, this, &DesktopNotification::answered);
}

// What was closed while the server was answering is closed as soon as its
// id is known; what changed meanwhile is sent now, replacing it.
void DesktopNotification::answered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    inFlight = nullptr;
    const QDBusPendingReply<uint> reply = *call;
    if (!reply.isError()) {
        if (!wanted) {
            closeNotification(reply.value());
            return;
        }
        currentId = reply.value();
    }
    if (wanted && std::exchange(sendAgain, false))
        send();
}

bool DesktopNotification::isShown() const
{
    return currentId != 0 && !inFlight;
}

void DesktopNotification::close()
{
    wanted = false;
    reopenWhenClosed = false;
    sendAgain = false;
    expiries = 0;
    reshowAfterExpiry->stop();
    if (currentId != 0)
        closeNotification(currentId);
    currentId = 0;
}

void DesktopNotification::closeNotification(uint notificationId)
{
    sessionBus().send(closeCall(notificationId));
}

void DesktopNotification::onActionInvoked(uint notificationId, const QString& key)
{
    if (!wanted || notificationId != currentId)
        return;
    if (key == actionKey) {
        emit actionChosen();
    } else if (key == postponeKey) {
        // The server takes the notification away, as after a click; the
        // warning may stay, with the new time, and then so must it.
        reopenWhenClosed = true;
        emit postponeChosen();
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

void DesktopNotification::onNotificationClosed(uint notificationId, uint reason)
{
    if (notificationId != currentId)
        return;
    currentId = 0;
    const bool clicked = std::exchange(reopenWhenClosed, false);
    if (!wanted)
        return;
    if (clicked) {
        send();
    } else if (reason == closedByExpiry && expiries < mostReshowsAfterExpiry) {
        ++expiries;
        reshowAfterExpiry->start(firstReshowAfter * expiries);
    }
}
