// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// "Time left:D days, H hours, M minutes and S seconds" for a remainder in
// milliseconds; the milliseconds below a whole second are dropped.
QString timeLeftText(std::uint32_t remainingMs);
