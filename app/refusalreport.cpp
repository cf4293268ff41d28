// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusalreport.h"

#include "desktopnotification.h"
#include "noticewindow.h"
#include "poweractions.h"

namespace {

QString notDone(const QString& mode)
{
    return QStringLiteral("%1 not done").arg(PowerActions::actionName(PowerActions::exitFlagsFor(mode)));
}

QString answered(const QString& reason)
{
    return QStringLiteral("The system answered: %1").arg(reason);
}

}

QString refusalMessage(const QString& mode, const QString& reason)
{
    return notDone(mode) + QStringLiteral(".\n") + answered(reason);
}

RefusalReport::RefusalReport(QObject* parent)
    : QObject(parent)
    , notification(new DesktopNotification(QStringLiteral("retry"), QStringLiteral("Try again"), this))
{
    connect(notification, &DesktopNotification::actionChosen, this, &RefusalReport::retry);
}

RefusalReport::~RefusalReport() = default;

std::uint64_t RefusalReport::requestTicket() const
{
    return withdrawals;
}

void RefusalReport::show(const QString& mode, const QString& reason, std::uint64_t ticket)
{
    if (ticket != withdrawals)
        return;
    refusedMode = mode;
    NoticeWindow* shown = reportWindow();
    shown->setMessage(refusalMessage(mode, reason));
    shown->present();
    notification->show(notDone(mode), answered(reason));
}

void RefusalReport::withdraw()
{
    ++withdrawals;
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
