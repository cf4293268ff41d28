// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the desktop session is a Wayland one that also runs X11 clients
// through XWayland. The session's own type decides, where it names one: an
// X11 session may keep a WAYLAND_DISPLAY left over in its environment, as
// systemd's user environment often does. Decided at the first call, before
// anything changes the environment, and the same from then on.
bool sessionOffersXWayland();
