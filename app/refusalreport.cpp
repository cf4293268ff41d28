// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusalreport.h"

#include "desktopnotification.h"
#include "noticewindow.h"
#include "poweractions.h"

QString refusalMessage(const QString& mode, const QString& reason)
{
    return QStringLiteral("%1 not done. The system answered: %2")
        .arg(PowerActions::actionName(PowerActions::exitFlagsFor(mode)), reason);
}

RefusalReport::RefusalReport(QObject* parent)
    : QObject(parent)
    , notification(new DesktopNotification(QStringLiteral("retry"), QStringLiteral("Try again"), this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &RefusalReport::retry);
}

RefusalReport::~RefusalReport() = default;

void RefusalReport::show(const QString& mode, const QString& reason)
{
    refusedMode = mode;
    NoticeWindow* shown = reportWindow();
    shown->setMessage(refusalMessage(mode, reason));
    shown->present();
    notification->show(QStringLiteral("%1 not done").arg(PowerActions::actionName(PowerActions::exitFlagsFor(mode))),
                       QStringLiteral("The system answered: %1").arg(reason));
}

void RefusalReport::withdraw()
{
    if (window)
        window->hide();
    notification->close();
}

// The report goes away while the request is made again; a new refusal
// brings it back.
void RefusalReport::retry()
{
    withdraw();
    emit retryRequested(refusedMode);
}

NoticeWindow* RefusalReport::reportWindow()
{
    if (!window) {
        window = std::make_unique<NoticeWindow>(QStringLiteral("Report"), QStringLiteral("Try again"),
                                                QStringLiteral("Close"));
        connect(window.get(), &NoticeWindow::actionRequested, this, &RefusalReport::retry);
    }
    return window.get();
}
