// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systembusmessage.h"

#include <dbus/dbus.h>

#include <memory>

// Calls to logind and its answers, written and read in libdbus's terms.
using Message = std::unique_ptr<DBusMessage, decltype(&dbus_message_unref)>;

Message messageFor(const SystemBusCall& call);
SystemBusAnswer errorAnswer(const char* name, const char* message);
// A reply's first argument where it is a text, an object path or logind's
// list of inhibitors; an error with its name and words.
SystemBusAnswer answerIn(DBusMessage* reply);
