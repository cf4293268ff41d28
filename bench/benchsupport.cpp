// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchsupport.h"

#include "maindialog.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QPushButton>
#include <QSpinBox>

#include <cstdio>

namespace Bench {

std::int64_t nowNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

OffscreenApplication::OffscreenApplication(char* program)
    : argv{program, platformOption, platformName, nullptr}
    , application(argc, argv)
{
}

// The window's members are private; its widgets are found by what the user
// sees of them.
static QSpinBox* spinBoxWithSuffix(MainDialog& dialog, const char* suffix)
{
    for (QSpinBox* box : dialog.findChildren<QSpinBox*>()) {
        if (box->suffix() == QLatin1String(suffix))
            return box;
    }
    qFatal("the main window has no spin box with the suffix \"%s\"", suffix);
}

void setDelay(MainDialog& dialog, int days, int hours, int minutes)
{
    spinBoxWithSuffix(dialog, " d")->setValue(days);
    spinBoxWithSuffix(dialog, " h")->setValue(hours);
    spinBoxWithSuffix(dialog, " m")->setValue(minutes);
}

void pressOk(MainDialog& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String("Ok") && button->isEnabled()) {
            button->click();
            return;
        }
    }
    qFatal("the main window has no enabled \"Ok\" button");
}

void printJson(const QJsonObject& result)
{
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
}

void ExitWaiter::reset()
{
    std::lock_guard<std::mutex> lock(mutex);
    made = 0;
}

void ExitWaiter::notifyExit()
{
    std::lock_guard<std::mutex> lock(mutex);
    ++made;
    if (loop && made >= expected)
        QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
}

// A request made after `loop` is set but before exec() starts still ends the
// loop: the queued quit waits in the event queue until exec() takes it.
void ExitWaiter::waitFor(std::size_t count)
{
    QEventLoop eventLoop;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (made >= count)
            return;
        expected = count;
        loop = &eventLoop;
    }
    eventLoop.exec();
    std::lock_guard<std::mutex> lock(mutex);
    loop = nullptr;
}

}
