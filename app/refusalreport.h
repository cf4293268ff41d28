// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QObject>
#include <QString>
#include <QTime>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

class DesktopNotification;
class NoticeWindow;

// Tells the user that the system refused the action, what that means in
// plain words, and the system's own answer, in a window like the warning's
// and as a desktop notification, and offers to ask again. Programs that
// hold the action off, as the warning found them or as the system lists
// them at the refusal, are named too: they are often the real reason. GUI
// thread only, but for requestTicket().
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
    // The request for this action text was refused.
    void show(const QString& mode, const ExitOutcome& outcome, std::uint64_t ticket);
    void withdraw();
    // What the warning learned in advance of the action with these flags.
    void rememberProspect(std::uint32_t exitFlags, const ExitProspect& prospect);

signals:
    // The same request again, for the action text of the report.
    void retryRequested(const QString& mode);

private:
    void putAway();
    void retry();
    void foresee(std::uint32_t exitFlags);
    void learn(const ExitProspect& prospect, std::uint64_t refusalNumber);
    void publish(bool showWindow);
    NoticeWindow* reportWindow();

    std::unique_ptr<NoticeWindow> window;    // made when first needed
    DesktopNotification* notification;
    QString refusedMode;
    ExitOutcome refusal;
    ExitProspect prospect;                   // what is known of the refused action
    std::uint32_t warnedFlags = 0;
    ExitProspect warned;                     // what the warning learned
    std::optional<QTime> retriedAt;          // "Try again" waiting for its answer
    QString retryNote;
    std::uint64_t refusalsShown = 0;         // tells a late answer from the report it belongs to
    std::atomic<std::uint64_t> withdrawals{0};
};

// What the refusal means in plain words, the programs that hold the action
// off, then the system's answer on a line of its own.
QString refusalMessage(const QString& mode, const ExitOutcome& outcome, const ExitProspect& prospect);
