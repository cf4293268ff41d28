// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

// What the main window costs at the least: a plain dialog with the same
// widgets, texts, ranges and rows, created in the same order so that the
// focus chain and the first focused widget match. Nothing is connected, no
// settings are read and no thread pool or D-Bus is touched.
class FloorDialog : public QDialog
{
public:
    FloorDialog();
    QLabel* statusLabel() const { return status; }

private:
    QLabel* status;
};
