// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// The power requests, the same on every platform. Each request is made with
// the shutdown privilege enabled just around it, one at a time per process.
namespace PowerActions {

// The exit flags for an action text: "Shutdown", "Reboot" and "Log off",
// compared whole and case-sensitively; any other text means shutdown.
std::uint32_t exitFlagsFor(const QString& mode);

// "Shutdown", "Reboot" or "Log off", for the exit flags of an action.
QString actionName(std::uint32_t exitFlags);

// Called with the system's reason when it refuses a request, on whichever
// thread its answer comes.
using RefusalHandler = std::function<void(const QString& reason)>;

// Requests the action, unless abortShutdown() has ever been called.
void requestAction(const QString& mode, RefusalHandler onRefused = {});

// Latches every later request off for the life of the process, then asks
// the system to abort a pending shutdown.
void abortShutdown();

}
