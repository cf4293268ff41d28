// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

class DesktopNotification;
class NoticeWindow;

// Tells the user that the system refused the action, and why, in a window
// like the warning's and as a desktop notification, and offers to ask
// again. GUI thread only, but for requestTicket().
class RefusalReport : public QObject
{
    Q_OBJECT

public:
    explicit RefusalReport(QObject* parent);
    ~RefusalReport() override;

    // Taken when a request is made, on any thread. A refusal shows only if
    // the report was not withdrawn since: one that comes after "STOP!", or
    // after "Try again" for an older request, is no longer news.
    std::uint64_t requestTicket() const;
    // The request for this action text was refused for this reason.
    void show(const QString& mode, const QString& reason, std::uint64_t ticket);
    void withdraw();

signals:
    // The same request again, for the action text of the report.
    void retryRequested(const QString& mode);

private:
    void retry();
    NoticeWindow* reportWindow();

    std::unique_ptr<NoticeWindow> window;    // made when first needed
    DesktopNotification* notification;
    QString refusedMode;
    std::atomic<std::uint64_t> withdrawals{0};
};

// "Shutdown not done.", then the system's answer on a line of its own.
QString refusalMessage(const QString& mode, const QString& reason);
