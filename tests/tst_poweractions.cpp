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
#include <QRegularExpression>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
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
    void refusalIsReportedAndRetried_data();
    void refusalIsReportedAndRetried();
    void reportSaysWhatTheRefusalMeans_data();
    void reportSaysWhatTheRefusalMeans();
    void outcomeHandlerMayRequestAgain();
    void lateRefusalIsReportedWhileWindowLives();

    void abortLatchesEveryLaterRequestOff();
};

void PowerActionsTest::init()
{
    // A question that an earlier case's report asked may still be on its
    // way to the fake, which would record it in this case.
    if (auto* questions = QCoreApplication::instance()->findChild<QThreadPool*>())
        QVERIFY(questions->waitForDone(30000));
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

void PowerActionsTest::refusalIsReportedAndRetried_data()
{
    QTest::addColumn<bool>("answeredAgain");
    QTest::addColumn<QString>("afterRetry");

    const QString triedAgain = "The system answered: Access denied by test policy\n"
                               "Tried again at \\d\\d:\\d\\d:\\d\\d \u2013 same answer\\.$";
    // A program that has let go since is no longer named.
    QTest::newRow("asked again") << true
                                 << "^Reboot not done: the system's policy does not allow this action for this "
                                    "user\\.\n" + triedAgain;
    // An unanswered question used to wipe out what was known: the program
    // holding the action off, and that the system asks for a password.
    QTest::newRow("unanswered after Try again")
        << false << "^Reboot not done: the password was refused or the prompt was cancelled\\.\n"
                    "\u201CBackup\u201D holds it off: \u201CCopying files\u201D\\.\n" + triedAgain;
}

// The report names the action and the system's reason; "Try again" makes
// the same request through the same steps, "STOP!" puts the report away.
// An accepted request shows nothing. The run that made the request stays
// ended: "Ok" disabled, "STOP!" enabled.
void PowerActionsTest::refusalIsReportedAndRetried()
{
    QFETCH(bool, answeredAgain);
    QFETCH(QString, afterRetry);
    MainDialog dialog;
    dialog.show();
    dialog.findChild<QComboBox*>()->setCurrentText("Reboot");
    const auto refuse = [] {
        fakePlatform().answerExits(FakePlatform::Answer::Refuse, "Access denied by test policy",
                                   ExitOutcome::Kind::Forbidden);
    };
    refuse();
    const ExitProspect heldOff{ExitProspect::Consent::AsksPassword, {{"Backup", "Copying files", false}}};
    fakePlatform().answerProspects(heldOff);
    QTest::mouseClick(childWithText<QPushButton>(&dialog, "Ok"), Qt::LeftButton);

    QTRY_VERIFY(report() && report()->isVisible());
    QTRY_COMPARE(report()->findChild<QLabel*>()->text(),
                 QStringLiteral("Reboot not done: the password was refused or the prompt was cancelled.\n"
                                "\u201CBackup\u201D holds it off: \u201CCopying files\u201D.\n"
                                "The system answered: Access denied by test policy"));
    QCOMPARE(report()->windowTitle(), QStringLiteral("Reboot not done \u2013 Velmora"));
    QVERIFY(report()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!report()->isModal());
    QVERIFY(!childWithText<QPushButton>(&dialog, "Ok")->isEnabled());
    QVERIFY(childWithText<QPushButton>(&dialog, "STOP!")->isEnabled());

    fakePlatform().reset();
    refuse();
    if (!answeredAgain)
        fakePlatform().answerProspects(std::nullopt);
    // The action chosen now is not the one that was refused.
    dialog.findChild<QComboBox*>()->setCurrentText("Log off");
    QTest::mouseClick(childWithText<QPushButton>(report(), "Try again"), Qt::LeftButton);
    QTRY_VERIFY(report()->isVisible());
    // The same answer again must not look as if nothing happened. The
    // report shows before the question is answered, so the text is read
    // once no question is left.
    const QRegularExpression triedAgain(afterRetry);
    QTRY_VERIFY(fakePlatform().calls().back().kind == Kind::AskProspect);
    QVERIFY(QCoreApplication::instance()->findChild<QThreadPool*>()->waitForDone(30000));
    QCoreApplication::processEvents();
    QTRY_VERIFY2(triedAgain.match(report()->findChild<QLabel*>()->text()).hasMatch(),
                 qPrintable(report()->findChild<QLabel*>()->text()));
    auto calls = fakePlatform().calls();
    calls.erase(std::remove_if(calls.begin(), calls.end(),
                               [](const auto& call) { return call.kind == Kind::AskProspect; }),
                calls.end());
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

void PowerActionsTest::reportSaysWhatTheRefusalMeans_data()
{
    using Refusal = ExitOutcome::Kind;
    using Consent = ExitProspect::Consent;
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("refusal");
    QTest::addColumn<int>("consent");
    // "own" or "other" user's program holding the action off, or none.
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("text");

    const QString answered = "\nThe system answered: Test answer";
    const QString heldOff = "\n\u201CBackup\u201D holds it off: \u201CCopying files\u201D.";
    QTest::newRow("password prompt unanswered")
        << "Shutdown" << int(Refusal::PasswordNotEntered) << int(Consent::AsksPassword) << ""
        << "Shutdown not done: the system asked for an administrator's password and nobody entered it "
           "in time." + answered;
    QTest::newRow("no password prompt, another user's program holds it off")
        << "Reboot" << int(Refusal::NoPasswordPrompt) << int(Consent::AsksPassword) << "other"
        << "Reboot not done: the system wants an administrator's password, and no password prompt could be "
           "shown (no authentication agent runs for this session)." + heldOff + answered;
    QTest::newRow("denied after a password was asked")
        << "Shutdown" << int(Refusal::Forbidden) << int(Consent::AsksPassword) << ""
        << "Shutdown not done: the password was refused or the prompt was cancelled." + answered;
    QTest::newRow("denied by policy")
        << "Shutdown" << int(Refusal::Forbidden) << int(Consent::Denied) << ""
        << "Shutdown not done: the system's policy does not allow this action for this user." + answered;
    QTest::newRow("no session to end")
        << "Log off" << int(Refusal::NoSessionToEnd) << int(Consent::Unknown) << ""
        << "Log off not done: Velmora is not running inside a login session that can be ended. Start it "
           "from the desktop's menu to log off." + answered;
    QTest::newRow("already under way")
        << "Reboot" << int(Refusal::AlreadyInProgress) << int(Consent::Granted) << ""
        << "Reboot not done: another shutdown or reboot is already under way." + answered;
    QTest::newRow("no answer from a stalled system bus")
        << "Reboot" << int(Refusal::NoAnswer) << int(Consent::Unknown) << ""
        << "Reboot not done: the system did not answer. Its message bus may be stuck or very busy; try again "
           "in a moment." + answered;
    // The user's own programs hold nothing off, so they are no reason.
    QTest::newRow("any other answer, the user's own program running")
        << "Shutdown" << int(Refusal::Refused) << int(Consent::Granted) << "own"
        << "Shutdown not done." + answered;
    // An accepted request that changed nothing used to leave the window
    // counting nothing, as if all were well.
    QTest::newRow("accepted, and the computer still runs")
        << "Reboot" << int(Refusal::Accepted) << int(Consent::Granted) << "other"
        << "Reboot not done: the system accepted the request, but the computer is still running. A program "
           "may be holding it off." + heldOff;
    QTest::newRow("accepted, and the session goes on")
        << "Log off" << int(Refusal::Accepted) << int(Consent::Unknown) << ""
        << "Log off not done: the system accepted the request, but the session did not end. The desktop may "
           "be waiting for an answer in a window of its own.";
}

// What the system says at the refusal tells a refused password from a
// forbidding policy, and names what holds the action off.
void PowerActionsTest::reportSaysWhatTheRefusalMeans()
{
    QFETCH(QString, mode);
    QFETCH(int, refusal);
    QFETCH(int, consent);
    QFETCH(QString, blocker);
    QFETCH(QString, text);
    ExitProspect prospect;
    prospect.consent = ExitProspect::Consent(consent);
    if (!blocker.isEmpty())
        prospect.blockers.push_back({"Backup", "Copying files", blocker == "own"});
    fakePlatform().answerProspects(prospect);
    const bool accepted = ExitOutcome::Kind(refusal) == ExitOutcome::Kind::Accepted;
    fakePlatform().answerExits(accepted ? FakePlatform::Answer::Accept : FakePlatform::Answer::Refuse,
                               "Test answer", ExitOutcome::Kind(refusal));

    MainDialog dialog;
    dialog.findChild<QComboBox*>()->setCurrentText(mode);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    if (accepted) {
        auto* deadline = dialog.findChild<QTimer*>("effectDeadline");
        QTRY_VERIFY(deadline->isActive());
        QVERIFY(!report() || !report()->isVisible());
        QMetaObject::invokeMethod(deadline, "timeout");
    }

    QTRY_VERIFY(report() && report()->isVisible());
    QTRY_COMPARE(report()->findChild<QLabel*>()->text(), text);
}

// A handler called while the privilege was still held, as the Windows
// backend answers, deadlocked when it made a request of its own.
void PowerActionsTest::outcomeHandlerMayRequestAgain()
{
    fakePlatform().answerExits(FakePlatform::Answer::Refuse, "Busy");
    // On a thread of its own, so that a deadlock fails the test rather than
    // hanging it; such a thread is left behind.
    auto outcomes = std::make_shared<std::promise<int>>();
    std::thread([outcomes] {
        int count = 0;
        PowerActions::requestAction("Reboot", [&](const ExitOutcome&) {
            if (++count == 1)
                PowerActions::requestAction("Reboot", [&](const ExitOutcome&) { ++count; });
        });
        outcomes->set_value(count);
    }).detach();
    std::future<int> counted = outcomes->get_future();
    QVERIFY2(counted.wait_for(std::chrono::seconds(10)) == std::future_status::ready, "the request deadlocked");
    QCOMPARE(counted.get(), 2);
    QCOMPARE(fakePlatform().exitRequests().size(), size_t(2));
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
        std::thread([] { fakePlatform().answerKeptExits({ExitOutcome::Kind::Refused, "Interactive authentication required."}); }).join();
        QTRY_VERIFY(report() && report()->isVisible());
        QCOMPARE(report()->findChild<QLabel*>()->text(),
                 QStringLiteral("Shutdown not done.\nThe system answered: Interactive authentication required."));

        // "STOP!" made the refusal of a request from before it old news.
        QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
        QVERIFY(QMetaObject::invokeMethod(&dialog, "cancel"));
        QVERIFY(!report()->isVisible());
        std::thread([] { fakePlatform().answerKeptExits({ExitOutcome::Kind::Refused, "Stopped since"}); }).join();
        QCoreApplication::processEvents();
        QVERIFY(!report()->isVisible());

        QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    }
    std::thread([] { fakePlatform().answerKeptExits({ExitOutcome::Kind::Refused, "Too late"}); }).join();
    QCoreApplication::processEvents();
    QVERIFY(!report());
}

void PowerActionsTest::abortLatchesEveryLaterRequestOff()
{
    MainDialog dialog;
    // A request held up by the system holds the privilege; the abort used to wait for it.
    fakePlatform().holdExitRequests(true);
    std::thread held([] { PowerActions::requestAction(QStringLiteral("Shutdown")); });
    QVERIFY(waitUntil([] { return fakePlatform().heldExitRequestCount() == 1; }));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "fAbortShutdown"));
    fakePlatform().holdExitRequests(false);
    held.join();
    QThreadPool::globalInstance()->waitForDone();

    auto calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(6));
    QCOMPARE(calls[3].kind, Kind::EnablePrivilege);
    QCOMPARE(calls[4].kind, Kind::AbortShutdown);
    QCOMPARE(calls[5].kind, Kind::DisablePrivilege);

    fakePlatform().reset();
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdown"));
    PowerActions::requestAction(QStringLiteral("Reboot"));
    // Not even the privilege is touched once latched.
    QVERIFY(fakePlatform().calls().empty());

    // A second abort is still asked of the system.
    QVERIFY(QMetaObject::invokeMethod(&dialog, "fAbortShutdown"));
    QThreadPool::globalInstance()->waitForDone();
    calls = fakePlatform().calls();
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls[1].kind, Kind::AbortShutdown);
}

QTEST_MAIN(PowerActionsTest)
#include "tst_poweractions.moc"
