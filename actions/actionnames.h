// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QString>

#include <array>
#include <cstdint>

namespace PowerActions {

// The exit flags of the action list's entries, in the order it shows them.
constexpr std::array<std::uint32_t, 3> entryFlags{
    ExitFlags::Shutdown | ExitFlags::ForceIfHung,
    ExitFlags::Reboot | ExitFlags::ForceIfHung,
    ExitFlags::Logoff | ExitFlags::ForceIfHung,
};

// The exit flags for an action text: "Shutdown", "Reboot" and "Log off",
// compared whole and case-sensitively; any other text means shutdown.
std::uint32_t exitFlagsFor(const QString& mode);

// "Shutdown", "Reboot" or "Log off", for the exit flags of an action.
QString actionName(std::uint32_t exitFlags);

}
