// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "timelefttext.h"

namespace {
constexpr std::uint32_t msPerSecond = 1000;
constexpr std::uint32_t msPerMinute = 60 * msPerSecond;
constexpr std::uint32_t msPerHour = 60 * msPerMinute;
constexpr std::uint32_t msPerDay = 24 * msPerHour;
}

QString timeLeftText(std::uint32_t remainingMs)
{
    const std::uint32_t days = remainingMs / msPerDay;
    const std::uint32_t hours = remainingMs % msPerDay / msPerHour;
    const std::uint32_t minutes = remainingMs % msPerHour / msPerMinute;
    const std::uint32_t seconds = remainingMs % msPerMinute / msPerSecond;
    return QStringLiteral("Time left:%1 days, %2 hours, %3 minutes and %4 seconds")
        .arg(days)
        .arg(hours)
        .arg(minutes)
        .arg(seconds);
}
