// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <optional>

class NoticePresenter;

// Tells the user that the action was not done: the system refused it, or
// accepted it and nothing happened. It says what that means in plain words,
// with the system's own answer, and offers to ask again. Programs that hold
// the action off, as the warning found them or as the system lists them at
// the refusal, are named too: they are often the real reason. GUI thread
// only, but for requestTicket().
class RefusalReport : public QObject
{
    Q_OBJECT

public:
    explicit RefusalReport(QObject* parent);

    // Taken when a request is made, on any thread. An answer shows only if
    // the report was not withdrawn since: one that comes after "STOP!", or
    // after "Try again" for an older request, is no longer news.
    std::uint64_t requestTicket() const;
    // The request for this action text was refused.
    void show(const QString& mode, const ExitOutcome& outcome, std::uint64_t ticket);
    // The request was accepted. A log-off ends this program with the session,
    // a shutdown or reboot with everything else; if it still runs well after
    // that, the action did not happen, and the report says so.
    void expectEffect(const QString& mode, std::uint64_t ticket);
    void withdraw();
    // What the warning learned ahead of the action with these flags.
    void rememberProspect(std::uint32_t exitFlags, const ExitProspect& prospect);

signals:
    // The same request again, for the action text of the report.
    void retryRequested(const QString& mode);

private:
    void noteRetry(const ExitOutcome& outcome);
    void putAway();
    void retry();
    void learn(std::uint32_t exitFlags, const ExitProspect& learned);
    void publish(bool present);

    QTimer effectDeadline;    // a child too, so that it is found and ends first
    NoticePresenter* presenter;
    QString expectedMode;                    // what effectDeadline waits for
    std::uint64_t expectedTicket = 0;
    QString refusedMode;
    ExitOutcome refusal;
    ExitProspect prospect;                   // what is known of the refused action
    std::uint32_t warnedFlags = 0;
    ExitProspect warned;                     // what the warning learned
    std::optional<QTime> retriedAt;          // "Try again" waiting for its answer
    QString retryNote;
    std::atomic<std::uint64_t> withdrawals{0};
};

// What the outcome means in plain words, the programs that hold the action
// off, then the system's answer, where it gave one, on a line of its own.
QString refusalMessage(const QString& mode, const ExitOutcome& outcome, const ExitProspect& prospect);
