// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"
#include "maindialog.h"
#include "refusalreport.h"
#include "runwarning.h"
#include "saveprompt.h"
#include "settings.h"
#include "settingsdialog.h"
#include "testlanguage.h"
#include "timelefttext.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTimer>

namespace {

// True when every letter of the text lies between the pseudo-translation's
// markers: a letter outside them was never translated.
bool marked(const QString& text)
{
    int depth = 0;
    for (const QChar c : text) {
        if (c == QChar(0x27E6))
            ++depth;
        else if (c == QChar(0x27E7))
            --depth;
        else if (depth == 0 && c.isLetter())
            return false;
    }
    return true;
}

// Everything a user or a screen reader meets in the window's visible
// widgets. An empty title is the desktop's to fill with the program's name.
QStringList unmarkedTexts(QWidget* window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    QStringList found;
    for (QWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        QStringList texts{widget->windowTitle(), widget->property("text").toString(),
                          widget->property("suffix").toString(), widget->toolTip(), widget->whatsThis()};
        if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget))
            texts << accessible->text(QAccessible::Name) << accessible->text(QAccessible::Description);
        if (const auto* list = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        }
        for (const QString& text : texts) {
            if (!marked(text) && text != QApplication::applicationDisplayName())
                found << QStringLiteral("%1: %2").arg(widget->metaObject()->className(), text);
        }
    }
    return found;
}

QList<QWidget*> noticeWindows()
{
    QList<QWidget*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("NoticeWindow") && window->isVisible())
            shown << window;
    }
    return shown;
}

QStringList noticeMessages()
{
    QStringList messages;
    for (QWidget* notice : noticeWindows())
        messages << notice->findChild<QLabel*>()->text();
    return messages;
}

}

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyShownTextIsTranslated();
    void pluralFormsFollowTheLanguage_data();
    void pluralFormsFollowTheLanguage();
    void translatedEntriesRequestTheirOwnAction_data();
    void translatedEntriesRequestTheirOwnAction();
};

void TranslationsTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    settings.displayAlert = true;
    settings.alertTime = 1;
}

void TranslationsTest::init()
{
    fakePlatform().reset();
}

void TranslationsTest::cleanup()
{
    fakePlatform().holdPauses(false);
    fakePlatform().releasePauses();
    useLanguage(QStringLiteral("en"));
}

// Every window in the pseudo-translation, in the states that change its
// texts; what the system says comes in quoted sentences of the program's.
void TranslationsTest::everyShownTextIsTranslated()
{
    useLanguage(QStringLiteral("pseudo"));
    ExitProspect prospect{ExitProspect::Consent::AsksPassword, {{"Backup", "Copying", false}, {"Editor", "", true}}};
    fakePlatform().answerProspects(prospect);
    fakePlatform().holdPauses(true);

    MainDialog dialog;
    dialog.show();
    QStringList found = unmarkedTexts(&dialog);
    auto* status = dialog.findChild<QLabel*>();
    const QString notStarted = status->text();
    QVERIFY(QMetaObject::invokeMethod(&dialog, "setMvalue", Q_ARG(int, 2)));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "go"));
    QTRY_VERIFY(status->text() != notStarted);
    found << unmarkedTexts(&dialog);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "cancel"));
    found << unmarkedTexts(&dialog);

    RunWarning warning(nullptr);
    warning.arm(120000);
    warning.update(60000, 0x12);
    RefusalReport report(nullptr);
    report.show(QStringLiteral("Log off"), {ExitOutcome::Kind::Forbidden, "Denied"}, report.requestTicket());
    // Both name the program that holds the action off once the system has said so.
    QTRY_VERIFY(noticeMessages().filter(QStringLiteral("Backup")).size() == 2);
    for (QWidget* notice : noticeWindows())
        found << unmarkedTexts(notice);

    settingsDialog settingsWindow;
    settingsWindow.show();
    found << unmarkedTexts(&settingsWindow);
    QTimer::singleShot(0, [&found] {
        QWidget* prompt = QApplication::activeModalWidget();
        found << unmarkedTexts(prompt);
        QTest::keyClick(prompt, Qt::Key_Escape);
    });
    askToRetrySave(nullptr);
    QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
}

