// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "poweractions.h"
#include "waituntil.h"
#include "widgetfinder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <thread>

using Kind = FakePlatform::CallKind;

namespace {

// The report is a window of its own, found as a user finds it.
QWidget* report()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (childWithText<QPushButton>(window, "Try again"))
            return window;
    }
    return nullptr;
}

}

// The latch cannot be cleared, so the tests that set it run last.
class PowerActionsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void actionTextChoosesFlags_data();
    void actionTextChoosesFlags();
    void requestIsWrappedInPrivilege();
    void concurrentRequestsNeverOverlap();
    void refusalIsReportedAndRetried();
    void lateRefusalIsReportedWhileWindowLives();

    void abortLatchesEveryLaterRequestOff();
};

void PowerActionsTest::init()
{
    fakePlatform().reset();
}

void PowerActionsTest::actionTextChoosesFlags_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<quint32>("flags");

    QTest::newRow("untouched list") << QString() << 0x11u;
    QTest::newRow("Shutdown") << "Shutdown" << 0x11u;
    QTest::newRow("Reboot") << "Reboot" << 0x12u;
    QTest::newRow("Log off") << "Log off" << 0x10u;
    QTest::newRow("reboot in lower case") << "reboot" << 0x11u;
    QTest::newRow("LOG OFF in upper case") << "LOG OFF" << 0x11u;
    QTest::newRow("padded text") << " Reboot" << 0x11u;
    QTest::newRow("unknown text") << "Hibernate" << 0x11u;
}

void PowerActionsTest::actionTextChoosesFlags()
{
    QFETCH(QString, mode);
    QFETCH(quint32, flags);

    PowerActions::requestAction(mode);

    const auto requests = fakePlatform().exitRequests();
    QCOMPARE(requests.size(), size_t(1));
    QCOMPARE(requests[0].flags, flags);
    QCOMPARE(requests[0].reason, 0u);
}

void PowerActionsTest::requestIsWrappedInPrivilege()
{
    PowerActions::requestAction(QStringLiteral("Reboot"));

    const auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls[0].kind, Kind::EnablePrivilege);
    QCOMPARE(calls[1].kind, Kind::RequestExit);
    QCOMPARE(calls[2].kind, Kind::DisablePrivilege);
}

// A request on the worker and one on the GUI thread at the same moment must
// not interleave: the second must not enable the privilege, or disable it,
// while the first request is still open. The first is held open until the
// second has started and had ample time to reach the system.
void PowerActionsTest::concurrentRequestsNeverOverlap()
{
    fakePlatform().holdExitRequests(true);
    std::thread first([] { PowerActions::requestAction(QStringLiteral("Shutdown")); });
    QVERIFY(waitUntil([] { return fakePlatform().heldExitRequestCount() == 1; }));
    std::atomic<bool> secondStarted{false};
    std::thread second([&secondStarted] {
        secondStarted = true;
        PowerActions::requestAction(QStringLiteral("Reboot"));
    });
    QVERIFY(waitUntil([&secondStarted] { return secondStarted.load(); }));
    const bool overlapped = waitUntil([] { return fakePlatform().calls().size() > 2; },
                                      std::chrono::seconds(1));
    fakePlatform().holdExitRequests(false);
    first.join();
    second.join();
    QVERIFY(!overlapped);

    const auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(6));
    for (size_t i = 0; i < calls.size(); i += 3) {
        QCOMPARE(calls[i].kind, Kind::EnablePrivilege);
        QCOMPARE(calls[i + 1].kind, Kind::RequestExit);
        QCOMPARE(calls[i + 2].kind, Kind::DisablePrivilege);
    }
}

