// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Chooses how the windows reach the screen where the desktop offers more
// than one way. Call it before the application object exists.
void chooseWindowSystem();

// Tells the desktop which program the windows belong to, so that it shows
// them with the name and icon of the program's desktop entry. Call it once
// the application object exists.
void integrateWithDesktop();
