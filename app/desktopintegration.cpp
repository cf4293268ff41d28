// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopintegration.h"

#include "xwaylandsession.h"

#include <QGuiApplication>
#include <QIcon>
#include <QTimer>
#include <QWindow>

namespace {

// Looking the icon up in the theme and turning every size of it into the
// pixels of _NET_WM_ICON takes about as long as the rest of the start-up.
// Task bars and window switchers take a changed icon as they take the
// first one, so the window shows its first frame without it and gets it
// straight after.
class IconAfterFirstFrame : public QObject
{
public:
    explicit IconAfterFirstFrame(const QString& iconName)
        : QObject(QCoreApplication::instance()), m_iconName(iconName)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow*>(watched)->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // The window paints its first frame as it handles this event.
            QTimer::singleShot(0, this, [this] {
                setIcon();
                deleteLater();
            });
        }
        return false;
    }

private:
    // The icon theme's icon is the one the menu shows, in every size; the
    // embedded one stands in where the theme lacks it, as in a build that
    // is not installed.
    void setIcon() const
    {
        QGuiApplication::setWindowIcon(
            QIcon::fromTheme(m_iconName, QIcon(QStringLiteral(":/images/icon.png"))));
    }

    const QString m_iconName;
};

} // namespace

void chooseWindowSystem()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // A Wayland client cannot map a window without taking the keyboard,
    // nor keep it above the others: the warning would take what the user
    // is typing elsewhere, and go under the next window clicked. Through
    // XWayland it is an X11 window, shown without the keyboard and kept
    // above, so Velmora runs there when the session offers it, and on
    // Wayland when the X11 display cannot be reached. A platform the user
    // has chosen stands.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && sessionOffersXWayland())
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
#endif
}

void integrateWithDesktop()
{
    const QString appId = QStringLiteral("io.github.velmora.Velmora");
    // Wayland has no window class: the compositor finds the icon and name
    // through the desktop file this names.
    QGuiApplication::setDesktopFileName(appId);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // On X11 Qt gives a window no icon of its own, so task bars and window
    // switchers would show a generic one. Windows takes the executable's
    // icon instead.
    new IconAfterFirstFrame(appId);
#endif
}
