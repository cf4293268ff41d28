// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>

#include <optional>

// The graceful log-off of the desktop's own session manager, which lets
// running programs save their work; nothing when the session bus says that
// no known desktop runs. Blocks the calling thread for a few seconds at most.
std::optional<QDBusMessage> desktopLogoff(const QDBusConnection &session);
