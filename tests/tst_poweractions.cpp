// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "poweractions.h"

#include <QTest>

#include <thread>

using Kind = FakePlatform::CallKind;

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
// not interleave: the second must not disable the privilege mid-request.
void PowerActionsTest::concurrentRequestsNeverOverlap()
{
    constexpr int requestsPerThread = 200;
    auto requestMany = [] {
        for (int i = 0; i < requestsPerThread; ++i)
            PowerActions::requestAction(QStringLiteral("Shutdown"));
    };
    std::thread first(requestMany);
    std::thread second(requestMany);
    first.join();
    second.join();

    const auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3 * 2 * requestsPerThread));
    for (size_t i = 0; i < calls.size(); i += 3) {
        QCOMPARE(calls[i].kind, Kind::EnablePrivilege);
        QCOMPARE(calls[i + 1].kind, Kind::RequestExit);
        QCOMPARE(calls[i + 2].kind, Kind::DisablePrivilege);
    }
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
