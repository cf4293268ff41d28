// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "promptanswerer.h"
#include "settings.h"
#include "settingsdialog.h"
#include "temporaryworkdir.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

// The dialog's widgets, found the way a user tells them apart.
struct Widgets
{
    explicit Widgets(settingsDialog& dialog)
    {
        for (QSpinBox* box : dialog.findChildren<QSpinBox*>())
            (box->suffix() == QLatin1String("ms") ? sleep : alert) = box;
        check = dialog.findChild<QCheckBox*>();
        accept = buttonNamed(dialog, QStringLiteral("Accept"));
        reset = buttonNamed(dialog, QStringLiteral("Reset"));
        cancel = buttonNamed(dialog, QStringLiteral("Cancel"));
    }

    static QPushButton* buttonNamed(settingsDialog& dialog, const QString& text)
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }

    bool complete() const { return sleep && alert && check && accept && reset && cancel; }

    QSpinBox* sleep = nullptr;
    QSpinBox* alert = nullptr;
    QCheckBox* check = nullptr;
    QPushButton* accept = nullptr;
    QPushButton* reset = nullptr;
    QPushButton* cancel = nullptr;
};

QByteArray savedFile()
{
    QFile file(QStringLiteral("settings.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

} // namespace

class SettingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void slotsAreReachableByName();
    void opensShowingTheRecordWithinRange_data();
    void opensShowingTheRecordWithinRange();
    void spinBoxesStepWithinTheirBounds_data();
    void spinBoxesStepWithinTheirBounds();
    void acceptRightAfterOpeningSavesTheShownRecord_data();
    void acceptRightAfterOpeningSavesTheShownRecord();
    void intervalIsOnlyStagedUntilAccept();
    void resetShowsTheRecordAgain();
    void resetStoresTheAlertTimeOnlyWhenItsBoxChanges();
    void alertChangesTakeEffectAtOnce();
    void cancelWritesNothingButKeepsAlertChanges();
    void acceptClosesEvenWhenTheSaveIsIgnored();

private:
    std::unique_ptr<TemporaryWorkDir> workDir;
};

void SettingsDialogTest::init()
{
    workDir = std::make_unique<TemporaryWorkDir>();
    QVERIFY(workDir->isEntered());
    settings = Settings{500, true, 5000};
}

void SettingsDialogTest::cleanup()
{
    workDir.reset();
}

void SettingsDialogTest::slotsAreReachableByName()
{
    const QMetaObject& meta = settingsDialog::staticMetaObject;
    QCOMPARE(meta.className(), "settingsDialog");
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 5);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    const QList<QByteArray> expected{"updateSBSTValue(int)", "updateAlertBool(bool)", "Accept()", "Reset()",
                                     "updateAlertTimeValue(int)"};
    for (int i = 0; i < 5; ++i) {
        const QMetaMethod slot = meta.method(meta.methodOffset() + i);
        QCOMPARE(slot.methodSignature(), expected.at(i));
        QCOMPARE(slot.methodType(), QMetaMethod::Slot);
        QCOMPARE(slot.access(), QMetaMethod::Private);
    }
    QCOMPARE(meta.method(meta.methodOffset()).parameterNames(), QList<QByteArray>{"value"});

    settingsDialog dialog(nullptr);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "updateAlertTimeValue", Q_ARG(int, 7)));
    QCOMPARE(settings.alertTime, 7);
}

void SettingsDialogTest::opensShowingTheRecordWithinRange_data()
{
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<int>("alertTime");
    QTest::addColumn<int>("shownSleep");
    QTest::addColumn<int>("shownAlert");

    QTest::newRow("no settings file") << 500 << true << 5000 << 500 << 10;
    QTest::newRow("flag off") << 500 << false << 3 << 500 << 3;
    QTest::newRow("off the step grid") << 725 << true << 1 << 725 << 1;
    QTest::newRow("below the bounds") << 50 << true << 0 << 100 << 1;
    QTest::newRow("negative") << -5 << true << -7 << 100 << 1;
    QTest::newRow("above the bounds") << 5000 << true << 11 << 1000 << 10;
}

void SettingsDialogTest::opensShowingTheRecordWithinRange()
{
    QFETCH(int, sleepTime);
    QFETCH(bool, displayAlert);
    QFETCH(int, alertTime);
    settings = Settings{sleepTime, displayAlert, alertTime};
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    QTEST(widgets.sleep->value(), "shownSleep");
    QTEST(widgets.alert->value(), "shownAlert");
    QCOMPARE(widgets.check->isChecked(), displayAlert);
    // Setting the initial values must run no slot: the record keeps its values.
    QCOMPARE(settings.sleepTime, sleepTime);
    QCOMPARE(settings.displayAlert, displayAlert);
    QCOMPARE(settings.alertTime, alertTime);
}

void SettingsDialogTest::spinBoxesStepWithinTheirBounds_data()
{
    QTest::addColumn<bool>("sleepBox");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("result");

    QTest::newRow("interval up") << true << 500 << true << 550;
    QTest::newRow("interval down") << true << 500 << false << 450;
    QTest::newRow("interval at top") << true << 1000 << true << 1000;
    QTest::newRow("interval at bottom") << true << 100 << false << 100;
    QTest::newRow("alert up") << false << 5 << true << 6;
    QTest::newRow("alert down") << false << 5 << false << 4;
    QTest::newRow("alert at top") << false << 10 << true << 10;
    QTest::newRow("alert at bottom") << false << 1 << false << 1;
}

