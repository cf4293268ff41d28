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
// compared whole and case-sensitively; any other text means shutdown. The
// text is the English name, whatever language the window speaks.
std::uint32_t exitFlagsFor(const QString& mode);

// "Shutdown", "Reboot" or "Log off", for the exit flags of an action: the
// English name, which names the action inside the program.
QString actionName(std::uint32_t exitFlags);

// The action's name as the action list shows it, in the user's language.
QString shownActionName(std::uint32_t exitFlags);

// The one of three whole sentences that speaks of the action: a language
// may need more of a sentence than the action's name to change with it.
QString forAction(std::uint32_t exitFlags, const QString& shutdown, const QString& reboot, const QString& logoff);

}
