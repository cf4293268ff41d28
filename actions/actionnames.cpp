// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "actionnames.h"

#include <QCoreApplication>

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
    return forAction(exitFlags, QStringLiteral("Shutdown"), QStringLiteral("Reboot"), QStringLiteral("Log off"));
}

QString shownActionName(std::uint32_t exitFlags)
{
    return forAction(exitFlags,
                     //: An entry of the action list: the computer is switched off.
                     QCoreApplication::translate("PowerActions", "Shutdown"),
                     //: An entry of the action list.
                     QCoreApplication::translate("PowerActions", "Reboot"),
                     //: An entry of the action list: the user's session ends.
                     QCoreApplication::translate("PowerActions", "Log off"));
}

QString forAction(std::uint32_t exitFlags, const QString& shutdown, const QString& reboot, const QString& logoff)
{
    switch (exitFlags & ~ExitFlags::ForceIfHung) {
    case ExitFlags::Reboot:
        return reboot;
    case ExitFlags::Logoff:
        return logoff;
    default:
        return shutdown;
    }
}

}
