// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"
#include "systembusmessage.h"

#include <vector>

class QDBusMessage;

// What an answer of logind or of a session manager to a request means; a
// refusal keeps the system's own words.
ExitOutcome outcomeOf(const QDBusMessage &answer, bool fromLogind);
ExitProspect::Consent consentIn(const QDBusMessage &answer);
std::vector<ExitProspect::Blocker> blockersIn(const SystemBusAnswer &answer);
