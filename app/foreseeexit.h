// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <cstdint>
#include <functional>

class QObject;

// Asks the system what an exit request with these flags would meet, off the
// GUI thread, since reaching a stalled system bus blocks for as long as it
// stays stalled. onAnswer runs on the GUI thread, if receiver still exists.
void foreseeExitFor(QObject* receiver, std::uint32_t exitFlags,
                    std::function<void(const ExitProspect&)> onAnswer);
