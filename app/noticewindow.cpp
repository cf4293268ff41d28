// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticewindow.h"

#include "namedregion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoticeWindow::NoticeWindow(const QString& regionName, const QString& actionText, const QString& dismissText)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , messageLabel(new QLabel)
    , actionButton(new QPushButton(actionText))
    , dismissButton(new QPushButton(dismissText))
{
    setWindowTitle(QStringLiteral("Velmora"));
    setModal(false);
    // A reason from the system may be long: it wraps, at a width that
    // still reads as a line.
    messageLabel->setWordWrap(true);
    messageLabel->setMinimumWidth(messageLabel->fontMetrics().averageCharWidth() * 60);
    connect(actionButton, &QPushButton::clicked, this, &NoticeWindow::actionRequested);
    connect(dismissButton, &QPushButton::clicked, this, &QDialog::hide);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(actionButton);
    buttonRow->addWidget(dismissButton);
    auto* mainLayout = new QVBoxLayout;
    mainLayout->addWidget(namedRegion(messageLabel, regionName));
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);
}

void NoticeWindow::setMessage(const QString& message)
{
    messageLabel->setText(message);
}

void NoticeWindow::present()
{
    show();
    raise();
}
