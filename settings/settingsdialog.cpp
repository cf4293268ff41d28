// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsdialog.h"

#include "settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

settingsDialog::settingsDialog(QWidget* parent)
    : QDialog(parent)
{
    auto* mainLayout = new QVBoxLayout;
    auto* buttonRow = new QHBoxLayout;
    auto* form = new QFormLayout;
    createWidgets();
    setUpSleepSpinBox();
    setUpAlertTimeSpinBox();
    // Only now, so that the initial values above run no slot.
    connectWidgets();
    layOut(mainLayout, form, buttonRow);
    pendingSleepTime = sleepSpinBox->value();
}

void settingsDialog::createWidgets()
{
    sleepSpinBox = new QSpinBox;
    alertTimeSpinBox = new QSpinBox;
    acceptButton = new QPushButton(tr("Accept"));
    cancelButton = new QPushButton(tr("Cancel"));
    resetButton = new QPushButton(tr("Reset"));
    alertCheckBox = new QCheckBox;
    // Shows the flag the record holds, which is what "Accept" saves: a box
    // that always opened checked would show alerts on while saving them off.
    alertCheckBox->setChecked(settings.displayAlert);
}

void settingsDialog::setUpSleepSpinBox()
{
    sleepSpinBox->setMaximum(1000);
    sleepSpinBox->setMinimum(shortestSleepTimeMs);
    sleepSpinBox->setSingleStep(50);
    //: After the refresh interval: milliseconds.
    sleepSpinBox->setSuffix(tr("ms"));
    sleepSpinBox->setValue(settings.sleepTime);
    sleepSpinBox->setWhatsThis(tr("Frequency (in milliseconds) of time left refreshes.\n"
                                  " Note: Greater value means less CPU usage, but less accuracy."));
}

// alertTime is kept in minutes throughout, so it is shown unconverted, here
// and in Reset(). A value outside 1..10, such as the 5000 of a missing file,
// shows as the nearer bound.
void settingsDialog::setUpAlertTimeSpinBox()
{
    alertTimeSpinBox->setRange(1, 10);
    alertTimeSpinBox->setSingleStep(1);
    // The unit follows the count where the language wants it to, "1 Minute"
    // and "2 Minuten" in German; English keeps " Minutes" throughout.
    const auto showUnit = [this](int minutes) {
        //: After the alert time, a number of minutes from 1 to 10.
        alertTimeSpinBox->setSuffix(tr(" Minutes", nullptr, minutes));
    };
    connect(alertTimeSpinBox, &QSpinBox::valueChanged, this, showUnit);
    alertTimeSpinBox->setValue(settings.alertTime);
    showUnit(alertTimeSpinBox->value());
    alertTimeSpinBox->setWhatsThis(tr("Time between the alert and the system shutdown in minutes."));
}

void settingsDialog::connectWidgets()
{
    connect(sleepSpinBox, &QSpinBox::valueChanged, this, &settingsDialog::updateSBSTValue);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(resetButton, &QPushButton::clicked, this, &settingsDialog::Reset);
    connect(acceptButton, &QPushButton::clicked, this, &settingsDialog::Accept);
    connect(alertCheckBox, &QCheckBox::clicked, this, &settingsDialog::updateAlertBool);
    connect(alertTimeSpinBox, &QSpinBox::valueChanged, this, &settingsDialog::updateAlertTimeValue);
}

void settingsDialog::layOut(QVBoxLayout* mainLayout, QFormLayout* form, QHBoxLayout* buttonRow)
{
    //: The time between two refreshes of the status line.
    form->addRow(tr("Sleep time: "), sleepSpinBox);
    form->addRow(tr("Display alert: "), alertCheckBox);
    //: How long before the action the warning comes.
    form->addRow(tr("Alert time: "), alertTimeSpinBox);
    buttonRow->addWidget(acceptButton);
    buttonRow->addWidget(resetButton);
    buttonRow->addWidget(cancelButton);
    mainLayout->addLayout(form);
    mainLayout->addLayout(buttonRow);
    // The dialog takes ownership of every widget and layout here.
    setLayout(mainLayout);
}

void settingsDialog::updateSBSTValue(int value)
{
    pendingSleepTime = value;
}

void settingsDialog::updateAlertBool(bool checked)
{
    settings.displayAlert = checked;
}

void settingsDialog::Accept()
{
    saveSettings(pendingSleepTime, settings.displayAlert, settings.alertTime, this);
    close();
}

// Setting a spin box runs its valueChanged slot whenever the shown value
// changes; setting the check box emits no clicked(), so updateAlertBool()
// stays out of it.
void settingsDialog::Reset()
{
    sleepSpinBox->setValue(settings.sleepTime);
    alertTimeSpinBox->setValue(settings.alertTime);
    alertCheckBox->setChecked(settings.displayAlert);
}

void settingsDialog::updateAlertTimeValue(int minutes)
{
    settings.alertTime = minutes;
}
