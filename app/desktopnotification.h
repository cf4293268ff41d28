// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// A desktop notification with one action, where the desktop offers them. Nothing is shown, and nothing waits, when no notification server
// runs.
class DesktopNotification : public QObject
{
    Q_OBJECT

public:
    // actionKey tells the server's answers apart; actionLabel is shown.
    DesktopNotification(const QString& actionKey, const QString& actionLabel, QObject* parent);
    void show(const QString& summary, const QString& body);
    void close();

signals:
    void actionChosen();

private slots:
    void onActionInvoked(uint notificationId, const QString& actionKey);
    void onNotificationClosed(uint notificationId, uint reason);

private:
    void listenToServer();
    void adoptId(quint64 request, uint notificationId);
    void closeNotification(uint notificationId);

    QString actionKey;
    QString actionLabel;
    bool listening = false;
    bool wanted = false;        // shown and not closed since
    quint64 latestRequest = 0;  // counts show() calls
    uint currentId = 0;         // 0 until the server has answered
};
