// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>

#include <functional>

// A D-Bus method call, sent as soon as it is made, whose answer is then
// either awaited by the thread that made it or handed to the application's
// main thread. The calling thread needs no event loop of its own.
class PendingReply
{
public:
    // The answer is the bus's own error when the bus cannot be reached.
    PendingReply(const QDBusConnection &bus, const QDBusMessage &message, int timeoutMs);

    // Blocks the calling thread until the answer comes or the timeout passes.
    QDBusMessage answer();

    // Calls onAnswer once with the answer, from the application's event loop
    // on the main thread. Without an application it is never called.
    void whenAnswered(std::function<void(const QDBusMessage &)> onAnswer) const;

private:
    QDBusPendingCall call;
};
