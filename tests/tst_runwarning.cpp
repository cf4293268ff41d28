// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "poweractions.h"
#include "runwarning.h"
#include "settings.h"
#include "waituntil.h"
#include "widgetfinder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QLocale>
#include <QTest>
#include <QThreadPool>
#include <QTime>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <algorithm>

namespace {

// The warning and the report are windows of their own, found as a user
// finds them.
QDialog* windowWithButton(const char* text)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (childWithText<QPushButton>(window, text))
            return qobject_cast<QDialog*>(window);
    }
    return nullptr;
}

// What a screen reader was told to say at once, unasked, of a notice.
QStringList announcements;

void recordAnnouncement(QAccessibleEvent* event)
{
    if (!event->object() || !event->object()->inherits("NoticeWindow"))
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    const auto* announcement = dynamic_cast<QAccessibleAnnouncementEvent*>(event);
    if (announcement && announcement->politeness() == QAccessible::AnnouncementPoliteness::Assertive)
        announcements << announcement->message();
#else
    const auto* change = dynamic_cast<QAccessibleValueChangeEvent*>(event);
    if (change && change->value().typeId() == QMetaType::QString)
        announcements << change->value().toString();
#endif
}

QDialog* warningWindow()
{
    return windowWithButton("Stop countdown");
}

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
        const size_t requests = fakePlatform().exitRequests().size();
        QTest::mouseClick(childWithText<QPushButton>(&dialog, "Ok"), Qt::LeftButton);
        waitForNextPass(requests);
    }

    void step()
    {
        const int ended = fakePlatform().endedPauseCount();
        const size_t requests = fakePlatform().exitRequests().size();
        fakePlatform().releasePauses();
        waitUntil([ended] { return fakePlatform().endedPauseCount() != ended; });
        waitForNextPass(requests);
    }

    // Presses a button of the warning and waits for the run it starts; the
    // run it replaces may be pausing, or waiting for its request.
    void press(const char* button)
    {
        const int ended = fakePlatform().endedPauseCount();
        const bool pausing = fakePlatform().heldPauseCount() != 0;
        QTest::mouseClick(childWithText<QPushButton>(warning(), button), Qt::LeftButton);
        waitUntil([ended, pausing] { return !pausing || fakePlatform().endedPauseCount() != ended; });
        waitUntil([] { return fakePlatform().heldPauseCount() != 0; });
        QCoreApplication::processEvents();
    }

    QDialog* warning() const { return warningWindow(); }
    bool warningShown() const { return warning() && warning()->isVisible(); }
    QString warningText() const { return warning()->findChild<QLabel*>()->text(); }

private:
    // The next pause, or a request made since `requests` were.
    void waitForNextPass(size_t requests)
    {
        waitUntil([requests] {
            return fakePlatform().heldPauseCount() != 0 || fakePlatform().exitRequests().size() > requests;
        });
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
    void initTestCase();
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
    void postponeAddsTenMinutesAgainAndAgain_data();
    void postponeAddsTenMinutesAgainAndAgain();
    void keysTypedAsWarningAppearsDoNothing();
    void warningStopsRunWhileSettingsAreOpen();
    void warningTellsWhatTheActionWillMeet_data();
    void warningTellsWhatTheActionWillMeet();
    void reportNamesWhatTheWarningFound();
    void dismissedWarningStaysAwayForThatRun();
    void stopOrReplacingRunWithdrawsWarning();
    void alertChangedDuringRunAppliesToIt();
};

void RunWarningTest::initTestCase()
{
    // A 24-hour clock without seconds, whatever the machine's own locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    // As on a single core, where the countdown holds the pool's only thread:
    // the warning's questions were queued behind it until the run was over.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // As when a screen reader runs: Qt passes events on only then.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(recordAnnouncement);
}

