// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of the GUI thread's share of a countdown: the floor dialog whose
// status line gets a new "Time left:" text once a second from a timer of
// the GUI thread itself, with no worker and no hand-over between threads.
#include "floordialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

namespace {

constexpr qint64 runLengthMs = 10 * 60 * 1000;

QString timeLeft(qint64 remainingMs)
{
    return QStringLiteral("Time left:%1 days, %2 hours, %3 minutes and %4 seconds")
        .arg(remainingMs / 86400000)
        .arg(remainingMs % 86400000 / 3600000)
        .arg(remainingMs % 3600000 / 60000)
        .arg(remainingMs % 60000 / 1000);
}

}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FloorDialog dialog;
    QElapsedTimer clock;
    clock.start();
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &dialog, [&] {
        dialog.statusLabel()->setText(timeLeft(runLengthMs - clock.elapsed()));
    });
    refresh.start(1000);
    return dialog.exec();
}
