// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "runwarning.h"
#include "settings.h"
#include "warningwindow.h"
#include "waituntil.h"
#include "widgetfinder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>


namespace {

// Drives a run pass by pass: each step ends the held pause and waits until
// the worker holds the next one, or has ended.
class SteppedRun
{
public:
    SteppedRun(MainDialog& dialog, int minutes)
        : dialog(dialog)
    {
        // A worker stopped just before must have left its pause first.
        waitUntil([] { return fakePlatform().heldPauseCount() == 0; });
        spinBoxWithSuffix(&dialog, " m")->setValue(minutes);
        QTest::mouseClick(childWithText<QPushButton>(&dialog, "Ok"), Qt::LeftButton);
        waitForNextPass();
    }

    void step()
    {
        const int ended = fakePlatform().endedPauseCount();
        fakePlatform().releasePauses();
        waitUntil([ended] { return fakePlatform().endedPauseCount() != ended; });
        waitForNextPass();
    }

    WarningWindow* warning() const { return dialog.findChild<WarningWindow*>(); }
    bool warningShown() const { return warning() && warning()->isVisible(); }
    QString warningText() const { return warning()->findChild<QLabel*>()->text(); }

private:
    void waitForNextPass()
    {
        waitUntil([] { return fakePlatform().heldPauseCount() != 0 || !fakePlatform().exitRequests().empty(); });
        // Lets the GUI thread take the text the worker handed over.
        QCoreApplication::processEvents();
    }

    MainDialog& dialog;
};

}

class RunWarningTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void messageNamesActionAndTime_data();
    void messageNamesActionAndTime();

    void warnsOnceWhenTimeLeftReachesLeadTime();
    void leadTimeIsHeldWithinOneToTenMinutes_data();
    void leadTimeIsHeldWithinOneToTenMinutes();
    void noWarningWhenDisabledOrRunNoLongerThanLead_data();
    void noWarningWhenDisabledOrRunNoLongerThanLead();
    void stopInWarningCancelsLikeStopButton();
    void dismissedWarningStaysAwayForThatRun();
    void stopOrReplacingRunWithdrawsWarning();
    void alertChangedDuringRunAppliesToIt();
};

void RunWarningTest::init()
{
    fakePlatform().reset();
    fakePlatform().holdPauses(true);
    settings.sleepTime = 30000;
    settings.displayAlert = true;
    settings.alertTime = 1;
}

void RunWarningTest::cleanup()
{
    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();
}

void RunWarningTest::messageNamesActionAndTime_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<quint32>("remainingMs");
    QTest::addColumn<QString>("message");

    QTest::newRow("whole minutes") << 0x11u << 300000u << "Shutdown in 5 minutes.";
    QTest::newRow("minutes and seconds") << 0x12u << 299000u << "Reboot in 4 minutes 59 seconds.";
    QTest::newRow("just below the lead time reads as the lead")
        << 0x11u << 59999u << "Shutdown in 1 minute.";
    QTest::newRow("singular units") << 0x10u << 61000u << "Log off in 1 minute 1 second.";
    QTest::newRow("seconds only") << 0x11u << 42000u << "Shutdown in 42 seconds.";
    QTest::newRow("below a second") << 0x11u << 1u << "Shutdown in 1 second.";
}

void RunWarningTest::messageNamesActionAndTime()
{
    QFETCH(quint32, flags);
    QFETCH(quint32, remainingMs);
    QFETCH(QString, message);
    QCOMPARE(warningMessage(flags, remainingMs), message);
}

void RunWarningTest::warnsOnceWhenTimeLeftReachesLeadTime()
{
    MainDialog dialog;
    dialog.findChild<QComboBox*>()->setCurrentText("Reboot");
    SteppedRun run(dialog, 2);
    QVERIFY(!run.warningShown());    // 2 minutes left
    run.step();
    QVERIFY(!run.warningShown());    // 1:30 left
    run.step();
    QVERIFY(run.warningShown());     // 1:00 left: the lead time
    QCOMPARE(run.warningText(), QStringLiteral("Reboot in 1 minute."));
    QVERIFY(run.warning()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!run.warning()->isModal());
    run.step();
    QCOMPARE(run.warningText(), QStringLiteral("Reboot in 30 seconds."));
    QCOMPARE(dialog.findChildren<WarningWindow*>().size(), 1);

    run.step();    // expiry
    QCOMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QTRY_VERIFY(!run.warningShown());
}

void RunWarningTest::leadTimeIsHeldWithinOneToTenMinutes_data()
{
    QTest::addColumn<int>("alertTime");
    QTest::addColumn<int>("leadMinutes");

    QTest::newRow("missing file's 5000") << 5000 << 10;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -7 << 1;
    QTest::newRow("within range") << 4 << 4;
}

