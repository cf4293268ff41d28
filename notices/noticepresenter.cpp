// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticepresenter.h"

#include "desktopnotification.h"
#include "noticeaccessible.h"
#include "noticewindow.h"
#include "questionahead.h"

NoticePresenter::NoticePresenter(const Buttons& buttons, QObject* parent)
    : QObject(parent)
    , buttons(buttons)
    , notification(new DesktopNotification(buttons.actionKey, buttons.actionLabel, buttons.postponeLabel, this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &NoticePresenter::actionRequested);
    connect(notification, &DesktopNotification::postponeChosen, this, &NoticePresenter::postponeRequested);
    connect(notification, &DesktopNotification::opened, this, [this](const QString& activationToken) {
        if (published)
            noticeWindow()->bringBack(activationToken);
    });
    connect(&question, &QFutureWatcher<ExitProspect>::finished, this, &NoticePresenter::learn);
}

// The notification closes what it sent as it goes, and waits for the
// server to take it, which a close from here would not.
NoticePresenter::~NoticePresenter() = default;

void NoticePresenter::publish(const Text& text, bool present)
{
    published = true;
    retell(text.subject, text.message);
    if (present)
        noticeWindow()->present();
    notification->show(text.summary, text.body);
}

void NoticePresenter::retell(const QString& subject, const QString& message)
{
    NoticeWindow* shown = noticeWindow();
    shown->setSubject(subject);
    shown->setMessage(message);
}

void NoticePresenter::withdraw()
{
    published = false;
    question.setFuture(QFuture<ExitProspect>());
    if (window)
        window->hide();
    notification->close();
}

// A new question replaces the one being watched, so that only the answer
// to the last question asked is ever learned.
void NoticePresenter::askProspect(std::uint32_t exitFlags)
{
    askedFlags = exitFlags;
    question.setFuture(askExitProspect(exitFlags));
}

void NoticePresenter::learn()
{
    if (published && question.future().resultCount() > 0)
        emit prospectLearned(askedFlags, question.result());
}

NoticeWindow* NoticePresenter::noticeWindow()
{
    if (!window) {
        exposeNoticesAsNotifications();
        window = std::make_unique<NoticeWindow>(buttons.regionName, buttons.actionText, buttons.postponeText,
                                                buttons.dismissText);
        connect(window.get(), &NoticeWindow::actionRequested, this, &NoticePresenter::actionRequested);
        connect(window.get(), &NoticeWindow::postponeRequested, this, &NoticePresenter::postponeRequested);
        connect(window.get(), &NoticeWindow::dismissed, this, &NoticePresenter::dismissed);
    }
    return window.get();
}
