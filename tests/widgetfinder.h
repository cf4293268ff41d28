// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSpinBox>
#include <QString>

// Finds controls the way a user does: by the text they show.

template<typename Widget>
Widget* childWithText(const QObject* parent, const QString& text)
{
    for (auto* candidate : parent->findChildren<Widget*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

inline QSpinBox* spinBoxWithSuffix(const QObject* parent, const QString& suffix)
{
    for (auto* candidate : parent->findChildren<QSpinBox*>()) {
        if (candidate->suffix() == suffix)
            return candidate;
    }
    return nullptr;
}
