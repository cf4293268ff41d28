// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockbus.h"
#include "pauseinterrupt.h"
#include "platform.h"

#include <QDBusConnection>
#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <vector>

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

struct Desktop
{
    QString service, path, interface, method, inSignature, expectedCall;
};

Desktop desktop(const QString &name)
{
    static const QHash<QString, Desktop> desktops = {
        {"GNOME",
         {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
          "Logout", "u", "Logout(uint 1)"}},
        {"KDE",
         {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", "", "logout()"}},
        {"Xfce",
         {"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager",
          "Logout", "bb", "Logout(bool false, bool true)"}},
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
                                     desktop.inSignature))
        return nullptr;
    return mock;
}

} // namespace

class LinuxPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void systemRequestsReachLogind_data();
    void systemRequestsReachLogind();
    void abortCancelsScheduledShutdown();
    void requestsLetPolkitAskForPassword();
    void logOffGoesToFirstDesktopPresent_data();
    void logOffGoesToFirstDesktopPresent();
    void poolThreadRequestsReturnAtOnceAndStillArrive();

private:
    bool startLogind();

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
    QVERIFY(sessionBus.start(config, busDir.filePath("session")));
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

bool LinuxPlatformTest::startLogind()
{
    logind = std::make_unique<MockService>(QDBusConnection::systemBus(), login1,
                                           QStringList{"--system", "--template", "logind"});
    if (!logind->waitUntilServing())
        return false;
    const QVariantList session{"auto", "seat0", quint32(1000), "user", true};
    // The template lacks CancelScheduledShutdown; the others are replaced so
    // that their log keeps the argument types.
    return logind->control(managerPath, "AddSession", session)
        && logind->addRecordingMethod(managerPath, managerInterface, "PowerOff", "b")
        && logind->addRecordingMethod(managerPath, managerInterface, "Reboot", "b")
        && logind->addRecordingMethod(managerPath, managerInterface, "CancelScheduledShutdown", "")
        && logind->addRecordingMethod(sessionPath, sessionInterface, "Terminate", "");
}

void LinuxPlatformTest::init()
{
    for (const QString &path : {managerPath, sessionPath})
        QVERIFY(logind->control(path, "ClearCalls"));
}

void LinuxPlatformTest::systemRequestsReachLogind_data()
{
    QTest::addColumn<std::uint32_t>("flags");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("call");

    const QString powerOff = "PowerOff(bool true)";
    const QString reboot = "Reboot(bool true)";
    QTest::newRow("shutdown") << (ExitFlags::Shutdown | ExitFlags::ForceIfHung) << managerPath << powerOff;
    QTest::newRow("shutdown, not forced") << ExitFlags::Shutdown << managerPath << powerOff;
    QTest::newRow("reboot") << (ExitFlags::Reboot | ExitFlags::ForceIfHung) << managerPath << reboot;
    QTest::newRow("reboot, not forced") << ExitFlags::Reboot << managerPath << reboot;
    QTest::newRow("unknown flags shut down") << std::uint32_t(0x04) << managerPath << powerOff;
    QTest::newRow("log off, not forced, no desktop") << ExitFlags::Logoff << sessionPath << "Terminate()";
}

void LinuxPlatformTest::systemRequestsReachLogind()
{
    QFETCH(std::uint32_t, flags);
    QFETCH(QString, path);
    QFETCH(QString, call);

    platform.enableShutdownPrivilege();
    platform.requestExit(flags, 0);
    platform.disableShutdownPrivilege();

    QTRY_COMPARE(logind->calls(path), QStringList{call});
    QCOMPARE(logind->calls(path == managerPath ? sessionPath : managerPath), QStringList());
}

void LinuxPlatformTest::abortCancelsScheduledShutdown()
{
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

    platform.requestExit(ExitFlags::Shutdown | ExitFlags::ForceIfHung, 0);
    platform.requestExit(ExitFlags::Reboot | ExitFlags::ForceIfHung, 0);
    platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0);
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

    platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0);

    for (int i = 0; i < running.size(); ++i) {
        const Desktop mocked = desktop(running.at(i));
        const QStringList expected =
            running.at(i) == chosen ? QStringList{mocked.expectedCall} : QStringList();
        QTRY_COMPARE(sessionManagers.at(i)->calls(mocked.path), expected);
    }
    QTRY_COMPARE(logind->calls(sessionPath), chosen.isEmpty() ? QStringList{"Terminate()"} : QStringList());
    QCOMPARE(logind->calls(managerPath), QStringList());
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
        platform.requestExit(ExitFlags::Logoff | ExitFlags::ForceIfHung, 0);
        platform.requestExit(ExitFlags::Reboot | ExitFlags::ForceIfHung, 0);
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
}

QTEST_GUILESS_MAIN(LinuxPlatformTest)
#include "tst_linuxplatform.moc"
