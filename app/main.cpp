// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopintegration.h"
#include "maindialog.h"
#include "settings.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    loadSettings();
    QApplication application(argc, argv);
    integrateWithDesktop();
    MainDialog dialog;
    return dialog.exec();
}
