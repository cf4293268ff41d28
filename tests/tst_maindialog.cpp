// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "widgetfinder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

class MainDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void startsReadyToCount();
    void spinBoxesHoldTheirRanges_data();
    void spinBoxesHoldTheirRanges();
    void actionListOffersThreeActionsInOrder();
    void untouchedListStillShutsDown();
    void reselectedActionIsStored();
    void slotsAreReachableByNameInOrder();
    void settingsOpenModallyAndLeaveWindowAsItWas();
    void escapeEndsProgramWithZero();
};

void MainDialogTest::init()
{
    fakePlatform().reset();
}

void MainDialogTest::startsReadyToCount()
{
    MainDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Velmora"));
    auto* status = dialog.findChild<QLabel*>();
    QCOMPARE(status->text(), QStringLiteral("Timer not started..."));
    // The status line's name must not hide its text from a screen reader.
    QCOMPARE(status->parentWidget()->accessibleName(), QStringLiteral("Status"));
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name),
             QStringLiteral("Timer not started..."));
    QVERIFY(childWithText<QPushButton>(&dialog, "Ok")->isEnabled());
    QVERIFY(!childWithText<QPushButton>(&dialog, "STOP!")->isEnabled());
    QVERIFY(childWithText<QPushButton>(&dialog, "Settings")->isEnabled());
    QCOMPARE(spinBoxWithSuffix(&dialog, " d")->text(), QStringLiteral("0 d"));
    QCOMPARE(spinBoxWithSuffix(&dialog, " h")->text(), QStringLiteral("0 h"));
    QCOMPARE(spinBoxWithSuffix(&dialog, " m")->text(), QStringLiteral("0 m"));
    QCOMPARE(spinBoxWithSuffix(&dialog, " d")->toolTip(), QStringLiteral("Maximum is 38 days."));
    QCOMPARE(dialog.findChildren<QSpinBox*>().size(), 3);
}

void MainDialogTest::spinBoxesHoldTheirRanges_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("name");

    QTest::newRow("days") << " d" << 38 << "Days";
    QTest::newRow("hours") << " h" << 23 << "Hours";
    QTest::newRow("minutes") << " m" << 59 << "Minutes";
}

void MainDialogTest::spinBoxesHoldTheirRanges()
{
    QFETCH(QString, suffix);
    QFETCH(int, maximum);
    QFETCH(QString, name);
    MainDialog dialog;
    QSpinBox* box = spinBoxWithSuffix(&dialog, suffix);
    QVERIFY(box);
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);

    box->stepDown();
    QCOMPARE(box->value(), 0);
    box->setValue(maximum);
    box->stepUp();
    QCOMPARE(box->value(), maximum);
    box->setValue(maximum + 1000);
    QCOMPARE(box->value(), maximum);
}

void MainDialogTest::actionListOffersThreeActionsInOrder()
{
    MainDialog dialog;
    auto* actions = dialog.findChild<QComboBox*>();
    QVERIFY(!actions->isEditable());
    QCOMPARE(actions->accessibleName(), QStringLiteral("Action"));
    QCOMPARE(actions->count(), 3);
    QCOMPARE(actions->itemText(0), QStringLiteral("Shutdown"));
    QCOMPARE(actions->itemText(1), QStringLiteral("Reboot"));
    QCOMPARE(actions->itemText(2), QStringLiteral("Log off"));
    QCOMPARE(actions->currentIndex(), 0);
}

void MainDialogTest::untouchedListStillShutsDown()
{
    MainDialog dialog;
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    QCOMPARE(fakePlatform().exitRequests().at(0).flags, 0x11u);
}

void MainDialogTest::reselectedActionIsStored()
{
    MainDialog dialog;
    auto* actions = dialog.findChild<QComboBox*>();
    actions->setCurrentIndex(1);
    actions->setCurrentIndex(0);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    actions->setCurrentIndex(2);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdown"));
    // Reached by name, the text is stored as given, whatever the list shows.
    QVERIFY(QMetaObject::invokeMethod(&dialog, "setMode", Q_ARG(QString, "Reboot")));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));

    const auto requests = fakePlatform().exitRequests();
    QCOMPARE(requests.size(), size_t(3));
    QCOMPARE(requests[0].flags, 0x11u);
    QCOMPARE(requests[1].flags, 0x10u);
    QCOMPARE(requests[2].flags, 0x12u);
}

void MainDialogTest::slotsAreReachableByNameInOrder()
{
    const QMetaObject& meta = MainDialog::staticMetaObject;
    QCOMPARE(meta.className(), "MainDialog");
    const QList<QByteArray> expected = {
        "cancel()",           "go()",       "setHvalue(int)",     "setMvalue(int)",
        "setDvalue(int)",     "shutdown()", "shutdownApproved()", "fAbortShutdown()",
        "setMode(QString)",   "launchSettings()",
    };
    QCOMPARE(meta.methodCount() - meta.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta.method(meta.methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected[i]);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
    }
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
}

void MainDialogTest::settingsOpenModallyAndLeaveWindowAsItWas()
{
    MainDialog dialog;
    spinBoxWithSuffix(&dialog, " m")->setValue(5);
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    QByteArray openedClass;
    QTimer::singleShot(0, &dialog, [&openedClass] {
        if (QWidget* opened = QApplication::activeModalWidget()) {
            openedClass = opened->metaObject()->className();
            opened->close();
        }
    });
    QTest::mouseClick(childWithText<QPushButton>(&dialog, "Settings"), Qt::LeftButton);

    QCOMPARE(openedClass, QByteArray("settingsDialog"));
    QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Timer not started..."));
    QCOMPARE(spinBoxWithSuffix(&dialog, " m")->value(), 5);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    QCOMPARE(fakePlatform().exitRequests().at(0).flags, 0x12u);
}

void MainDialogTest::escapeEndsProgramWithZero()
{
    MainDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), 0);
}

QTEST_MAIN(MainDialogTest)
#include "tst_maindialog.moc"
