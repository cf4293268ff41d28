// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockbus.h"
#include "pauseinterrupt.h"
#include "platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <signal.h>
#include <unistd.h>

// Every request goes to python-dbusmock services on two dbus-daemons of the
// test's own. The call logs are read over the same shared connections the
// platform sends on, so a log read after a request already holds whatever
// that request sent: an empty log means nothing was sent.
namespace {

const QString login1 = "org.freedesktop.login1";
const QString managerPath = "/org/freedesktop/login1";
const QString managerInterface = "org.freedesktop.login1.Manager";
const QString sessionPath = "/org/freedesktop/login1/session/auto";
const QString sessionInterface = "org.freedesktop.login1.Session";

// session: the name that shows the desktop's session runs, where it is not
// the service's own.
struct Desktop
{
    QString service, path, interface, method, inSignature, expectedCall, session;
};

Desktop desktop(const QString &name)
{
    static const QHash<QString, Desktop> desktops = {
        {"GNOME",
         {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
          "Logout", "u", "Logout(uint 1)", QString()}},
        {"KDE",
         {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", "", "logout()", "org.kde.ksmserver"}},
        {"Xfce",
         {"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager",
          "Logout", "bb", "Logout(bool false, bool true)", QString()}},
    };
    return desktops.value(name);
}

std::unique_ptr<MockService> startDesktop(const Desktop &desktop)
{
    auto mock = std::make_unique<MockService>(
        QDBusConnection::sessionBus(), desktop.service,
        QStringList{"--session", desktop.service, desktop.path, desktop.interface});
    if (!mock->waitUntilServing()
        || !mock->addRecordingMethod(desktop.path, desktop.interface, desktop.method,
                                     desktop.inSignature)
        || (!desktop.session.isEmpty() && !mock->alsoOwn(desktop.path, desktop.session)))
        return nullptr;
    return mock;
}

QString describe(const ExitOutcome &outcome)
{
    using Kind = ExitOutcome::Kind;
    static const QHash<Kind, QString> kinds{{Kind::Refused, "refused"},
                                            {Kind::NoPasswordPrompt, "no password prompt"},
                                            {Kind::PasswordNotEntered, "password not entered"},
                                            {Kind::Forbidden, "forbidden"},
                                            {Kind::NoSessionToEnd, "no session to end"},
                                            {Kind::AlreadyInProgress, "already in progress"},
                                            {Kind::NoAnswer, "no answer"}};
    return outcome.refused() ? kinds.value(outcome.kind) + ": " + QString::fromStdString(outcome.reason)
                             : "accepted";
}

bool alwaysWanted()
{
    return true;
}

QString describe(const std::optional<ExitProspect> &answer)
{
    if (!answer)
        return "no answer";
    const ExitProspect &prospect = *answer;
    using Consent = ExitProspect::Consent;
    static const QHash<Consent, QString> consents{{Consent::Unknown, "Unknown"},
                                                  {Consent::Granted, "Granted"},
                                                  {Consent::AsksPassword, "AsksPassword"},
                                                  {Consent::Denied, "Denied"},
                                                  {Consent::NoSession, "NoSession"}};
    QString text = consents.value(prospect.consent);
    for (const ExitProspect::Blocker &blocker : prospect.blockers)
        text += QString(", %1 %2 (%3)")
                    .arg(blocker.callersOwn ? "own" : "blocked by", QString::fromStdString(blocker.who),
                         QString::fromStdString(blocker.why));
    return text;
}

// Keeps what the handlers it gives out are called with, on whatever thread
// and however late: they share the log rather than point into a test case
// that may have ended.
class AnswerLog
{
public:
    ExitOutcomeHandler onOutcome() const { return recorder<ExitOutcome>(); }
    ExitProspectHandler onProspect() const { return recorder<std::optional<ExitProspect>>(); }

    QStringList answers() const
    {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        return shared->answers;
    }

private:
    template<typename Answer>
    std::function<void(const Answer &)> recorder() const
    {
        return [shared = shared](const Answer &answer) {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->answers << describe(answer);
        };
    }

    struct Shared
    {
        std::mutex mutex;
        QStringList answers;
    };
    std::shared_ptr<Shared> shared = std::make_shared<Shared>();
};

} // namespace

class LinuxPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void systemRequestsReachLogind_data();
    void systemRequestsReachLogind();
    void refusalGivesTheSystemsReason_data();
    void refusalGivesTheSystemsReason();
    void answerLaterThanQtDBusDefaultTimeoutStillCounts();
    void abortCancelsScheduledShutdown();
    void requestsLetPolkitAskForPassword();
    void logOffGoesToFirstDesktopPresent_data();
    void logOffGoesToFirstDesktopPresent();
    void logOffWaitsOutStalledSessionBus();
    void logOffStartsSessionManagerOnDemand_data();
    void logOffStartsSessionManagerOnDemand();
    void poolThreadRequestsReturnAtOnceAndStillArrive();
    void prospectTellsLogindsConsent_data();
    void prospectTellsLogindsConsent();
    void prospectNamesWhatBlocksTheAction_data();
    void prospectNamesWhatBlocksTheAction();
    void prospectLogOffTellsWhetherItCanWork_data();
    void prospectLogOffTellsWhetherItCanWork();
    void prospectAnswersWhenLogindHangs();

private:
    bool startLogind();
    bool resetLogind();
    QString withServiceDir(const QString &config);
    bool reloadSessionBus();

    // Torn down in reverse: the mock, then the buses, then their directory.
    QTemporaryDir busDir;
    PrivateBus systemBus;
    PrivateBus sessionBus;
    std::unique_ptr<MockService> logind;
    Platform &platform = systemPlatform();
};

void LinuxPlatformTest::initTestCase()
{
    const QString config = QFINDTESTDATA("data/privatebus.conf");
    QVERIFY(!config.isEmpty());
    QVERIFY(busDir.isValid());
    QVERIFY(systemBus.start(config, busDir.filePath("system")));
    QVERIFY(sessionBus.start(withServiceDir(config), busDir.filePath("session")));
    // Read once, when each shared connection is first used.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", systemBus.address().toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBus.address().toUtf8());
    // A request that reached a real bus would power off or log off the
    // machine running the tests; nothing goes on unless both are ours.
    QVERIFY(!systemBus.id().isEmpty() && !sessionBus.id().isEmpty());
    QCOMPARE(busId(QDBusConnection::systemBus()), systemBus.id());
    QCOMPARE(busId(QDBusConnection::sessionBus()), sessionBus.id());
    QVERIFY(startLogind());
}

// The session bus can start services from a folder of the test's own,
// empty but for what a case puts there.
QString LinuxPlatformTest::withServiceDir(const QString &config)
{
    QFile file(config);
    if (!file.open(QIODevice::ReadOnly) || !QDir(busDir.path()).mkpath("services"))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    text.replace("</busconfig>", "  <servicedir>" + busDir.filePath("services") + "</servicedir>\n</busconfig>");
    QFile session(busDir.filePath("session.conf"));
    if (!session.open(QIODevice::WriteOnly) || session.write(text.toUtf8()) < 0)
        return QString();
    return session.fileName();
}

bool LinuxPlatformTest::reloadSessionBus()
{
    const QDBusMessage reload = QDBusMessage::createMethodCall(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ReloadConfig");
    return QDBusConnection::sessionBus().call(reload).type() == QDBusMessage::ReplyMessage;
}

bool LinuxPlatformTest::startLogind()
{
    logind = std::make_unique<MockService>(QDBusConnection::systemBus(), login1,
                                           QStringList{"--system", "--template", "logind"});
    if (!logind->waitUntilServing())
        return false;
    const QVariantList session{"auto", "seat0", quint32(1000), "user", true};
    return logind->control(managerPath, "AddSession", session);
}

// Undoes whatever a case replaced. The template lacks CancelScheduledShutdown;
// the others are replaced so that their log keeps the argument types.
bool LinuxPlatformTest::resetLogind()
{
    const auto answerYes = [this](const QString &question) {
        return logind->control(managerPath, "AddMethod",
                               {managerInterface, question, "", "s", "ret = 'yes'"});
    };
    return logind->addRecordingMethod(managerPath, managerInterface, "PowerOff", "b")
        && logind->addRecordingMethod(managerPath, managerInterface, "Reboot", "b")
        && logind->addRecordingMethod(managerPath, managerInterface, "CancelScheduledShutdown", "")
        && logind->addRecordingMethod(sessionPath, sessionInterface, "Terminate", "")
        && answerYes("CanPowerOff") && answerYes("CanReboot")
        && logind->control(managerPath, "ClearCalls") && logind->control(sessionPath, "ClearCalls");
}

void LinuxPlatformTest::init()
{
    QVERIFY(resetLogind());
}

void LinuxPlatformTest::systemRequestsReachLogind_data()
{
    QTest::addColumn<std::uint32_t>("flags");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("stalled");

    const QString powerOff = "PowerOff(bool true)";
    const QString reboot = "Reboot(bool true)";
    QTest::newRow("shutdown") << (ExitFlags::Shutdown | ExitFlags::ForceIfHung) << managerPath << powerOff << false;
    QTest::newRow("shutdown, not forced") << ExitFlags::Shutdown << managerPath << powerOff << false;
    QTest::newRow("reboot") << (ExitFlags::Reboot | ExitFlags::ForceIfHung) << managerPath << reboot << false;
    QTest::newRow("reboot, not forced") << ExitFlags::Reboot << managerPath << reboot << false;
    QTest::newRow("unknown flags shut down") << std::uint32_t(0x04) << managerPath << powerOff << false;
    QTest::newRow("log off, not forced, no desktop") << ExitFlags::Logoff << sessionPath << "Terminate()" << false;
    // A stalled system bus used to hold the request, and the window's close
    // that waits for it, without end; nothing may reach logind once it wakes.
    QTest::newRow("shutdown, system bus stalled") << ExitFlags::Shutdown << managerPath << QString() << true;
    QTest::newRow("reboot, system bus stalled") << ExitFlags::Reboot << managerPath << QString() << true;
    QTest::newRow("log off, system bus stalled") << ExitFlags::Logoff << sessionPath << QString() << true;
}

void LinuxPlatformTest::systemRequestsReachLogind()
{
    QFETCH(std::uint32_t, flags);
    QFETCH(QString, path);
    QFETCH(QString, call);
    QFETCH(bool, stalled);
    const auto thaw = qScopeGuard([this] { systemBus.thaw(); });
    if (stalled)
        systemBus.freeze();

    AnswerLog log;
    platform.enableShutdownPrivilege();
    platform.requestExit(flags, 0, alwaysWanted, log.onOutcome());
    platform.disableShutdownPrivilege();

    const QString answer = stalled ? "no answer: " : "accepted";
    QTRY_COMPARE_WITH_TIMEOUT(log.answers(), QStringList{answer}, 20000);
    systemBus.thaw();
    QTRY_COMPARE(logind->calls(path), call.isEmpty() ? QStringList() : QStringList{call});
    QCOMPARE(logind->calls(path == managerPath ? sessionPath : managerPath), QStringList());
}

void LinuxPlatformTest::refusalGivesTheSystemsReason_data()
{
    QTest::addColumn<std::uint32_t>("flags");
    QTest::addColumn<QString>("desktopName");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("inSignature");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("outcome");

    const std::uint32_t shutdown = ExitFlags::Shutdown | ExitFlags::ForceIfHung;
    const std::uint32_t reboot = ExitFlags::Reboot | ExitFlags::ForceIfHung;
    const std::uint32_t logoff = ExitFlags::Logoff | ExitFlags::ForceIfHung;
    const QString accessDenied = "org.freedesktop.DBus.Error.AccessDenied";
    const QString denied = "Access denied by test policy";
    const Desktop gnome = desktop("GNOME");
    const auto logindRow = [&](const char *name, std::uint32_t flags, const QString &error,
                               const QString &message, const QString &outcome) {
        const bool manager = (flags & ~ExitFlags::ForceIfHung) != ExitFlags::Logoff;
        QTest::newRow(name) << flags << QString() << (manager ? managerPath : sessionPath)
                            << (manager ? managerInterface : sessionInterface)
                            << (!manager ? "Terminate" : flags == reboot ? "Reboot" : "PowerOff")
                            << (manager ? "b" : "") << error << message << outcome;
    };
    logindRow("shutdown", shutdown, accessDenied, denied, "forbidden: " + denied);
    logindRow("reboot", reboot, accessDenied, denied, "forbidden: " + denied);
    logindRow("log off, no desktop", logoff, accessDenied, denied, "forbidden: " + denied);
    QTest::newRow("log off, GNOME") << logoff << "GNOME" << gnome.path << gnome.interface << gnome.method
                                    << gnome.inSignature << accessDenied << denied << "forbidden: " + denied;
    logindRow("no message: the error's name", shutdown, accessDenied, "", "forbidden: " + accessDenied);
    // logind answers so itself when polkit's prompt goes unanswered for 25 s:
    // the machine stays on.
    logindRow("password prompt unanswered", shutdown, "org.freedesktop.DBus.Error.NoReply",
              "Method call timed out", "password not entered: Method call timed out");
    // A session manager asks for no password: its silence is no more than that.
    QTest::newRow("log off, GNOME gives no answer")
        << logoff << "GNOME" << gnome.path << gnome.interface << gnome.method << gnome.inSignature
        << "org.freedesktop.DBus.Error.NoReply" << "Method call timed out" << "refused: Method call timed out";
    // A session manager that quits as it logs off never answers; nothing was
    // reported then, not even that the log-off did not take effect.
    QTest::newRow("log off, GNOME leaves without answering")
        << logoff << "GNOME" << gnome.path << gnome.interface << gnome.method << gnome.inSignature << QString()
        << "os._exit(0)" << "accepted";
    logindRow("no agent to ask", reboot, "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
              "Interactive authentication required.", "no password prompt: Interactive authentication required.");
    logindRow("log off outside a session", logoff, "System.Error.EISDIR", "Is a directory",
              "no session to end: Is a directory");
    logindRow("no session for the process", logoff, "org.freedesktop.login1.NoSessionForPID",
              "PID 1 does not belong to any known session",
              "no session to end: PID 1 does not belong to any known session");
    logindRow("another shutdown under way", shutdown, "org.freedesktop.login1.OperationInProgress",
              "A shutdown or sleep operation is already in progress",
              "already in progress: A shutdown or sleep operation is already in progress");
    logindRow("an error of no known kind", shutdown, "org.freedesktop.login1.Unknown", "Something else",
              "refused: Something else");
}

void LinuxPlatformTest::refusalGivesTheSystemsReason()
{
    QFETCH(std::uint32_t, flags);
    QFETCH(QString, desktopName);
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QString, method);
    QFETCH(QString, inSignature);
    QFETCH(QString, error);
    QFETCH(QString, message);
    QFETCH(QString, outcome);
    std::unique_ptr<MockService> sessionManager;
    const MockService *refuser = logind.get();
    if (!desktopName.isEmpty()) {
        sessionManager = startDesktop(desktop(desktopName));
        QVERIFY(sessionManager);
        refuser = sessionManager.get();
    }
    // Without an error, the message is what the service does instead.
    const QString refuse = error.isEmpty()
        ? message : QString("raise dbus.exceptions.DBusException('%1', name='%2')").arg(message, error);
    QVERIFY(refuser->addRecordingMethod(path, interface, method, inSignature, refuse));

    AnswerLog log;
    platform.requestExit(flags, 0, alwaysWanted, log.onOutcome());

    QTRY_COMPARE(log.answers(), QStringList{outcome});
}

// QtDBus gives up on an answer after 25 s unless told otherwise, while polkit
// may keep its password dialog open for minutes.
void LinuxPlatformTest::answerLaterThanQtDBusDefaultTimeoutStillCounts()
{
    // The mock answers nothing else while it sleeps; the next case's reset
    // waits for it.
    QVERIFY(logind->addRecordingMethod(managerPath, managerInterface, "PowerOff", "b",
                                       "time.sleep(30)"));
    AnswerLog log;
    platform.requestExit(ExitFlags::Shutdown | ExitFlags::ForceIfHung, 0, alwaysWanted, log.onOutcome());

    QTRY_VERIFY_WITH_TIMEOUT(!log.answers().isEmpty(), 45000);
    QCOMPARE(log.answers(), QStringList{"accepted"});
}

void LinuxPlatformTest::abortCancelsScheduledShutdown()
{
    // A stalled bus must not hold the window that cancels; whatever reached
    // logind after it woke is cleared before the next cancellation.
    systemBus.freeze();
    platform.abortShutdown();
    systemBus.thaw();
    QVERIFY(logind->control(managerPath, "ClearCalls"));

    platform.abortShutdown();
    QTRY_COMPARE(logind->calls(managerPath), QStringList{"CancelScheduledShutdown()"});
    QCOMPARE(logind->calls(sessionPath), QStringList());
}

void LinuxPlatformTest::requestsLetPolkitAskForPassword()
{
    // The probe holds logind's name for this case alone.
    logind.reset();
    const auto restoreLogind = qScopeGuard([this] { QVERIFY(startLogind()); });
    FlagProbe probe(systemBus.address(), login1, managerPath);
    QVERIFY(probe.isServing());

    // The probe never answers.
    const auto noOutcome = [](const ExitOutcome &) {};
    platform.requestExit(ExitFlags::Shutdown | ExitFlags::ForceIfHung, 0, alwaysWanted, noOutcome);
    platform.requestExit(ExitFlags::Reboot | ExitFlags::ForceIfHung, 0, alwaysWanted, noOutcome);
    platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0, alwaysWanted, noOutcome);
    platform.abortShutdown();

