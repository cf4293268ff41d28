// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the desktop session is a Wayland one that also runs X11 clients
// through XWayland: both displays are set, and the session does not say it
// is an X11 one, which may keep a WAYLAND_DISPLAY left over in its
// environment, as systemd's user environment often does. Decided at the first call, before
// anything changes the environment, and the same from then on.
bool sessionOffersXWayland();
