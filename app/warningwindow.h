// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small window that warns of the coming action. Not modal and kept above
// other windows, so it is seen without blocking anything.
class WarningWindow : public QDialog
{
    Q_OBJECT

public:
    explicit WarningWindow(QWidget* parent);
    void setMessage(const QString& message);

signals:
    void stopRequested();

private:
    QLabel* messageLabel;
    QPushButton* stopButton;
    QPushButton* dismissButton;
};
