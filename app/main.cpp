// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopintegration.h"
#include "maindialog.h"
#include "settings.h"
#include "translators.h"

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// Longer than any wait of a healthy ending: a worker's last question of a
// slow bus, the notification's closing.
constexpr std::chrono::seconds exitGrace{10};

// The destructors wait for the threads of the pools and of QtDBus. A thread
// caught connecting to a bus that stalled just after its check (libdbus's
// handshake has no deadline) holds them for ever, so the process then leaves
// without them: the settings were saved when their dialog was accepted, and
// a stopped run sends nothing, so nothing is left to write or to ask.
void leaveWithin(std::chrono::seconds grace, int exitCode)
{
    std::thread([grace, exitCode] {
        std::this_thread::sleep_for(grace);
        std::_Exit(exitCode);
    }).detach();
}

}

int main(int argc, char* argv[])
{
    loadSettings();
    chooseWindowSystem();
    QApplication application(argc, argv);
    installTranslators(application);
    integrateWithDesktop();
    MainDialog dialog;
    const int exitCode = dialog.exec();
    leaveWithin(exitGrace, exitCode);
    return exitCode;
}