    const QStringList expected{"PowerOff interactive", "Reboot interactive", "Terminate interactive",
                               "CancelScheduledShutdown interactive"};
    QTRY_COMPARE(probe.calls(), expected);
}

void LinuxPlatformTest::logOffGoesToFirstDesktopPresent_data()
{
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("GNOME") << QStringList{"GNOME"} << "GNOME";
    QTest::newRow("KDE") << QStringList{"KDE"} << "KDE";
    QTest::newRow("Xfce") << QStringList{"Xfce"} << "Xfce";
    QTest::newRow("GNOME before KDE and Xfce") << QStringList{"Xfce", "KDE", "GNOME"} << "GNOME";
    QTest::newRow("KDE before Xfce") << QStringList{"Xfce", "KDE"} << "KDE";
    QTest::newRow("no desktop: logind ends the session") << QStringList() << QString();
}

void LinuxPlatformTest::logOffGoesToFirstDesktopPresent()
{
    QFETCH(QStringList, running);
    QFETCH(QString, chosen);
    std::vector<std::unique_ptr<MockService>> sessionManagers;
    for (const QString &name : running) {
        sessionManagers.push_back(startDesktop(desktop(name)));
        QVERIFY2(sessionManagers.back(), qPrintable(name));
    }

    AnswerLog log;
    platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0, alwaysWanted, log.onOutcome());

    for (int i = 0; i < running.size(); ++i) {
        const Desktop mocked = desktop(running.at(i));
        const QStringList expected =
            running.at(i) == chosen ? QStringList{mocked.expectedCall} : QStringList();
        QTRY_COMPARE(sessionManagers.at(i)->calls(mocked.path), expected);
    }
    QTRY_COMPARE(logind->calls(sessionPath), chosen.isEmpty() ? QStringList{"Terminate()"} : QStringList());
    QCOMPARE(logind->calls(managerPath), QStringList());
    QTRY_COMPARE(log.answers(), QStringList{"accepted"});
}

