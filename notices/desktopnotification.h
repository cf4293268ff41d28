// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QDBusPendingCallWatcher;

// A desktop notification with one action, or two, where the desktop offers
// them.
// It stands in for a window the compositor may keep out of sight, so it is
// critical, and a click on it asks for the window. A server removes it once
// clicked, and some let even a critical one expire: it is shown again after
// a click, and after expiry a few times, ever later. What it sent is closed
// when it is closed or goes away. Nothing is shown, and nothing waits, when
// no notification server runs.
class DesktopNotification : public QObject
{
    Q_OBJECT

public:
    // actionKey tells the server's answers apart; actionLabel is shown. A
    // postpone action is offered too where postponeLabel is not empty.
    DesktopNotification(const QString& actionKey, const QString& actionLabel, const QString& postponeLabel,
                        QObject* parent);
    ~DesktopNotification() override;
    void show(const QString& summary, const QString& body);
    void close();
    // The server has answered the last Notify, and what it shows is current.
    bool isShown() const;

signals:
    void actionChosen();
    void postponeChosen();
    // A click on the notification itself. The token, where the desktop sent
    // one, lets the window that answers it come to the front on Wayland.
    void opened(const QString& activationToken);

private slots:
    void onActionInvoked(uint notificationId, const QString& actionKey);
    void onActivationToken(uint notificationId, const QString& token);
    void onNotificationClosed(uint notificationId, uint reason);

private:
    void listenToServer();
    void send();
    void answered(QDBusPendingCallWatcher* call);
    void closeNotification(uint notificationId);

    QString actionKey;
    QString actionLabel;
    QString postponeLabel;
    QString summary;
    QString body;
    bool wanted = false;                    // shown and not closed since
    bool reopenWhenClosed = false;
    QDBusPendingCallWatcher* inFlight = nullptr;    // the one Notify not yet answered
    bool sendAgain = false;                 // changed while a Notify was in flight
    uint currentId = 0;                     // 0 until the server has answered
    int expiries = 0;                       // since the notification was first shown
    QTimer* reshowAfterExpiry;
    QString activationToken;                // sent just before a click's action
};
