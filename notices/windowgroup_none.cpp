// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowgroup.h"

// Only X11 has window groups.
void leaveWindowGroup(QWidget*)
{
}
