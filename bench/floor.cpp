// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of the idle main window: started, shown and ended as Velmora is.
#include "floordialog.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FloorDialog dialog;
    return dialog.exec();
}
