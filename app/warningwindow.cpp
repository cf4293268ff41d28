// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "warningwindow.h"

#include "namedregion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WarningWindow::WarningWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , messageLabel(new QLabel)
    , stopButton(new QPushButton(QStringLiteral("Stop countdown")))
    , dismissButton(new QPushButton(QStringLiteral("Dismiss")))
{
    setWindowTitle(QStringLiteral("Velmora"));
    setModal(false);
    connect(stopButton, &QPushButton::clicked, this, &WarningWindow::stopRequested);
    connect(dismissButton, &QPushButton::clicked, this, &QDialog::hide);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(stopButton);
    buttonRow->addWidget(dismissButton);
    auto* mainLayout = new QVBoxLayout;
    mainLayout->addWidget(namedRegion(messageLabel, QStringLiteral("Warning")));
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);
}

void WarningWindow::setMessage(const QString& message)
{
    messageLabel->setText(message);
}
