// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotification.h"
#include "mockbus.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const QString notifications = QStringLiteral("org.freedesktop.Notifications");
const QString serverPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr uint expired = 1;
}

// The notification against a stand-in server on a bus of the test's own.
class DesktopNotificationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void changesWhileTheServerIsSlowKeepItShown();
    void goingAwayClosesWhatWasSent();
    void expiredNotificationReturnsFewTimesEverLater();

private:
    QStringList calls(const QString& method) const;
    bool expire(uint notificationId) const;

    QTemporaryDir busDir;
    PrivateBus sessionBus;
    std::unique_ptr<MockService> server;
    std::unique_ptr<DesktopNotification> notification;
};

void DesktopNotificationTest::initTestCase()
{
    const QString config = QFINDTESTDATA("data/privatebus.conf");
    QVERIFY(busDir.isValid());
    QVERIFY(sessionBus.start(config, busDir.filePath("session")));
    qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBus.address().toUtf8());
    QCOMPARE(busId(QDBusConnection::sessionBus()), sessionBus.id());
}

void DesktopNotificationTest::init()
{
    server = std::make_unique<MockService>(QDBusConnection::sessionBus(), notifications,
                                           QStringList{"--session", "--template", "notification_daemon"});
    QVERIFY(server->waitUntilServing());
    notification = std::make_unique<DesktopNotification>("stop", "Stop", QString(), nullptr);
}

void DesktopNotificationTest::cleanup()
{
    notification.reset();
    server.reset();
}

QStringList DesktopNotificationTest::calls(const QString& method) const
{
    return server->calls(serverPath).filter(QRegularExpression("^" + method + "\\("));
}

bool DesktopNotificationTest::expire(uint notificationId) const
{
    const QVariantList arguments{QVariant::fromValue(QDBusVariant(notificationId)),
                                 QVariant::fromValue(QDBusVariant(expired))};
    return server->control(serverPath, "EmitSignal", {notifications, "NotificationClosed", "uu", arguments});
}

// Two Notify calls replacing one id were in flight at once; the first
// answer closed the id the second still used, and the warning vanished.
void DesktopNotificationTest::changesWhileTheServerIsSlowKeepItShown()
{
    notification->show("Shutdown at 12:00.", "first");
    QTRY_VERIFY(notification->isShown());
    server->freeze();
    notification->show("Reboot at 12:00.", "second");
    notification->show("Log off at 12:00.", "third");
    server->thaw();
    QTRY_VERIFY(notification->isShown());
    QCOMPARE(calls("Notify").size(), 3);
    QVERIFY(calls("Notify").last().contains("Log off at 12:00."));
    QVERIFY2(calls("CloseNotification").isEmpty(), qPrintable(calls("CloseNotification").join('\n')));
}

// The report's notification stayed on the server after the program ended,
// its "Try again" heard by no one.
void DesktopNotificationTest::goingAwayClosesWhatWasSent()
{
    notification->show("Shutdown not done", "Refused");
    QTRY_VERIFY(notification->isShown());
    notification.reset();
    QCOMPARE(calls("CloseNotification").size(), 1);
}

// A server that expires critical notifications brought one back at once
// and for ever.
void DesktopNotificationTest::expiredNotificationReturnsFewTimesEverLater()
{
    auto* reshow = notification->findChild<QTimer*>("reshowAfterExpiry");
    QVERIFY(reshow);
    notification->show("Shutdown at 12:00.", "Stop cancels the countdown.");
    int lastInterval = 0;
    for (int expiry = 1; expiry <= 3; ++expiry) {
        QTRY_VERIFY(notification->isShown());
        QVERIFY(expire(uint(expiry)));
        QTRY_VERIFY(reshow->isActive());
        QCOMPARE(calls("Notify").size(), expiry);
        QVERIFY(reshow->interval() > lastInterval);
        lastInterval = reshow->interval();
        reshow->stop();
        QMetaObject::invokeMethod(reshow, "timeout");
        QTRY_COMPARE(calls("Notify").size(), expiry + 1);
    }
    QTRY_VERIFY(notification->isShown());
    QVERIFY(expire(4));
    QTRY_VERIFY(!notification->isShown());
    QCoreApplication::processEvents();
    QVERIFY(!reshow->isActive());
    QCOMPARE(calls("Notify").size(), 4);
}

QTEST_GUILESS_MAIN(DesktopNotificationTest)
#include "tst_desktopnotification.moc"