void RunWarningTest::init()
{
    fakePlatform().reset();
    fakePlatform().holdPauses(true);
    announcements.clear();
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
    // The notification names the moment of the action, from the clock now.
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("summary");

    const QTime noon(12, 0);
    QTest::newRow("whole minutes") << 0x11u << 300000u << "Shutdown in 5 minutes." << QTime(21, 0)
                                   << "Shutdown at 21:05.";
    QTest::newRow("minutes and seconds, past midnight")
        << 0x12u << 299000u << "Reboot in 4 minutes 59 seconds." << QTime(23, 58, 30) << "Reboot at 00:03.";
    QTest::newRow("just below the lead time reads as the lead")
        << 0x11u << 59999u << "Shutdown in 1 minute." << noon << "Shutdown at 12:00.";
    QTest::newRow("singular units") << 0x10u << 61000u << "Log off in 1 minute 1 second." << noon
                                    << "Log off at 12:01.";
    QTest::newRow("seconds only") << 0x11u << 42000u << "Shutdown in 42 seconds." << noon
                                  << "Shutdown at 12:00.";
    QTest::newRow("below a second") << 0x11u << 1u << "Shutdown in 1 second." << noon << "Shutdown at 12:00.";
}

void RunWarningTest::messageNamesActionAndTime()
{
    QFETCH(quint32, flags);
    QFETCH(quint32, remainingMs);
    QFETCH(QString, message);
    QFETCH(QTime, now);
    QFETCH(QString, summary);
    QCOMPARE(warningMessage(flags, remainingMs), message);
    QCOMPARE(notificationSummary(flags, remainingMs, now), summary);
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
    // Said once as it appears, on Windows only: AT-SPI readers speak the
    // notification themselves, and refreshes are not spoken anywhere.
#ifdef Q_OS_WIN
    QCOMPARE(announcements, QStringList{QStringLiteral("Reboot in 1 minute \u2013 Velmora\nReboot in 1 minute.")});
#else
    QCOMPARE(announcements, QStringList());
#endif

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

void RunWarningTest::postponeAddsTenMinutesAgainAndAgain_data()
{
    QTest::addColumn<int>("alertTime");
    QTest::addColumn<bool>("requestWaits");
    QTest::newRow("warned again at the lead") << 1 << false;
    QTest::newRow("the longest lead") << 10 << false;
    // The run ended and its request held the pool's only thread: the
    // postponed run began only when the system answered.
    QTest::newRow("postponed while the request waits on a slow system") << 1 << true;
}

// The postponed run keeps what the warning learned: its questions go
// unanswered from the first press on, and the warning still tells of the
// password, and the report of a refusal as the password's.
void RunWarningTest::postponeAddsTenMinutesAgainAndAgain()
{
    QFETCH(int, alertTime);
    QFETCH(bool, requestWaits);
    settings.alertTime = alertTime;
    settings.sleepTime = 60000;
    ExitProspect password;
    password.consent = ExitProspect::Consent::AsksPassword;
    fakePlatform().answerProspects(password);
    fakePlatform().answerExits(FakePlatform::Answer::Refuse, {}, ExitOutcome::Kind::Forbidden);
    MainDialog dialog;
    // The pool has a single thread (initTestCase), as on a one-core machine.
    const auto answer = qScopeGuard([] { fakePlatform().holdExitRequests(false); });
    const std::uint64_t startedAt = fakePlatform().elapsedClockMs();
    SteppedRun run(dialog, 11);
    const auto countDownToOneMinute = [&](int minutesLeft) {
        for (; minutesLeft > 1; --minutesLeft) {
            QCOMPARE(run.warningShown(), minutesLeft <= alertTime);
            run.step();
        }
        QTRY_COMPARE(run.warningText(), "Shutdown in 1 minute.\nThe system will want an administrator's "
                                        "password. If nobody enters it, the shutdown will not happen.");
    };
    int minutesLeft = 11;
    for (int presses = 0; presses < 2; ++presses) {
        countDownToOneMinute(minutesLeft);
        fakePlatform().holdExitRequests(requestWaits);
        if (requestWaits)
            run.step();
        minutesLeft = requestWaits ? 10 : 11;
        run.press("Postpone 10 minutes");
        fakePlatform().answerProspects(std::nullopt);
        QCOMPARE(dialog.findChild<QLabel*>()->text(),
                 QStringLiteral("Time left:0 days, 0 hours, %1 minutes and 0 seconds").arg(minutesLeft));
        fakePlatform().holdExitRequests(false);
        requestWaits = false;
    }
    const size_t earlierRequests = fakePlatform().exitRequests().size();
    countDownToOneMinute(minutesLeft);
    run.step();
    QCOMPARE(fakePlatform().exitRequests().size(), earlierRequests + 1);
    QCOMPARE(fakePlatform().exitRequests().back().atMs, startedAt + 31 * 60000);
    QTRY_COMPARE(windowWithButton("Try again")->findChild<QLabel*>()->text(),
                 QStringLiteral("Shutdown not done: the password was refused or the prompt was cancelled."));
}

// A desktop may give the keyboard to the warning as it appears, while the
// user is typing elsewhere: Enter or Space then reached its buttons and
// stopped the countdown unseen. Escape only puts the window away.
void RunWarningTest::keysTypedAsWarningAppearsDoNothing()
{
    MainDialog dialog;
    SteppedRun run(dialog, 2);
    run.step();
    run.step();
    QVERIFY(run.warningShown());
    QCOMPARE(run.warning()->windowTitle(), QStringLiteral("Shutdown in 1 minute \u2013 Velmora"));
    run.warning()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(run.warning()));

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(run.warning()->windowHandle(), key);
    QCoreApplication::processEvents();
    QVERIFY(run.warningShown());
    QCOMPARE(dialog.findChild<QLabel*>()->text().left(10), QStringLiteral("Time left:"));

    QTest::keyClick(run.warning()->windowHandle(), Qt::Key_Escape);
    QVERIFY(!run.warningShown());
    run.step();
    QCOMPARE(dialog.findChild<QLabel*>()->text().left(10), QStringLiteral("Time left:"));
}

