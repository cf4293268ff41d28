// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>

// Runs work from the GUI thread's event loop, whichever thread asks: the
// platform answers on threads of its own, and widgets live on the GUI
// thread. The application object outlives every window, so it is a safe
// target; the work itself must check that what it touches still exists.
template<typename Work>
void onGuiThread(Work work)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}
