// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "settings.h"
#include "waituntil.h"
#include "widgetfinder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QThreadPool>
#include <QTimer>


namespace {

constexpr std::uint64_t longestDelayMs = 3369540000;

// The main window with its controls found the way a user finds them.
struct Window
{
    MainDialog dialog;
    QPushButton* ok = childWithText<QPushButton>(&dialog, "Ok");
    QPushButton* stop = childWithText<QPushButton>(&dialog, "STOP!");
    QLabel* status = dialog.findChild<QLabel*>();
    QComboBox* actions = dialog.findChild<QComboBox*>();

    void setDelay(int days, int hours, int minutes)
    {
        spinBoxWithSuffix(&dialog, " d")->setValue(days);
        spinBoxWithSuffix(&dialog, " h")->setValue(hours);
        spinBoxWithSuffix(&dialog, " m")->setValue(minutes);
    }
};

// Deterministic where a fixed wait would only make a missed action unlikely.
void waitForWorkersToEnd()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

bool waitForHeldPause()
{
    return waitUntil([] { return fakePlatform().heldPauseCount() == 1; });
}

}

class CountdownTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void zeroDelayActsAtOnceWithoutText();
    void runExpiresAfterExactlyItsLength_data();
    void runExpiresAfterExactlyItsLength();
    void firstTextComesBeforeAnyPause();

    void stopDuringPauseEndsWorkerAtOnce();
    void textOfStoppedRunIsDropped();
    void newRunAfterStopCountsFromItsOwnStart();
    void okByNameDuringRunReplacesIt();
    void changedActionDuringRunIsTaken();
    void changedDelayDuringRunIsIgnored();
    void closingDuringRunEndsWorkerAndExitsWithZero();

    void expiryAfterAbortTakesNoAction();
};

void CountdownTest::init()
{
    fakePlatform().reset();
    fakePlatform().holdPauses(false);
    settings.sleepTime = 500;
}

void CountdownTest::cleanup()
{
    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();
}

void CountdownTest::zeroDelayActsAtOnceWithoutText()
{
    Window window;
    QTest::mouseClick(window.ok, Qt::LeftButton);

    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QCOMPARE(fakePlatform().exitRequests()[0].flags, 0x11u);
    QCOMPARE(fakePlatform().exitRequests()[0].atMs, std::uint64_t(0));
    QVERIFY(fakePlatform().pauseLengths().empty());
    QCoreApplication::processEvents();
    QCOMPARE(window.status->text(), QStringLiteral("Timer not started..."));

    // Expired: the window waits for the system; "STOP!" still resets it.
    QVERIFY(!window.ok->isEnabled());
    QVERIFY(window.stop->isEnabled());
    QTest::mouseClick(window.stop, Qt::LeftButton);
    QCOMPARE(window.status->text(), QStringLiteral("Timer reset."));
    QVERIFY(window.ok->isEnabled());
    QVERIFY(!window.stop->isEnabled());
}

void CountdownTest::runExpiresAfterExactlyItsLength_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<quint64>("lengthMs");
    QTest::addColumn<quint32>("pauseMs");

    QTest::newRow("one minute") << 0 << 0 << 1 << 500 << quint64(60000) << 500u;
    QTest::newRow("interval not dividing the length") << 0 << 0 << 1 << 700 << quint64(60000) << 700u;
    QTest::newRow("past the signed 32-bit limit")
        << 24 << 20 << 32 << 60000 << quint64(2147520000) << 60000u;
    QTest::newRow("longest delay") << 38 << 23 << 59 << 60000 << quint64(longestDelayMs) << 60000u;
    // An empty or hand-made settings.dat: no pause at all would keep a core
    // busy for the whole run.
    QTest::newRow("interval 0") << 0 << 0 << 1 << 0 << quint64(60000) << 100u;
    QTest::newRow("negative interval") << 0 << 0 << 1 << -5 << quint64(60000) << 100u;
    // A whole interval past the target would be 24.8 days late.
    QTest::newRow("largest interval") << 0 << 0 << 1 << 2147483647 << quint64(60000) << 2147483647u;
}

void CountdownTest::runExpiresAfterExactlyItsLength()
{
    QFETCH(int, days);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, sleepTime);
    QFETCH(quint64, lengthMs);
    QFETCH(quint32, pauseMs);
    settings.sleepTime = sleepTime;

    Window window;
    window.setDelay(days, hours, minutes);
    QTest::mouseClick(window.ok, Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(fakePlatform().exitRequests().size(), size_t(1), 60000);
    QCOMPARE(fakePlatform().exitRequests()[0].atMs, lengthMs);
    // Every pause lasts the interval, but the last, which ends at the target.
    const std::vector<std::uint32_t> pauses = fakePlatform().pauseLengths();
    QCOMPARE(pauses.size(), size_t((lengthMs + pauseMs - 1) / pauseMs));
    for (size_t i = 0; i + 1 < pauses.size(); ++i)
        QCOMPARE(pauses[i], pauseMs);
    QCOMPARE(fakePlatform().pauseStarts().back() + pauses.back(), lengthMs);
    QTRY_VERIFY(window.status->text().startsWith(QLatin1String("Time left:0 days, 0 hours, ")));
    QCOMPARE(fakePlatform().exitRequests().size(), size_t(1));
}