// The report names the action and the system's reason; "Try again" makes
// the same request through the same steps, "STOP!" puts the report away.
// An accepted request shows nothing. The run that made the request stays
// ended: "Ok" disabled, "STOP!" enabled.
void PowerActionsTest::refusalIsReportedAndRetried()
{
    MainDialog dialog;
    dialog.show();
    dialog.findChild<QComboBox*>()->setCurrentText("Reboot");
    fakePlatform().answerExits(FakePlatform::Answer::Refuse, "Access denied by test policy");
    QTest::mouseClick(childWithText<QPushButton>(&dialog, "Ok"), Qt::LeftButton);

    QTRY_VERIFY(report() && report()->isVisible());
    QCOMPARE(report()->findChild<QLabel*>()->text(),
             QStringLiteral("Reboot not done.\nThe system answered: Access denied by test policy"));
    QVERIFY(report()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!report()->isModal());
    QVERIFY(!childWithText<QPushButton>(&dialog, "Ok")->isEnabled());
    QVERIFY(childWithText<QPushButton>(&dialog, "STOP!")->isEnabled());

    fakePlatform().reset();
    fakePlatform().answerExits(FakePlatform::Answer::Refuse, "Still not allowed");
    // The action chosen now is not the one that was refused.
    dialog.findChild<QComboBox*>()->setCurrentText("Log off");
    QTest::mouseClick(childWithText<QPushButton>(report(), "Try again"), Qt::LeftButton);
    QTRY_VERIFY(report()->isVisible());
    QCOMPARE(report()->findChild<QLabel*>()->text(),
             QStringLiteral("Reboot not done.\nThe system answered: Still not allowed"));
    const auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls[0].kind, Kind::EnablePrivilege);
    QCOMPARE(calls[1].kind, Kind::RequestExit);
    QCOMPARE(calls[1].flags, 0x12u);
    QCOMPARE(calls[2].kind, Kind::DisablePrivilege);

    QTest::mouseClick(childWithText<QPushButton>(&dialog, "STOP!"), Qt::LeftButton);
    QVERIFY(!report()->isVisible());

    fakePlatform().answerExits(FakePlatform::Answer::Accept);
    QTest::mouseClick(childWithText<QPushButton>(&dialog, "Ok"), Qt::LeftButton);
    QTRY_COMPARE(fakePlatform().exitRequests().size(), size_t(2));
    QCoreApplication::processEvents();
    QVERIFY(!report()->isVisible());
}

// An answer may come long after the request, from another thread: after
// the run ended, after "STOP!", or after the window is gone.
void PowerActionsTest::lateRefusalIsReportedWhileWindowLives()
{
    fakePlatform().answerExits(FakePlatform::Answer::Later);
    {
        MainDialog dialog;
        QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
        QVERIFY(!report());
        std::thread([] { fakePlatform().answerKeptExits({true, "Interactive authentication required."}); }).join();
        QTRY_VERIFY(report() && report()->isVisible());
        QCOMPARE(report()->findChild<QLabel*>()->text(),
                 QStringLiteral("Shutdown not done.\nThe system answered: Interactive authentication required."));

        // "STOP!" made the refusal of a request from before it old news.
        QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
        QVERIFY(QMetaObject::invokeMethod(&dialog, "cancel"));
        QVERIFY(!report()->isVisible());
        std::thread([] { fakePlatform().answerKeptExits({true, "Stopped since"}); }).join();
        QCoreApplication::processEvents();
        QVERIFY(!report()->isVisible());

        QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    }
    std::thread([] { fakePlatform().answerKeptExits({true, "Too late"}); }).join();
    QCoreApplication::processEvents();
    QVERIFY(!report());
}

void PowerActionsTest::abortLatchesEveryLaterRequestOff()
{
    MainDialog dialog;
    QVERIFY(QMetaObject::invokeMethod(&dialog, "fAbortShutdown"));

    auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls[0].kind, Kind::EnablePrivilege);
    QCOMPARE(calls[1].kind, Kind::AbortShutdown);
    QCOMPARE(calls[2].kind, Kind::DisablePrivilege);

    fakePlatform().reset();
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdown"));
    PowerActions::requestAction(QStringLiteral("Reboot"));
    // Not even the privilege is touched once latched.
    QVERIFY(fakePlatform().calls().empty());

    // A second abort is still asked of the system.
    QVERIFY(QMetaObject::invokeMethod(&dialog, "fAbortShutdown"));
    calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls[1].kind, Kind::AbortShutdown);
}

QTEST_MAIN(PowerActionsTest)
#include "tst_poweractions.moc"
