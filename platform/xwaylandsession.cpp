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

// A session started without logind's help names no type; its displays are
// all there is to go by.
bool isWaylandSession()
{
    const char* type = std::getenv("XDG_SESSION_TYPE");
    if (type && *type)
        return std::strcmp(type, "wayland") == 0;
    return isSet("WAYLAND_DISPLAY");
}

}

bool sessionOffersXWayland()
{
    static const bool offered = isWaylandSession() && isSet("WAYLAND_DISPLAY") && isSet("DISPLAY");
    return offered;
}
