// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowgroup.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// ICCCM's WM_HINTS: nine 32-bit fields, the flags first and the window
// group last.
using WmHints = std::array<std::uint32_t, 9>;
constexpr std::uint32_t windowGroupHint = 1u << 6;
constexpr std::size_t windowGroupField = 8;

struct FreeReply
{
    void operator()(xcb_get_property_reply_t* reply) const { std::free(reply); }
};

} // namespace

void leaveWindowGroup(QWidget* window)
{
    // Qt's offscreen platform answers as an X11 one too, without a
    // connection of its own.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    // Qt sets the hints as it makes the native window, and keeps what is
    // changed here when it sets them again.
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, WmHints().size());
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
        xcb_get_property_reply(connection, cookie, nullptr));
    WmHints hints;
    if (!reply || xcb_get_property_value_length(reply.get()) != int(sizeof hints))
        return;
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof hints);
    hints[0] &= ~windowGroupHint;
    hints[windowGroupField] = 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        hints.size(), hints.data());
}
