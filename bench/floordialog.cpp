// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "floordialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* spinBox(const char* suffix, int maximum)
{
    auto* box = new QSpinBox;
    box->setSuffix(QString::fromLatin1(suffix));
    box->setRange(0, maximum);
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

}

FloorDialog::FloorDialog()
{
    QSpinBox* hours = spinBox(" h", 23);
    QSpinBox* minutes = spinBox(" m", 59);
    QSpinBox* days = spinBox(" d", 38);
    auto* ok = new QPushButton(QStringLiteral("Ok"));
    auto* stop = new QPushButton(QStringLiteral("STOP!"));
    status = new QLabel(QStringLiteral("Timer not started..."));
    auto* settings = new QPushButton(QStringLiteral("Settings"));
    auto* mode = new QComboBox;
    days->setToolTip(QStringLiteral("Maximum is 38 days."));
    mode->addItems({QStringLiteral("Shutdown"), QStringLiteral("Reboot"), QStringLiteral("Log off")});
    stop->setEnabled(false);

    auto* mainLayout = new QVBoxLayout;
    mainLayout->addLayout(row({days, hours, minutes, ok, stop}));
    mainLayout->addLayout(row({mode, settings}));
    mainLayout->addLayout(row({status}));
    setLayout(mainLayout);
    setWindowTitle(QStringLiteral("Velmora floor"));
}
