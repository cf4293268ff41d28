// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopintegration.h"

#include <QGuiApplication>
#include <QIcon>

void integrateWithDesktop()
{
    const QString appId = QStringLiteral("io.github.velmora.Velmora");
    // Wayland has no window class: the compositor finds the icon and name
    // through the desktop file this names.
    QGuiApplication::setDesktopFileName(appId);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // On X11 Qt gives a window no icon of its own, so task bars and window
    // switchers would show a generic one. The icon theme's is the one the
    // menu shows, in every size; the embedded one stands in where the theme
    // lacks it, as in a build that is not installed. Windows takes the
    // executable's icon instead.
    QGuiApplication::setWindowIcon(
        QIcon::fromTheme(appId, QIcon(QStringLiteral(":/images/icon.png"))));
#endif
}
