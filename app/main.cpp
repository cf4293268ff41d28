// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maindialog.h"
#include "settings.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    loadSettings();
    QApplication application(argc, argv);
    // Wayland has no window class: the compositor finds the icon and name
    // through the desktop file this names.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velmora.Velmora"));
    MainDialog dialog;
    return dialog.exec();
}
