// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tells the user that settings.dat cannot be written and waits for an answer.
// Returns false when the user chose to give up the save ("Ignore", Escape or
// the close button), true when the whole save should be tried again.
bool askToRetrySave();
