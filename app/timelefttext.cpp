// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "timelefttext.h"

#include <QCoreApplication>

namespace {
constexpr std::uint32_t msPerSecond = 1000;
constexpr std::uint32_t msPerMinute = 60 * msPerSecond;
constexpr std::uint32_t msPerHour = 60 * msPerMinute;
constexpr std::uint32_t msPerDay = 24 * msPerHour;
}

// Each count is a message of its own, so that each takes its language's
// plural form. English keeps the plural throughout, as it always read.
QString timeLeftText(std::uint32_t remainingMs)
{
    const auto days = static_cast<int>(remainingMs / msPerDay);
    const auto hours = static_cast<int>(remainingMs % msPerDay / msPerHour);
    const auto minutes = static_cast<int>(remainingMs % msPerHour / msPerMinute);
    const auto seconds = static_cast<int>(remainingMs % msPerMinute / msPerSecond);
    //: The status line during a countdown: %1 is the days ("%n days"), %2 the hours, %3 the
    //: minutes and %4 the seconds.
    return QCoreApplication::translate("TimeLeftText", "Time left:%1, %2, %3 and %4")
        .arg(QCoreApplication::translate("TimeLeftText", "%n days", nullptr, days),
             QCoreApplication::translate("TimeLeftText", "%n hours", nullptr, hours),
             QCoreApplication::translate("TimeLeftText", "%n minutes", nullptr, minutes),
             QCoreApplication::translate("TimeLeftText", "%n seconds", nullptr, seconds));
}
