// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shows every NoticeWindow to assistive technology as a notification, named
// by its title and described by its message. A screen reader speaks a window
// that appears without the keyboard only in that role: as a dialog it stays
// silent until the user happens to move into it. Idempotent.
void exposeNoticesAsNotifications();