// A session bus too slow to answer at once used to count as one without a
// desktop, and logind ended the session, killing its programs unsaved.
void LinuxPlatformTest::logOffWaitsOutStalledSessionBus()
{
    const Desktop gnome = desktop("GNOME");
    const std::unique_ptr<MockService> sessionManager = startDesktop(gnome);
    QVERIFY(sessionManager);
    AnswerLog log;
    const auto cleanUp = qScopeGuard([this] {
        sessionBus.thaw();
        QThreadPool::globalInstance()->waitForDone();
    });
    sessionBus.freeze();
    QThreadPool::globalInstance()->start([&] {
        platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0, alwaysWanted, log.onOutcome());
    });
    // Shorter than the wait for the bus daemon.
    QTest::qWait(1500);
    sessionBus.thaw();
    QThreadPool::globalInstance()->waitForDone();

    QTRY_COMPARE(sessionManager->calls(gnome.path), QStringList{gnome.expectedCall});
    QCOMPARE(logind->calls(sessionPath), QStringList());
    QTRY_COMPARE(log.answers(), QStringList{"accepted"});
}

void LinuxPlatformTest::logOffStartsSessionManagerOnDemand_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("Plasma's session") << "org.kde.ksmserver" << "KDE";
    QTest::newRow("Xfce, with Plasma installed") << "Xfce" << "Xfce";
    // Plasma's session manager, started where Plasma's session does not run,
    // answered the log-off with success and quit: nothing ended.
    QTest::newRow("Plasma installed, no desktop: logind ends the session") << QString() << QString();
}

