// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "actionnames.h"

namespace PowerActions {

std::uint32_t exitFlagsFor(const QString& mode)
{
    for (const std::uint32_t flags : entryFlags) {
        if (mode == actionName(flags))
            return flags;
    }
    return ExitFlags::Shutdown | ExitFlags::ForceIfHung;
}

QString actionName(std::uint32_t exitFlags)
{
    switch (exitFlags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Reboot:
        return QStringLiteral("Reboot");
    case ExitFlags::Logoff:
        return QStringLiteral("Log off");
    default:
        return QStringLiteral("Shutdown");
    }
}

}
