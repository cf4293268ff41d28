// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticeannouncement.h"

#include <QAccessible>
#include <QString>
#include <QWidget>
#include <QtGlobal>

void announceNotice(QWidget* notice, const QString& text)
{
#ifdef Q_OS_WIN
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(notice, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
#else
    // Qt raises a text value change as a UI Automation notification, the
    // one way before 6.8 to have Narrator speak unasked.
    QAccessibleValueChangeEvent event(notice, text);
#endif
    QAccessible::updateAccessibility(&event);
#else
    Q_UNUSED(notice);
    Q_UNUSED(text);
#endif
}
