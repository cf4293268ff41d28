// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "xwaylandsession.h"

#include <cstdlib>
#include <cstring>

namespace {

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Only an X11 session's word overrules its displays. A compositor started
// from a text console (sway, say) runs in a session of type "tty", and one
// started without logind's help names no type at all.
bool isX11Session()
{
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return type && std::strcmp(type, "x11") == 0;
}

}

bool sessionOffersXWayland()
{
    static const bool offered = !isX11Session() && isSet("WAYLAND_DISPLAY") && isSet("DISPLAY");
    return offered;
}
