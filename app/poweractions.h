// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actionnames.h"
#include "platform.h"

#include <QString>

#include <cstdint>
#include <functional>

// The power requests, the same on every platform. Each request is made with
// the shutdown privilege enabled just around it, one at a time per process.
namespace PowerActions {

// Called with the system's answer to a request, on whichever thread it
// comes, and never while the shutdown privilege is held: it may make a
// request itself.
using OutcomeHandler = std::function<void(const ExitOutcome& outcome)>;

// Requests the action, unless abortShutdown() has ever been called or,
// just before the request leaves, stillWanted() says the user has stopped.
void requestAction(const QString& mode, OutcomeHandler onOutcome = {}, StillWanted stillWanted = {});

// Latches every later request off for the life of the process.
void latchRequestsOff();

// Latches, then asks the system to abort a pending shutdown. The asking
// waits for any request still under way, however long a stalled bus holds it.
void abortShutdown();

}
