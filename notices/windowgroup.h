// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Takes a window that is kept above the others out of the program's X11
// window group, where it runs as an X11 client, before it is first shown.
// Mutter brings every window of a group up with one that asks to be kept
// above, so the main window would jump above whatever the user is working
// in when the warning appears. Elsewhere it does nothing.
void leaveWindowGroup(QWidget* window);
