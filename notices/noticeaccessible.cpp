// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticeaccessible.h"

#include "noticewindow.h"

#include <QAccessibleWidget>

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