// Plasma's session manager is started by the bus when it is first called,
// so while the session runs its name has no owner. Counted as missing, it
// left the log-off to logind, which killed every program unsaved.
void LinuxPlatformTest::logOffStartsSessionManagerOnDemand()
{
    QFETCH(QString, running);
    QFETCH(QString, chosen);
    const QString standIn = QFINDTESTDATA("data/sessionmanager_standin.py");
    QVERIFY(!standIn.isEmpty());
    const QString log = busDir.filePath("plasma-calls");
    QFile service(busDir.filePath("services/org.kde.Shutdown.service"));
    QVERIFY(service.open(QIODevice::WriteOnly));
    service.write(QString("[D-BUS Service]\nName=org.kde.Shutdown\n"
                          "Exec=/usr/bin/python3 %1 org.kde.Shutdown /Shutdown org.kde.Shutdown %2\n")
                      .arg(standIn, log)
                      .toUtf8());
    service.close();
    // The bus started the stand-in; it must not stay present for later cases.
    const auto cleanUp = qScopeGuard([&] {
        QFile::remove(service.fileName());
        QFile::remove(log);
        QVERIFY(reloadSessionBus());
        const QDBusMessage owner = QDBusMessage::createMethodCall(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetConnectionUnixProcessID")
            << QString("org.kde.Shutdown");
        const QDBusMessage pid = QDBusConnection::sessionBus().call(owner);
        if (pid.type() == QDBusMessage::ReplyMessage)
            ::kill(pid_t(pid.arguments().value(0).toUInt()), SIGTERM);
        QTRY_VERIFY(!hasOwner(QDBusConnection::sessionBus(), "org.kde.Shutdown"));
    });
    QVERIFY(reloadSessionBus());
    QVERIFY(!hasOwner(QDBusConnection::sessionBus(), "org.kde.Shutdown"));
    const Desktop xfce = desktop("Xfce");
    std::unique_ptr<MockService> session;
    if (running == "Xfce")
        session = startDesktop(xfce);
    else if (!running.isEmpty())
        session = std::make_unique<MockService>(QDBusConnection::sessionBus(), running,
                                                QStringList{"--session", running, "/", running});
    QVERIFY(running.isEmpty() || (session && session->waitUntilServing()));

    AnswerLog answers;
    platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0, alwaysWanted, answers.onOutcome());

    QTRY_COMPARE_WITH_TIMEOUT(answers.answers(), QStringList{"accepted"}, 20000);
    if (running == "Xfce")
        QTRY_COMPARE(session->calls(xfce.path), QStringList{xfce.expectedCall});
    QTRY_COMPARE(logind->calls(sessionPath), chosen.isEmpty() ? QStringList{"Terminate()"} : QStringList());
    QFile calls(log);
    QCOMPARE(calls.open(QIODevice::ReadOnly) ? calls.readAll() : QByteArray(),
             chosen == "KDE" ? QByteArray("logout()\n") : QByteArray());
}

