// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QTemporaryDir>

// settings.dat lives in the working directory: each test gets an empty one
// of its own, and the old one back when it ends.
class TemporaryWorkDir
{
public:
    TemporaryWorkDir()
        : previous(QDir::currentPath())
    {
        entered = dir.isValid() && QDir::setCurrent(dir.path());
    }
    ~TemporaryWorkDir() { QDir::setCurrent(previous); }
    TemporaryWorkDir(const TemporaryWorkDir&) = delete;
    TemporaryWorkDir& operator=(const TemporaryWorkDir&) = delete;

    bool isEntered() const { return entered; }

private:
    QString previous;
    QTemporaryDir dir;
    bool entered = false;
};
