// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// Views and edits the settings. The refresh interval is only staged here and
// applies from the next start; the alert values take effect at once.
class settingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit settingsDialog(QWidget* parent = nullptr);

private slots:
    void updateSBSTValue(int value);
    void updateAlertBool(bool);
    void Accept();
    void Reset();
    void updateAlertTimeValue(int);

private:
    void createWidgets();
    void setUpSleepSpinBox();
    void setUpAlertTimeSpinBox();
    void connectWidgets();
    void layOut(QVBoxLayout* mainLayout, QFormLayout* form, QHBoxLayout* buttonRow);

    QSpinBox* sleepSpinBox;
    QSpinBox* alertTimeSpinBox;
    QCheckBox* alertCheckBox;
    QPushButton* acceptButton;
    QPushButton* resetButton;
    QPushButton* cancelButton;
    // What Accept() saves; always the value sleepSpinBox shows.
    std::int32_t pendingSleepTime;
};