void LinuxPlatformTest::poolThreadRequestsReturnAtOnceAndStillArrive()
{
    const Desktop gnome = desktop("GNOME");
    const std::unique_ptr<MockService> sessionManager = startDesktop(gnome);
    QVERIFY(sessionManager);
    // Checked over connections of the test's own: traffic on the shared ones
    // could push out a request that was stuck in their queues.
    const QDBusConnection systemChecker = QDBusConnection::connectToBus(systemBus.address(), "system");
    const QDBusConnection sessionChecker = QDBusConnection::connectToBus(sessionBus.address(), "session");
    std::atomic<bool> returned{false};
    AnswerLog log;
    const auto cleanUp = qScopeGuard([&] {
        logind->thaw();
        sessionManager->thaw();
        QThreadPool::globalInstance()->waitForDone();
        QDBusConnection::disconnectFromBus("system");
        QDBusConnection::disconnectFromBus("session");
    });
    logind->freeze();
    sessionManager->freeze();
    QThreadPool::globalInstance()->start([&] {
        platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0, alwaysWanted, log.onOutcome());
        platform.requestExit(ExitFlags::Reboot | ExitFlags::ForceIfHung, 0, alwaysWanted, log.onOutcome());
        platform.abortShutdown();
        returned = true;
    });

    // A request waiting for its answer would hang here until D-Bus gives up
    // after 25 seconds, far beyond this wait.
    QTRY_VERIFY(returned);
    logind->thaw();
    sessionManager->thaw();
    QTRY_COMPARE(sessionManager->calls(gnome.path, sessionChecker), QStringList{gnome.expectedCall});
    const QStringList expected{"Reboot(bool true)", "CancelScheduledShutdown()"};
    QTRY_COMPARE(logind->calls(managerPath, systemChecker), expected);
    // A thread of the pool runs no event loop, yet the answers reach the
    // handlers.
    QTRY_COMPARE(log.answers(), QStringList({"accepted", "accepted"}));
}

