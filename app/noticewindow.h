// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A small window with a message, a button that acts on it and one that puts
// it away: the warning of a coming action and the report of a refused one.
// Not modal and kept above other windows, so it is seen without blocking
// anything. It is a window of its own, with no parent, so that a dialog
// modal to the main window does not block it.
class NoticeWindow : public QDialog
{
    Q_OBJECT

public:
    // regionName names the message for screen readers.
    NoticeWindow(const QString& regionName, const QString& actionText, const QString& dismissText);
    void setMessage(const QString& message);
    // Shows the window in front, or brings it there.
    void present();

signals:
    void actionRequested();

private:
    QLabel* messageLabel;
    QPushButton* actionButton;
    QPushButton* dismissButton;
};
