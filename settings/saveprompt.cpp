// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "saveprompt.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

bool askToRetrySave(QWidget* owner)
{
    QMessageBox prompt(owner);
    if (owner)
        prompt.setWindowModality(Qt::WindowModal);
    prompt.setText(QCoreApplication::translate("SavePrompt",
                                               "Unable to open \"settings.dat\" for writing. \n Make sure it is "
                                               "not used by another program or set to read-only and retry."));
    prompt.addButton(QCoreApplication::translate("SavePrompt", "Retry"), QMessageBox::YesRole);
    // As the only button with the No role, "Ignore" is what QMessageBox picks
    // for Escape and the window's close button, so no escape button is set.
    const QPushButton* ignore =
        prompt.addButton(QCoreApplication::translate("SavePrompt", "Ignore"), QMessageBox::NoRole);
    prompt.exec();
    return prompt.clickedButton() != ignore;
}