void SettingsDialogTest::spinBoxesStepWithinTheirBounds()
{
    QFETCH(bool, sleepBox);
    QFETCH(int, start);
    QFETCH(bool, up);
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    QSpinBox* box = sleepBox ? widgets.sleep : widgets.alert;
    box->setValue(start);
    up ? box->stepUp() : box->stepDown();
    QTEST(box->value(), "result");
}

void SettingsDialogTest::acceptRightAfterOpeningSavesTheShownRecord_data()
{
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<QByteArray>("bytes");

    QFile defaults(QFINDTESTDATA("data/settings-defaults.dat"));
    QVERIFY(defaults.open(QIODevice::ReadOnly));
    QTest::newRow("defaults") << 500 << true << defaults.readAll();
    QTest::newRow("flag off") << 500 << false << QByteArray("500 0 5000");
    QTest::newRow("interval above range") << 5000 << true << QByteArray("1000 1 5000");
    QTest::newRow("interval below range") << 50 << true << QByteArray("100 1 5000");
}

void SettingsDialogTest::acceptRightAfterOpeningSavesTheShownRecord()
{
    QFETCH(int, sleepTime);
    QFETCH(bool, displayAlert);
    settings = Settings{sleepTime, displayAlert, 5000};
    settingsDialog dialog(nullptr);
    dialog.show();
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    widgets.accept->click();
    QTEST(savedFile(), "bytes");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settings.sleepTime, sleepTime);
}

void SettingsDialogTest::intervalIsOnlyStagedUntilAccept()
{
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    widgets.sleep->setValue(700);
    QCOMPARE(settings.sleepTime, 500);
    QVERIFY(!QFile::exists(QStringLiteral("settings.dat")));
    widgets.accept->click();
    QCOMPARE(savedFile(), QByteArray("700 1 5000"));
    QCOMPARE(settings.sleepTime, 500);
}

void SettingsDialogTest::resetShowsTheRecordAgain()
{
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    widgets.sleep->setValue(700);
    settings.displayAlert = false;
    QSignalSpy clicks(widgets.check, &QCheckBox::clicked);
    widgets.reset->click();
    QCOMPARE(widgets.sleep->value(), 500);
    QVERIFY(!widgets.check->isChecked());
    // Only a click stores the flag; Reset() shows the record's without one.
    QCOMPARE(clicks.count(), 0);
    widgets.accept->click();
    QCOMPARE(savedFile(), QByteArray("500 0 5000"));
}

void SettingsDialogTest::resetStoresTheAlertTimeOnlyWhenItsBoxChanges()
{
    settings.alertTime = 3;
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    settings.alertTime = 5000;
    widgets.reset->click();
    QCOMPARE(widgets.alert->value(), 10);
    QCOMPARE(settings.alertTime, 10);

    // Held at 10 already, the box does not change, so 5000 stays in the record.
    settings.alertTime = 5000;
    widgets.reset->click();
    QCOMPARE(settings.alertTime, 5000);
}

void SettingsDialogTest::alertChangesTakeEffectAtOnce()
{
    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    widgets.check->click();
    QCOMPARE(settings.displayAlert, false);
    widgets.check->click();
    QCOMPARE(settings.displayAlert, true);
    widgets.alert->stepDown();
    // Minutes are stored as shown, never converted.
    QCOMPARE(settings.alertTime, 9);
    QCOMPARE(settings.sleepTime, 500);
}

void SettingsDialogTest::cancelWritesNothingButKeepsAlertChanges()
{
    {
        settingsDialog dialog(nullptr);
        dialog.show();
        Widgets widgets(dialog);
        QVERIFY(widgets.complete());
        widgets.sleep->setValue(700);
        widgets.check->click();
        widgets.alert->setValue(4);
        widgets.cancel->click();
        QVERIFY(!dialog.isVisible());
    }
    QVERIFY(!QFile::exists(QStringLiteral("settings.dat")));
    QCOMPARE(settings.sleepTime, 500);
    QCOMPARE(settings.displayAlert, false);
    QCOMPARE(settings.alertTime, 4);

    settingsDialog dialog(nullptr);
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    QCOMPARE(widgets.sleep->value(), 500);
    QVERIFY(!widgets.check->isChecked());
    widgets.accept->click();
    QCOMPARE(savedFile(), QByteArray("500 0 4"));
}

void SettingsDialogTest::acceptClosesEvenWhenTheSaveIsIgnored()
{
    QVERIFY(QDir().mkdir(QStringLiteral("settings.dat")));
    settingsDialog dialog(nullptr);
    dialog.show();
    Widgets widgets(dialog);
    QVERIFY(widgets.complete());
    PromptAnswerer answerer({pressIgnore});
    widgets.accept->click();
    QCOMPARE(answerer.prompts, 1);
    QVERIFY(!dialog.isVisible());
    QVERIFY(QFileInfo(QStringLiteral("settings.dat")).isDir());
}

QTEST_MAIN(SettingsDialogTest)
#include "tst_settingsdialog.moc"