// The main window runs modal, as the program runs it, and the settings
// dialog is modal to it: the warning, a window of its own, still takes a
// real click while both are open.
void RunWarningTest::warningStopsRunWhileSettingsAreOpen()
{
    MainDialog dialog;
    bool warned = false;
    bool settingsWereOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        SteppedRun run(dialog, 2);
        run.step();
        run.step();
        warned = run.warningShown();
        QTimer::singleShot(0, [&] {
            QWidget* settings = QApplication::activeModalWidget();
            settingsWereOpen = settings != &dialog && settings->isVisible();
            QPushButton* stop = childWithText<QPushButton>(run.warning(), "Stop countdown");
            QTest::mouseClick(run.warning()->windowHandle(), Qt::LeftButton, {},
                              stop->mapTo(run.warning(), stop->rect().center()));
            settings->close();
        });
        QTest::mouseClick(childWithText<QPushButton>(&dialog, "Settings"), Qt::LeftButton);
        dialog.done(0);
    });
    dialog.exec();

    QVERIFY(warned);
    QVERIFY(settingsWereOpen);
    QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Timer reset."));
    QVERIFY(!warningWindow()->isVisible());
}

void RunWarningTest::warningTellsWhatTheActionWillMeet_data()
{
    using Consent = ExitProspect::Consent;
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("consent");
    QTest::addColumn<QString>("who");
    QTest::addColumn<QString>("added");

    QTest::newRow("nothing known") << "Shutdown" << int(Consent::Unknown) << QString() << QString();
    QTest::newRow("allowed") << "Shutdown" << int(Consent::Granted) << QString() << QString();
    // A prompt may never appear, or go unanswered: none is promised.
    QTest::newRow("password") << "Shutdown" << int(Consent::AsksPassword) << QString()
                              << "\nThe system will want an administrator's password. If nobody enters it, "
                                 "the shutdown will not happen.";
    QTest::newRow("not allowed") << "Reboot" << int(Consent::Denied) << QString()
                                 << "\nThe system does not allow this action.";
    QTest::newRow("another user's program blocks") << "Shutdown" << int(Consent::Granted) << "Backup"
                             << "\n\u201CBackup\u201D holds it off: \u201CCopying files\u201D.";
    // The system does not let the user's own programs block: they are cut short.
    QTest::newRow("the user's own program runs") << "Shutdown" << int(Consent::Granted) << "Backup (own)"
                             << "\n\u201CBackup\u201D (yours) is still running: \u201CCopying files\u201D. "
                                "It will be stopped.";
    QTest::newRow("nowhere to log off from") << "Log off" << int(Consent::NoSession) << QString()
                             << "\nLog off will not work from here: Velmora is not running inside a login "
                                "session.";
}