void LinuxPlatformTest::prospectTellsLogindsConsent_data()
{
    QTest::addColumn<std::uint32_t>("flags");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("expected");

    const std::uint32_t shutdown = ExitFlags::Shutdown | ExitFlags::ForceIfHung;
    const std::uint32_t reboot = ExitFlags::Reboot | ExitFlags::ForceIfHung;
    QTest::newRow("shutdown allowed") << shutdown << "CanPowerOff" << "yes" << "Granted";
    QTest::newRow("shutdown with password") << shutdown << "CanPowerOff" << "challenge" << "AsksPassword";
    QTest::newRow("shutdown forbidden") << shutdown << "CanPowerOff" << "no" << "Denied";
    QTest::newRow("reboot with password") << reboot << "CanReboot" << "challenge" << "AsksPassword";
    QTest::newRow("reboot not available") << reboot << "CanReboot" << "na" << "Denied";
    QTest::newRow("answer unheard of") << shutdown << "CanPowerOff" << "perhaps" << "Unknown";
}

void LinuxPlatformTest::prospectTellsLogindsConsent()
{
    QFETCH(std::uint32_t, flags);
    QFETCH(QString, question);
    QFETCH(QString, verdict);
    QFETCH(QString, expected);
    QVERIFY(logind->control(managerPath, "AddMethod",
                            {managerInterface, question, "", "s", QString("ret = '%1'").arg(verdict)}));

    AnswerLog log;
    platform.askProspect(flags, log.onProspect());

    QTRY_COMPARE(log.answers(), QStringList{expected});
}