void TranslationsTest::pluralFormsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<quint32>("count");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("status");

    // English keeps the plural throughout the status line, as it always has.
    QTest::newRow("en 1") << "en" << 1u << "Shutdown in 1 minute." << "0 days, 0 hours, 0 minutes and 1 seconds";
    QTest::newRow("en 2") << "en" << 2u << "Shutdown in 2 minutes." << "0 days, 0 hours, 0 minutes and 2 seconds";
    QTest::newRow("en 5") << "en" << 5u << "Shutdown in 5 minutes." << "0 days, 0 hours, 0 minutes and 5 seconds";
    QTest::newRow("en 21") << "en" << 21u << "Shutdown in 21 minutes." << "0 days, 0 hours, 0 minutes and 21 seconds";
    QTest::newRow("de 1") << "de" << 1u << "Herunterfahren in 1 Minute." << "0 Tage, 0 Stunden, 0 Minuten und 1 Sekunde";
    QTest::newRow("de 2") << "de" << 2u << "Herunterfahren in 2 Minuten." << "0 Tage, 0 Stunden, 0 Minuten und 2 Sekunden";
    QTest::newRow("de 5") << "de" << 5u << "Herunterfahren in 5 Minuten." << "0 Tage, 0 Stunden, 0 Minuten und 5 Sekunden";
    QTest::newRow("de 21") << "de" << 21u << "Herunterfahren in 21 Minuten."
                           << "0 Tage, 0 Stunden, 0 Minuten und 21 Sekunden";
    QTest::newRow("ru 1") << "ru" << 1u << "Выключение через 1 минуту." << "0 дней, 0 часов, 0 минут и 1 секунда";
    QTest::newRow("ru 2") << "ru" << 2u << "Выключение через 2 минуты." << "0 дней, 0 часов, 0 минут и 2 секунды";
    QTest::newRow("ru 5") << "ru" << 5u << "Выключение через 5 минут." << "0 дней, 0 часов, 0 минут и 5 секунд";
    QTest::newRow("ru 21") << "ru" << 21u << "Выключение через 21 минуту." << "0 дней, 0 часов, 0 минут и 21 секунда";
    // Polish has a form of its own for 2 to 4 after any tens but the teens,
    // and, unlike Russian, its singular for 1 alone.
    QTest::newRow("pl 1") << "pl" << 1u << "Wyłączenie za 1 minutę." << "0 dni, 0 godzin, 0 minut i 1 sekunda";
    QTest::newRow("pl 2") << "pl" << 2u << "Wyłączenie za 2 minuty." << "0 dni, 0 godzin, 0 minut i 2 sekundy";
    QTest::newRow("pl 5") << "pl" << 5u << "Wyłączenie za 5 minut." << "0 dni, 0 godzin, 0 minut i 5 sekund";
    QTest::newRow("pl 21") << "pl" << 21u << "Wyłączenie za 21 minut." << "0 dni, 0 godzin, 0 minut i 21 sekund";
    QTest::newRow("pl 22") << "pl" << 22u << "Wyłączenie za 22 minuty." << "0 dni, 0 godzin, 0 minut i 22 sekundy";
}

// The warning's minutes and the status line's seconds, each a count of its own.
void TranslationsTest::pluralFormsFollowTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(quint32, count);
    QFETCH(QString, warning);
    QFETCH(QString, status);
    useLanguage(language);
    QCOMPARE(warningMessage(0x11, count * 60000), warning);
    QVERIFY2(timeLeftText(count * 1000).endsWith(status), qPrintable(timeLeftText(count * 1000)));
}

void TranslationsTest::translatedEntriesRequestTheirOwnAction_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<quint32>("flags");

    QTest::newRow("Herunterfahren") << 0 << "Herunterfahren" << 0x11u;
    QTest::newRow("Neu starten") << 1 << "Neu starten" << 0x12u;
    QTest::newRow("Abmelden") << 2 << "Abmelden" << 0x10u;
}

// The entries' words are German; the action is still the entry's own.
void TranslationsTest::translatedEntriesRequestTheirOwnAction()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(quint32, flags);
    useLanguage(QStringLiteral("de"));
    MainDialog dialog;
    auto* actions = dialog.findChild<QComboBox*>();
    actions->setCurrentIndex((index + 1) % actions->count());
    actions->setCurrentIndex(index);
    QCOMPARE(actions->currentText(), entry);
    QVERIFY(QMetaObject::invokeMethod(&dialog, "shutdownApproved"));
    QCOMPARE(fakePlatform().exitRequests().at(0).flags, flags);
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
