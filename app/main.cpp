// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopintegration.h"
#include "maindialog.h"
#include "settings.h"
#include "translators.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    loadSettings();
    chooseWindowSystem();
    QApplication application(argc, argv);
    installTranslators(application);
    integrateWithDesktop();
    MainDialog dialog;
    return dialog.exec();
}
