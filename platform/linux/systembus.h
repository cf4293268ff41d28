// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systembusmessage.h"

#include <functional>
#include <vector>

enum class Departure {
    Left,        // the calls are written to the bus, or it refused the connection: onAnswers comes
    Unwanted,    // stillWanted said no: nothing was sent and onAnswers never comes
    Stalled,     // no connection within the deadline: nothing is sent and onAnswers never comes
};

// QtDBus makes every connection of the process on one shared thread, and a
// bus that stalls in libdbus's handshake holds that thread, and with it
// every bus of the program, without end. So the system bus is reached over
// a private connection on a thread of its own, which a stall holds alone.
// The calling thread waits at most connectMs for the connection, asking
// stillWanted meanwhile and once more just before the calls leave, then
// returns once they are written to the bus, in order, so that the next
// exchange cannot overtake them. A connection given up on has its socket
// shut, which ends its thread at once. Each answer waits replyTimeoutMs
// at most (INT_MAX: without end); onAnswers gets them all, on the
// connection's thread, unless the application has ended by then. It only
// hands them on: the application's end waits for it.
Departure callSystemBus(std::vector<SystemBusCall> calls, int replyTimeoutMs, int connectMs,
                        const std::function<bool()>& stillWanted,
                        std::function<void(const std::vector<SystemBusAnswer>&)> onAnswers);

// Sends the call expecting no answer and returns at once; a bus that has
// not taken the connection within 25 s is given up on, as above.
void sendToSystemBus(SystemBusCall call);
