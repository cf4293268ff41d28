// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticeaccessible.h"

#include "noticewindow.h"

#include <QAccessibleWidget>
#include <QtGlobal>

namespace {

// The description is read afresh when asked for, and no change of it is
// announced: the warning's message counts down every second, and a screen
// reader that spoke each refresh would drown everything else.
class NoticeAccessible : public QAccessibleWidget
{
public:
    explicit NoticeAccessible(NoticeWindow* window)
        : QAccessibleWidget(window, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const auto* window = static_cast<const NoticeWindow*>(widget());
        switch (kind) {
        case QAccessible::Name:
            return window->windowTitle();
        case QAccessible::Description:
            return window->message();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* noticeInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("NoticeWindow") && object && object->isWidgetType())
        return new NoticeAccessible(static_cast<NoticeWindow*>(object));
    return nullptr;
}

}

void exposeNoticesAsNotifications()
{
    static const bool installed = (QAccessible::installFactory(noticeInterface), true);
    Q_UNUSED(installed);
}

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
