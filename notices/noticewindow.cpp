// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticewindow.h"

#include "namedregion.h"
#include "noticeannouncement.h"
#include "windowgroup.h"
#include "xwaylandsession.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Run through XWayland, GNOME Shell announces a dialog that maps without
// the keyboard with a banner of its own ("… is ready"), which can hold the
// warning's own banner back for good when animations are off; a utility
// window gets none. Everywhere else the window stays a dialog.
Qt::WindowType noticeWindowType()
{
    const bool throughXWayland =
        QGuiApplication::platformName() == QLatin1String("xcb") && sessionOffersXWayland();
    return throughXWayland ? Qt::Tool : Qt::Dialog;
}

// A notice is put away with its buttons or the close button; minimizing or
// maximizing a window this small has no use.
constexpr Qt::WindowFlags titleBarWithCloseOnly =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The width a title bar needs to show title whole. Qt cannot ask most
// desktops for their title font, which is often larger and bold (GNOME's is
// 11 pt bold), so the measure errs on the wide side. The room beside it
// holds the close button and the margins, twice over where the title is
// centred.
int titleBarWidth(const QString& title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), 11.0));
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + 6 * metrics.height();
}

}

NoticeWindow::NoticeWindow(const QString& regionName, const QString& actionText, const QString& postponeText,
                           const QString& dismissText)
    : QDialog(nullptr, noticeWindowType() | titleBarWithCloseOnly | Qt::WindowStaysOnTopHint)
    , messageLabel(new QLabel)
    , actionButton(new QPushButton(actionText))
    , postponeButton(postponeText.isEmpty() ? nullptr : new QPushButton(postponeText))
    , dismissButton(new QPushButton(dismissText))
{
    setWindowTitle(tr("Velmora"));
    setModal(false);
    // Where the window system lets a window map without the keyboard, the
    // user's typing stays where it was going.
    setAttribute(Qt::WA_ShowWithoutActivating);
    leaveWindowGroup(this);
    // A reason from the system may be long: it wraps, at a width that
    // still reads as a line.
    messageLabel->setWordWrap(true);
    messageLabel->setMinimumWidth(messageLabel->fontMetrics().averageCharWidth() * 60);
    // Tab still reaches the message, so a screen reader reads it first.
    messageLabel->setFocusPolicy(Qt::TabFocus);
    auto* buttonRow = new QHBoxLayout;
    for (QPushButton* button : {actionButton, postponeButton, dismissButton}) {
        if (!button)
            continue;
        button->setAutoDefault(false);
        button->setDefault(false);
        buttonRow->addWidget(button);
    }
    connect(actionButton, &QPushButton::clicked, this, &NoticeWindow::actionRequested);
    if (postponeButton)
        connect(postponeButton, &QPushButton::clicked, this, &NoticeWindow::postponeRequested);
    connect(dismissButton, &QPushButton::clicked, this, [this] {
        hide();
        emit dismissed();
    });

    auto* mainLayout = new QVBoxLayout;
    mainLayout->addWidget(namedRegion(messageLabel, regionName));
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);
}

void NoticeWindow::setMessage(const QString& message)
{
    messageLabel->setText(message);
}

QString NoticeWindow::message() const
{
    return messageLabel->text();
}

void NoticeWindow::setSubject(const QString& subject)
{
    //: A notice's title: %1 says what it is about, "Shutdown in 5 minutes" or "Shutdown not done".
    setWindowTitle(tr("%1 \u2013 Velmora").arg(subject));
    // A minimum set here replaces the layout's, so it keeps the layout's
    // too. It grows only: a window that narrows as the minutes count down
    // jumps.
    const int needed = std::max(layout()->totalMinimumSize().width(), titleBarWidth(windowTitle()));
    setMinimumWidth(std::max(minimumWidth(), needed));
}

void NoticeWindow::present()
{
    const bool appearing = !isVisible();
    showInFront();
    if (appearing)
        makeKnown();
}

void NoticeWindow::showInFront()
{
    if (!isVisible())
        messageLabel->setFocus(Qt::OtherFocusReason);
    show();
    raise();
}

// Windows gives a window shown without the keyboard neither a flash of its
// taskbar button nor a word to the screen reader. The alert takes no focus.
// Elsewhere the desktop tells of it already: an X11 window asking for
// attention even gets a second banner from GNOME Shell.
void NoticeWindow::makeKnown()
{
    announceNotice(this, windowTitle() + QLatin1Char('\n') + message());
#ifdef Q_OS_WIN
    QApplication::alert(this);
#endif
}

void NoticeWindow::bringBack(const QString& activationToken)
{
    // Qt's Wayland client spends the token in this variable on the next
    // activation, then clears it.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    // Taking the keyboard, it is read out as any window that gains it.
    showInFront();
    activateWindow();
}