void RunWarningTest::leadTimeIsHeldWithinOneToTenMinutes()
{
    QFETCH(int, alertTime);
    QFETCH(int, leadMinutes);
    settings.alertTime = alertTime;
    settings.sleepTime = 60000;

    MainDialog dialog;
    SteppedRun run(dialog, 11);
    for (int minutesLeft = 11; minutesLeft > leadMinutes; --minutesLeft) {
        QVERIFY2(!run.warningShown(), qPrintable(QString::number(minutesLeft)));
        run.step();
    }
    QVERIFY(run.warningShown());
    QCOMPARE(dialog.findChild<QLabel*>()->text(),
             QStringLiteral("Time left:0 days, 0 hours, %1 minutes and 0 seconds").arg(leadMinutes));
}

void RunWarningTest::noWarningWhenDisabledOrRunNoLongerThanLead_data()
{
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<int>("alertTime");
    QTest::addColumn<int>("minutes");

    QTest::newRow("alert off") << false << 1 << 2;
    QTest::newRow("run as long as the lead") << true << 1 << 1;
    // 5000, the value of a missing settings file, reads as the longest lead.
    QTest::newRow("run as long as the longest lead") << true << 5000 << 10;
}

void RunWarningTest::noWarningWhenDisabledOrRunNoLongerThanLead()
{
    QFETCH(bool, displayAlert);
    QFETCH(int, alertTime);
    QFETCH(int, minutes);
    settings.displayAlert = displayAlert;
    settings.alertTime = alertTime;
    settings.sleepTime = 60000;

    MainDialog dialog;
    SteppedRun run(dialog, minutes);
    while (fakePlatform().exitRequests().empty()) {
        QVERIFY(!run.warningShown());
        run.step();
    }
    QVERIFY(!run.warningShown());
}

void RunWarningTest::stopInWarningCancelsLikeStopButton()
{
    MainDialog dialog;
    SteppedRun run(dialog, 2);
    run.step();
    run.step();
    QVERIFY(run.warningShown());

    QTest::mouseClick(childWithText<QPushButton>(run.warning(), "Stop countdown"), Qt::LeftButton);
    QVERIFY(!run.warningShown());
    QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Timer reset."));
    QVERIFY(childWithText<QPushButton>(&dialog, "Ok")->isEnabled());
    QVERIFY(!childWithText<QPushButton>(&dialog, "STOP!")->isEnabled());
    QVERIFY(fakePlatform().exitRequests().empty());
}

void RunWarningTest::dismissedWarningStaysAwayForThatRun()
{
    MainDialog dialog;
    SteppedRun run(dialog, 2);
    run.step();
    run.step();
    QTest::mouseClick(childWithText<QPushButton>(run.warning(), "Dismiss"), Qt::LeftButton);
    QVERIFY(!run.warningShown());
    run.step();
    QVERIFY(!run.warningShown());

    // The next run warns again.
    QTest::mouseClick(childWithText<QPushButton>(&dialog, "STOP!"), Qt::LeftButton);
    SteppedRun next(dialog, 2);
    next.step();
    next.step();
    QVERIFY(next.warningShown());
}

void RunWarningTest::stopOrReplacingRunWithdrawsWarning()
{
    MainDialog dialog;
    SteppedRun run(dialog, 2);
    run.step();
    run.step();
    QVERIFY(run.warningShown());

    QTest::mouseClick(childWithText<QPushButton>(&dialog, "STOP!"), Qt::LeftButton);
    QVERIFY(!run.warningShown());

    // A run of one minute is no longer than the lead: no warning, and none
    // left over from the run before.
    SteppedRun shortRun(dialog, 1);
    shortRun.step();
    QVERIFY(!shortRun.warningShown());
}

// The settings dialog changes the alert at once, during a run: it used to
// take effect only from the next "Ok".
void RunWarningTest::alertChangedDuringRunAppliesToIt()
{
    settings.displayAlert = false;
    MainDialog dialog;
    SteppedRun run(dialog, 5);
    run.step();
    QVERIFY(!run.warningShown());    // 4:30 left

    settings.displayAlert = true;
    settings.alertTime = 5;
    run.step();
    QVERIFY(run.warningShown());    // 4:00 left, within the raised lead
    QCOMPARE(run.warningText(), QStringLiteral("Shutdown in 4 minutes."));

    settings.displayAlert = false;
    run.step();
    QVERIFY(!run.warningShown());
}

QTEST_MAIN(RunWarningTest)
#include "tst_runwarning.moc"
