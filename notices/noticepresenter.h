// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class DesktopNotification;
class NoticeWindow;

// What the warning and the report have in common: one text told twice, in a
// window made when first needed and in a desktop notification, and the
// question of what the action will meet, whose answer comes later. A click
// on the notification brings the window back. Withdrawing puts both away
// and drops answers still on their way; so does going away. GUI thread only.
class NoticePresenter : public QObject
{
    Q_OBJECT

public:
    struct Buttons
    {
        QString regionName;     // names the message for screen readers
        QString actionText;     // the window's first button
        QString dismissText;    // the window's last button
        QString actionKey;      // the notification's action, as the server reports it
        QString actionLabel;    // and as it shows it
        // More time for the warning's action: a button between the two, and
        // a second action in the notification. None where empty.
        QString postponeText = {};
        QString postponeLabel = {};
    };
    struct Text
    {
        QString subject;        // the window's title, before the program's name
        QString message;        // the window's message
        QString summary;        // the notification's
        QString body;
    };

    NoticePresenter(const Buttons& buttons, QObject* parent);
    ~NoticePresenter() override;

    // Tells the text in both; the window comes up, in front, if present is
    // set, and otherwise stays as it is.
    void publish(const Text& text, bool present);
    // The window alone, as often as it changes: the notification is not
    // refreshed, so that the desktop does not show it anew each time.
    void retell(const QString& subject, const QString& message);
    void withdraw();
    bool isPublished() const { return published; }

    // Asks what the action with these flags will meet; prospectLearned
    // follows, unless withdrawn or asked again in between.
    void askProspect(std::uint32_t exitFlags);

signals:
    // The window's first button or the notification's action.
    void actionRequested();
    // The postpone button or the notification's second action.
    void postponeRequested();
    // The window's last button; it has put itself away.
    void dismissed();
    void prospectLearned(std::uint32_t exitFlags, const ExitProspect& prospect);

private:
    void learn();
    NoticeWindow* noticeWindow();

    Buttons buttons;
    std::unique_ptr<NoticeWindow> window;
    DesktopNotification* notification;
    QFutureWatcher<ExitProspect> question;
    std::uint32_t askedFlags = 0;
    bool published = false;
};
