// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <time.h>

class MainDialog;
class QEventLoop;

namespace Bench {

std::int64_t nowNs(clockid_t clock);

// The application object of a benchmark whose windows are never shown.
class OffscreenApplication
{
public:
    explicit OffscreenApplication(char* program);

private:
    int argc = 3;
    char platformOption[10] = "-platform";
    char platformName[10] = "offscreen";
    char* argv[4];
    QApplication application;
};

// Chooses the delay on the window's spin boxes and presses its "Ok" button,
// as a user would.
void setDelay(MainDialog& dialog, int days, int hours, int minutes);
void pressOk(MainDialog& dialog);

void printJson(const QJsonObject& result);

// Keeps the GUI thread in its event loop, where the real program spends a
// countdown, until the workers have made a given number of exit requests.
class ExitWaiter
{
public:
    void reset();
    // Any thread: one more exit request was made.
    void notifyExit();
    // GUI thread: returns once `count` requests were made since reset().
    void waitFor(std::size_t count);

private:
    std::mutex mutex;
    std::size_t made = 0;
    std::size_t expected = 0;
    QEventLoop* loop = nullptr;
};

}
