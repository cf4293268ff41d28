// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QObject>
#include <QString>
#include <QTime>

#include <cstdint>

class NoticePresenter;

// Warns once per run when the time left reaches the lead time the settings
// give, and withdraws the warning when the run ends, is stopped or is
// replaced. The settings dialog changes the alert settings at once, so they
// are read on every update and a change applies to the run under way. What
// the system says of the action ahead of it (a password it will want, a
// program holding it off) is added once known, and asked afresh when the
// action changes. It offers to put the action off by a fixed time, added
// to the time left; the run so postponed keeps what the system said, and is
// warned of again once the lead time is left. GUI thread only, like the
// dialog.
class RunWarning : public QObject
{
    Q_OBJECT

public:
    explicit RunWarning(QObject* parent);

    // A new run of this length starts; any earlier warning is withdrawn.
    void arm(std::uint32_t runLengthMs);
    // The run's time left, as the status line shows it.
    void update(std::uint32_t remainingMs, std::uint32_t exitFlags);
    // The run was postponed: the action is this long from now.
    void postponed(std::uint32_t remainingMs);
    void withdraw();

signals:
    void stopRequested();
    // The user wants the action this much later than it would be.
    void postponeRequested(std::uint32_t addedMs);
    // What the system said ahead of the action with these flags.
    void prospectLearned(std::uint32_t exitFlags, const ExitProspect& prospect);

private:
    bool isDue(std::uint32_t remainingMs) const;
    void give(std::uint32_t remainingMs, std::uint32_t exitFlags, bool present = true);
    void learn(std::uint32_t exitFlags, const ExitProspect& prospect);
    void forget(std::uint32_t exitFlags);
    void publish(bool present);
    QString message() const;

    NoticePresenter* presenter;
    std::uint32_t runLengthMs = 0;     // 0: no run to warn of
    bool startedWithinLead = false;
    std::uint32_t shownFlags = 0;      // the action the warning names
    std::uint32_t shownRemainingMs = 0;
    QString prospectText;              // what the system said of the action, if anything
};

// "Shutdown in 5 minutes." and the like.
QString warningMessage(std::uint32_t exitFlags, std::uint32_t remainingMs);
// "Shutdown in 5 minutes": whole minutes, rounded up, so that a window
// title does not change every second.
QString warningSubject(std::uint32_t exitFlags, std::uint32_t remainingMs);
// "Shutdown at 21:05.": the notification is not refreshed, so it names the
// moment of the action rather than a time left that would soon be wrong.
QString notificationSummary(std::uint32_t exitFlags, std::uint32_t remainingMs, const QTime& now);