void LinuxPlatformTest::prospectNamesWhatBlocksTheAction_data()
{
    QTest::addColumn<std::uint32_t>("flags");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("ours");
    QTest::addColumn<QString>("expected");

    const std::uint32_t shutdown = ExitFlags::Shutdown | ExitFlags::ForceIfHung;
    const QString blocked = "Granted, blocked by Disc burner (Écriture du disque)";
    QTest::newRow("shutdown blocked") << shutdown << "shutdown" << "block" << false << blocked;
    QTest::newRow("reboot blocked among others") << (ExitFlags::Reboot | ExitFlags::ForceIfHung)
                                                 << "sleep:shutdown:idle" << "block" << false << blocked;
    QTest::newRow("shutdown only delayed") << shutdown << "shutdown" << "delay" << false << "Granted";
    QTest::newRow("only sleep blocked") << shutdown << "sleep" << "block" << false << "Granted";
    // logind lets no program of the caller's own user hold the action off.
    QTest::newRow("the user's own program") << shutdown << "shutdown" << "block" << true
                                            << "Granted, own Disc burner (Écriture du disque)";
}

void LinuxPlatformTest::prospectNamesWhatBlocksTheAction()
{
    QFETCH(std::uint32_t, flags);
    QFETCH(QString, what);
    QFETCH(QString, mode);
    QFETCH(bool, ours);
    QFETCH(QString, expected);
    const uint uid = ours ? ::getuid() : ::getuid() + 1;
    const QString inhibitors =
        QString("ret = [('%1', 'Disc burner', 'Écriture du disque', '%2', %3, 4242)]").arg(what, mode).arg(uid);
    QVERIFY(logind->control(managerPath, "AddMethod",
                            {managerInterface, "ListInhibitors", "", "a(ssssuu)", inhibitors}));

    AnswerLog log;
    platform.askProspect(flags, log.onProspect());

    QTRY_COMPARE(log.answers(), QStringList{expected});
}