void RunWarningTest::warningTellsWhatTheActionWillMeet()
{
    QFETCH(QString, action);
    QFETCH(int, consent);
    QFETCH(QString, who);
    QFETCH(QString, added);
    ExitProspect prospect;
    prospect.consent = ExitProspect::Consent(consent);
    if (!who.isEmpty()) {
        const QString name = QString(who).remove(" (own)");
        prospect.blockers.push_back({name.toStdString(), "Copying files", name != who});
    }
    fakePlatform().answerProspects(prospect);
    settings.sleepTime = 15000;

    MainDialog dialog;
    dialog.findChild<QComboBox*>()->setCurrentText(action);
    SteppedRun run(dialog, 2);
    for (int passes = 0; passes < 4; ++passes)
        run.step();
    QVERIFY(run.warningShown());
    QTRY_COMPARE(run.warningText(), action + " in 1 minute." + added);
    run.step();
    QCOMPARE(run.warningText(), action + " in 45 seconds." + added);

    // What was said of one action does not hold for another: it is asked
    // again, and nothing is added until the answer comes.
    const QString other = action == "Reboot" ? "Shutdown" : "Reboot";
    fakePlatform().answerProspects({});
    dialog.findChild<QComboBox*>()->setCurrentText(other);
    run.step();
    QTRY_COMPARE(run.warningText(), other + " in 30 seconds.");
    const auto askedOfOther = [&] {
        const auto calls = fakePlatform().calls();
        return std::any_of(calls.cbegin(), calls.cend(), [&](const auto& call) {
            return call.kind == FakePlatform::CallKind::AskProspect
                && call.flags == PowerActions::exitFlagsFor(other);
        });
    };
    QTRY_VERIFY(askedOfOther());
}

// A program the warning found holding the action off is often why it was
// refused: the report names it, though the system no longer lists it then.
void RunWarningTest::reportNamesWhatTheWarningFound()
{
    ExitProspect prospect;
    prospect.consent = ExitProspect::Consent::Granted;
    prospect.blockers.push_back({"Backup", "Copying files", false});
    fakePlatform().answerProspects(prospect);
    fakePlatform().answerExits(FakePlatform::Answer::Refuse, "Test answer", ExitOutcome::Kind::Forbidden);

    MainDialog dialog;
    SteppedRun run(dialog, 2);
    run.step();
    run.step();
    QTRY_VERIFY(run.warningText().contains("Backup"));
    // Asked at the refusal, the system lists no blocker; that it wants a
    // password shows its answer has come.
    ExitProspect password;
    password.consent = ExitProspect::Consent::AsksPassword;
    fakePlatform().answerProspects(password);
    run.step();
    run.step();

    QWidget* report = nullptr;
    QTRY_VERIFY((report = windowWithButton("Try again")) && report->isVisible());
    QVERIFY(!childWithText<QPushButton>(report, "Postpone 10 minutes"));
    QTRY_COMPARE(report->findChild<QLabel*>()->text(),
                 QStringLiteral("Shutdown not done: the password was refused or the prompt was cancelled.\n"
                                "\u201CBackup\u201D holds it off: \u201CCopying files\u201D.\n"
                                "The system answered: Test answer"));
    // Asked again, the system's answer of then is all that counts.
    QTest::mouseClick(childWithText<QPushButton>(report, "Try again"), Qt::LeftButton);
    QTRY_VERIFY(report->isVisible() && report->findChild<QLabel*>()->text().contains("Tried again")
                && !report->findChild<QLabel*>()->text().contains("Backup"));
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