void CountdownTest::firstTextComesBeforeAnyPause()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(38, 23, 59);
    QTest::mouseClick(window.ok, Qt::LeftButton);

    // Pauses are held: the text can only have come before the first ended.
    QTRY_COMPARE(window.status->text(),
                 QStringLiteral("Time left:38 days, 23 hours, 59 minutes and 0 seconds"));
}

void CountdownTest::stopDuringPauseEndsWorkerAtOnce()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());

    QTest::mouseClick(window.stop, Qt::LeftButton);
    QCOMPARE(window.status->text(), QStringLiteral("Timer reset."));
    QVERIFY(window.ok->isEnabled());
    QVERIFY(!window.stop->isEnabled());

    // Held pauses end only when released or interrupted: the worker was woken.
    QVERIFY(waitUntil([] { return fakePlatform().endedPauseCount() == 1; }));
    waitForWorkersToEnd();
    QCOMPARE(window.status->text(), QStringLiteral("Timer reset."));
    QVERIFY(fakePlatform().exitRequests().empty());
    QCOMPARE(fakePlatform().pauseLengths().size(), size_t(1));
}

void CountdownTest::textOfStoppedRunIsDropped()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());
    QCoreApplication::processEvents();
    fakePlatform().releasePauses();
    // The second text is handed over but not yet shown when "STOP!" comes.
    QVERIFY(waitUntil([] { return fakePlatform().pauseLengths().size() == 2; }));

    QTest::mouseClick(window.stop, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(window.status->text(), QStringLiteral("Timer reset."));
}

void CountdownTest::newRunAfterStopCountsFromItsOwnStart()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());
    fakePlatform().advanceClock(20000);

    QTest::mouseClick(window.stop, Qt::LeftButton);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitUntil([] {
        return fakePlatform().endedPauseCount() == 1 && fakePlatform().heldPauseCount() == 1;
    }));
    QTRY_COMPARE(window.status->text(),
                 QStringLiteral("Time left:0 days, 0 hours, 1 minutes and 0 seconds"));

    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();
    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QCOMPARE(fakePlatform().exitRequests()[0].atMs, std::uint64_t(80000));
    waitForWorkersToEnd();
    QCOMPARE(fakePlatform().exitRequests().size(), size_t(1));
}

// "Ok" is disabled during a run, but go() can still be reached by name: the
// run it replaces must neither act on the new, shorter target nor show texts.
void CountdownTest::okByNameDuringRunReplacesIt()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 2, 0);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());
    // The first worker wakes, past the coming target, as the second run starts.
    fakePlatform().advanceClock(90000);

    window.setDelay(0, 0, 1);
    const std::uint64_t secondStart = fakePlatform().elapsedClockMs();
    QVERIFY(QMetaObject::invokeMethod(&window.dialog, "go"));
    QVERIFY(waitUntil([] {
        return fakePlatform().endedPauseCount() == 1 && fakePlatform().heldPauseCount() == 1;
    }));
    QTRY_COMPARE(window.status->text(),
                 QStringLiteral("Time left:0 days, 0 hours, 1 minutes and 0 seconds"));
    QVERIFY(fakePlatform().exitRequests().empty());

    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();
    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(1));
    waitForWorkersToEnd();
    QCOMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QCOMPARE(fakePlatform().exitRequests()[0].atMs, secondStart + 60000);
}

void CountdownTest::changedActionDuringRunIsTaken()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());

    window.actions->setCurrentText(QStringLiteral("Reboot"));
    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();

    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QCOMPARE(fakePlatform().exitRequests()[0].flags, 0x12u);
}

void CountdownTest::changedDelayDuringRunIsIgnored()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);
    QVERIFY(waitForHeldPause());

    window.setDelay(2, 3, 4);
    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();

    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(1));
    QCOMPARE(fakePlatform().exitRequests()[0].atMs, std::uint64_t(60000));
}

void CountdownTest::closingDuringRunEndsWorkerAndExitsWithZero()
{
    fakePlatform().holdPauses(true);
    Window window;
    window.setDelay(0, 0, 1);
    bool paused = false;
    QTimer::singleShot(0, &window.dialog, [&window, &paused] {
        QTest::mouseClick(window.ok, Qt::LeftButton);
        paused = waitForHeldPause();
        window.dialog.close();
    });

    QCOMPARE(window.dialog.exec(), 0);
    QVERIFY(paused);
    // The worker has ended before the window's run returned.
    QCOMPARE(fakePlatform().endedPauseCount(), 1);
    fakePlatform().releasePauses();
    waitForWorkersToEnd();
    QVERIFY(fakePlatform().exitRequests().empty());
}

// Runs last: nothing clears the latch.
void CountdownTest::expiryAfterAbortTakesNoAction()
{
    Window window;
    QVERIFY(QMetaObject::invokeMethod(&window.dialog, "fAbortShutdown"));
    waitForWorkersToEnd();
    fakePlatform().reset();
    window.setDelay(0, 0, 1);
    QTest::mouseClick(window.ok, Qt::LeftButton);

    QTRY_COMPARE(fakePlatform().elapsedClockMs(), std::uint64_t(60000));
    waitForWorkersToEnd();
    QVERIFY(fakePlatform().calls().empty());
    QVERIFY(!window.ok->isEnabled());
    QVERIFY(window.stop->isEnabled());
}

QTEST_MAIN(CountdownTest)
#include "tst_countdown.moc"