void LinuxPlatformTest::prospectLogOffTellsWhetherItCanWork_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("inSession");
    QTest::addColumn<QString>("expected");

    QTest::newRow("neither a desktop nor a session") << QString() << false << "NoSession";
    QTest::newRow("logind's session") << QString() << true << "Unknown";
    QTest::newRow("a desktop outside any session") << "GNOME" << false << "Unknown";
}

// logind ends only a session the process belongs to, and a desktop's
// session manager only its own.
void LinuxPlatformTest::prospectLogOffTellsWhetherItCanWork()
{
    QFETCH(QString, running);
    QFETCH(bool, inSession);
    QFETCH(QString, expected);
    std::unique_ptr<MockService> sessionManager;
    if (!running.isEmpty()) {
        sessionManager = startDesktop(desktop(running));
        QVERIFY(sessionManager);
    }
    const QString answer = inSession
        ? "ret = '/org/freedesktop/login1/session/auto'"
        : "raise dbus.exceptions.DBusException('PID does not belong to any known session', "
          "name='org.freedesktop.login1.NoSessionForPID')";
    QVERIFY(logind->control(managerPath, "AddMethod", {managerInterface, "GetSessionByPID", "u", "o", answer}));

    AnswerLog log;
    platform.askProspect(ExitFlags::Logoff | ExitFlags::ForceIfHung, log.onProspect());

    QTRY_COMPARE(log.answers(), QStringList{expected});
}

// The warning before the action cannot wait for a logind that never answers,
// and what nobody answered is no answer: an empty one would say that
// nothing holds the action off.
void LinuxPlatformTest::prospectAnswersWhenLogindHangs()
{
    const auto thaw = qScopeGuard([this] { logind->thaw(); });
    logind->freeze();
    AnswerLog log;
    platform.askProspect(ExitFlags::Shutdown | ExitFlags::ForceIfHung, log.onProspect());

    // Far shorter than QtDBus's own 25 s timeout.
    QTRY_VERIFY_WITH_TIMEOUT(!log.answers().isEmpty(), 10000);
    QCOMPARE(log.answers(), QStringList{"no answer"});
}

QTEST_GUILESS_MAIN(LinuxPlatformTest)
#include "tst_linuxplatform.moc"
