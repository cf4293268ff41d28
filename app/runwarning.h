// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>

class DesktopNotification;
class WarningWindow;
class QWidget;

// Warns once per run when the time left reaches the lead time the settings
// give, in a window of its own and as a desktop notification, and withdraws
// both when the run ends, is stopped or is replaced. The settings dialog
// changes the alert settings at once, so they are read on every update and
// a change applies to the run under way. GUI thread only, like the dialog.
class RunWarning : public QObject
{
    Q_OBJECT

public:
    explicit RunWarning(QWidget* owner);

    // A new run of this length starts; any earlier warning is withdrawn.
    void arm(std::uint32_t runLengthMs);
    // The run's time left, as the status line shows it.
    void update(std::uint32_t remainingMs, std::uint32_t exitFlags);
    void withdraw();

signals:
    void stopRequested();

private:
    bool isDue(std::uint32_t remainingMs) const;
    void give(std::uint32_t remainingMs, std::uint32_t exitFlags);
    void takeDown();
    WarningWindow* warningWindow();

    QWidget* owner;
    QPointer<WarningWindow> window;    // made when first needed, owned by `owner`
    DesktopNotification* notification;
    std::uint32_t runLengthMs = 0;     // 0: no run to warn of
    bool startedWithinLead = false;
    bool given = false;
};

// "Shutdown in 5 minutes." and the like.
QString warningMessage(std::uint32_t exitFlags, std::uint32_t remainingMs);
