// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maindialog.h"

#include "actionnames.h"
#include "namedregion.h"
#include "refusalreport.h"
#include "runwarning.h"
#include "settingsdialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent)
{
    createWidgets();
    setUpWidgets();
    connectWidgets();
    layOutWidgets();
    setWindowTitle(tr("Velmora"));
    // exec() would make the window modal to the whole program, blocking the
    // warning and the report, which are windows of their own. Modal to
    // itself alone, it blocks nothing else.
    setWindowModality(Qt::WindowModal);
}

MainDialog::~MainDialog()
{
    stopWorkers();
}

// Widgets are created without a parent; installing the layout in
// layOutWidgets() hands them all to the dialog, which frees them.
void MainDialog::createWidgets()
{
    hSpinBox = new QSpinBox;
    mSpinBox = new QSpinBox;
    dSpinBox = new QSpinBox;
    okButton = new QPushButton(tr("Ok"));
    stopButton = new QPushButton(tr("STOP!"));
    statusLabel = new QLabel;
    settingsButton = new QPushButton(tr("Settings"));
    modeBox = new QComboBox;
    warning = new RunWarning(this);
    report = new RefusalReport(this);
}

void MainDialog::setUpWidgets()
{
    statusLabel->setText(tr("Timer not started..."));
    //: After the number of hours in the delay.
    hSpinBox->setSuffix(tr(" h"));
    hSpinBox->setRange(0, 23);
    hSpinBox->setAccessibleName(tr("Hours"));
    //: After the number of minutes in the delay.
    mSpinBox->setSuffix(tr(" m"));
    mSpinBox->setRange(0, 59);
    mSpinBox->setAccessibleName(tr("Minutes"));
    //: After the number of days in the delay.
    dSpinBox->setSuffix(tr(" d"));
    dSpinBox->setRange(0, 38);
    dSpinBox->setToolTip(tr("Maximum is 38 days."));
    dSpinBox->setAccessibleName(tr("Days"));

    // The first item is selected before setMode() is connected, so `mode`
    // stays empty until the user picks an entry; empty means shutdown.
    modeBox->setEditable(false);
    // Qt on Linux names a list by its chosen entry whatever is set here; the
    // name reaches screen readers on Windows.
    modeBox->setAccessibleName(tr("Action"));
    for (const std::uint32_t flags : PowerActions::entryFlags)
        modeBox->addItem(PowerActions::shownActionName(flags), flags);

    stopButton->setEnabled(false);
}

void MainDialog::connectWidgets()
{
    connect(stopButton, &QPushButton::clicked, this, &MainDialog::cancel);
    connect(okButton, &QPushButton::clicked, this, &MainDialog::go);
    connect(hSpinBox, &QSpinBox::valueChanged, this, &MainDialog::setHvalue);
    connect(mSpinBox, &QSpinBox::valueChanged, this, &MainDialog::setMvalue);
    connect(dSpinBox, &QSpinBox::valueChanged, this, &MainDialog::setDvalue);
    connect(settingsButton, &QPushButton::clicked, this, &MainDialog::launchSettings);
    // The entry's flags, not its words, tell the action: the words are in the
    // user's language, and the mode is kept by its English name.
    connect(modeBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        setMode(PowerActions::actionName(modeBox->itemData(index).toUInt()));
    });
    connect(warning, &RunWarning::stopRequested, this, &MainDialog::cancel);
    connect(warning, &RunWarning::postponeRequested, this, &MainDialog::postpone);
    connect(report, &RefusalReport::retryRequested, this, &MainDialog::retryRequest);
    connect(warning, &RunWarning::prospectLearned, report, &RefusalReport::rememberProspect);
    // Closing the window ends a run as "STOP!" would, so that the process
    // exits at once instead of lingering until the action.
    connect(this, &QDialog::finished, this, &MainDialog::stopWorkers);
}

void MainDialog::layOutWidgets()
{
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(dSpinBox);
    delayRow->addWidget(hSpinBox);
    delayRow->addWidget(mSpinBox);
    delayRow->addWidget(okButton);
    delayRow->addWidget(stopButton);

    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(modeBox);
    actionRow->addWidget(settingsButton);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(namedRegion(statusLabel, tr("Status")));

    auto* mainLayout = new QVBoxLayout;
    mainLayout->addLayout(delayRow);
    mainLayout->addLayout(actionRow);
    mainLayout->addLayout(statusRow);
    setLayout(mainLayout);
}

void MainDialog::setHvalue(int hours)
{
    hValue = hours;
}

void MainDialog::setMvalue(int minutes)
{
    mValue = minutes;
}

void MainDialog::setDvalue(int days)
{
    dValue = days;
}

void MainDialog::setMode(QString text)
{
    QMutexLocker lock(&modeMutex);
    mode = text;
}

QString MainDialog::currentMode() const
{
    QMutexLocker lock(&modeMutex);
    return mode;
}

// Modal to this window alone: the warning and the report, windows of their
// own, still take clicks while the settings are open.
void MainDialog::launchSettings()
{
    settingsDialog dialog(this);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}
