// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QFuture>
#include <QList>
#include <QMutex>
#include <QString>

#include "countdownrun.h"

#include <atomic>
#include <cstdint>
#include <memory>

class RefusalReport;
class RunWarning;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The main window: takes the delay and the action, counts down on a worker
// of the global thread pool and asks the operating system for the action.
class MainDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

private slots:
    void cancel();
    void go();
    void setHvalue(int);
    void setMvalue(int);
    void setDvalue(int);
    void shutdown();
    void shutdownApproved();
    void fAbortShutdown();
    void setMode(QString);
    void launchSettings();

private:
    void createWidgets();
    void setUpWidgets();
    void connectWidgets();
    void layOutWidgets();

    void startRun(std::uint32_t runLengthMs, std::uint64_t startMs);
    void postpone(std::uint32_t addedMs);
    void countdown(std::shared_ptr<CountdownRun> run, std::uint64_t start);
    void handOver(const std::shared_ptr<CountdownRun>& run, const CountdownRun::TimeLeft& timeLeft);
    void showTimeLeftOf(CountdownRun& run);
    void endRun(CountdownRun& run);
    std::uint32_t pauseLength(std::uint32_t remainingMs) const;
    void stopWorkers();
    QString currentMode() const;
    void requestReported(const QString& mode, std::uint64_t ticket);
    void requestFromPool(const QString& mode, std::uint64_t ticket);
    void retryRequest(const QString& mode);

    QPushButton* okButton;
    QPushButton* stopButton;
    QPushButton* settingsButton;
    QSpinBox* mSpinBox;
    QSpinBox* hSpinBox;
    QSpinBox* dSpinBox;
    QLabel* statusLabel;
    QComboBox* modeBox;
    RunWarning* warning;
    RefusalReport* report;

    // Written on the GUI thread, read by the worker at the end of a run.
    QString mode;
    mutable QMutex modeMutex;

    int hValue = 0;
    int mValue = 0;
    int dValue = 0;

    // go() stores targetMs before running, and cancel() clears running
    // before it zeroes targetMs; the worker reads targetMs first. With
    // sequentially consistent atomics a worker that meets a zeroed target
    // therefore always sees running already cleared.
    std::atomic<bool> running{false};
    QFuture<void> future;
    std::atomic<std::uint32_t> targetMs{0};

    // GUI thread only. The run that go() started last; stopping it tells its
    // worker it may no longer touch the label or act.
    std::shared_ptr<CountdownRun> currentRun;
    std::uint64_t runStartMs = 0;    // the moment of the countdown's clock its time counts from
    // Workers of replaced runs that may still be ending, and requests made
    // again from the report; waited for before the window goes away.
    QList<QFuture<void>> backgroundWorkers;
};
