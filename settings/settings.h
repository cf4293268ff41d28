// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QWidget;

// The process-wide settings. Until loadSettings() runs they hold 0 / true / 0;
// a settings.dat that cannot be opened gives 500 / true / 5000.
struct Settings
{
    std::int32_t sleepTime = 0;    // countdown refresh interval, ms; written only by the start-up load
    bool displayAlert = true;
    // Minutes, in the file, here and in the settings dialog alike. The 5000 of
    // a missing file is thus far above the dialog's 1..10 and shows as 10.
    std::int32_t alertTime = 0;
};

extern Settings settings;

// The shortest refresh interval the settings dialog offers; a countdown
// pauses this long when settings.dat holds an interval of 0 or below.
constexpr std::int32_t shortestSleepTimeMs = 100;

// Fills `settings` from settings.dat in the working directory. Never fails,
// shows nothing and uses no Qt, so it can run before the application object
// exists; always returns 0.
int loadSettings();

// Writes the three values to settings.dat, replacing the old file only once
// the new one is complete. When any step fails it asks the user to retry or
// ignore; ignoring leaves the old file, or its absence, as it was. Never
// changes `settings`. The prompt, if any, is modal to promptOwner when given.
void saveSettings(std::int32_t sleepTime, bool displayAlert, std::int32_t alertTime,
                  QWidget* promptOwner = nullptr);
