// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Tells the user that settings.dat cannot be written and waits for an answer.
// Returns false when the user chose to give up the save ("Ignore", Escape or
// the close button), true when the whole save should be tried again. With
// an owner the prompt blocks only that window, so that the program's other
// windows still take clicks; without one it blocks them all.
bool askToRetrySave(QWidget* owner);
