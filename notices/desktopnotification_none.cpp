// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"

// Without a notification service the window alone tells.

DesktopNotification::DesktopNotification(const QString&, const QString&, const QString&, QObject* parent)
    : QObject(parent)
    , reshowAfterExpiry(nullptr)
{
}

DesktopNotification::~DesktopNotification() = default;

void DesktopNotification::show(const QString&, const QString&) {}

bool DesktopNotification::isShown() const
{
    return false;
}

void DesktopNotification::close() {}

void DesktopNotification::onActionInvoked(uint, const QString&) {}

void DesktopNotification::onActivationToken(uint, const QString&) {}

void DesktopNotification::onNotificationClosed(uint, uint) {}
