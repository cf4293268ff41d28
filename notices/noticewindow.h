// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A small window with a message, a button that acts on it, where given one
// that postpones it, and one that puts it away: the warning of a coming
// action and the report of a refused one.
// Not modal and kept above other windows where the window system allows it,
// so it is seen without blocking anything. It is a window of its own, with
// no parent, so that a dialog modal to the main window does not block it.
// It appears while the user is busy elsewhere, so nothing typed at that
// moment may act on it: no button is a default one, and the focus starts on
// the message. Screen readers meet it as a notification, which they speak as
// it appears (noticeaccessible.h); on Windows it is announced
// (noticeannouncement.h).
class NoticeWindow : public QDialog
{
    Q_OBJECT

public:
    // regionName names the message for screen readers; no postpone button
    // is shown where postponeText is empty.
    NoticeWindow(const QString& regionName, const QString& actionText, const QString& postponeText,
                 const QString& dismissText);
    void setMessage(const QString& message);
    QString message() const;
    // "Shutdown in 5 minutes", say; the program's name follows it.
    void setSubject(const QString& subject);
    // Shows the window in front, or brings it there, leaving the keyboard
    // where it is; as it appears, it makes itself known (makeKnown).
    void present();
    // The user asked for the window (through its notification): it comes to
    // the front with the keyboard. The desktop's activation token, where it
    // sent one, lets a Wayland compositor allow that.
    void bringBack(const QString& activationToken);

signals:
    void actionRequested();
    void postponeRequested();
    // The last button: the window is put away.
    void dismissed();

private:
    void showInFront();
    void makeKnown();

    QLabel* messageLabel;
    QPushButton* actionButton;
    QPushButton* postponeButton;    // none in the report
    QPushButton* dismissButton;
};
