// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedregion.h"

#include <QHBoxLayout>
#include <QLabel>

QWidget* namedRegion(QLabel* label, const QString& name)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    auto* region = new QWidget;
    region->setAccessibleName(name);
    region->setLayout(layout);
    return region;
}
