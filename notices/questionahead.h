// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QFuture>

#include <cstdint>

// Asks the system what an exit request with these flags would meet, off the
// GUI thread, since reaching a stalled system bus blocks for as long as it
// stays stalled. The future holds no result when the system does not
// answer. GUI thread only.
QFuture<ExitProspect> askExitProspect(std::uint32_t exitFlags);
