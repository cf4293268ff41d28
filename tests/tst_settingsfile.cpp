// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "promptanswerer.h"
#include "settings.h"
#include "temporaryworkdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(Answer)

namespace {

void writeFile(const QByteArray& content)
{
    QFile file(QStringLiteral("settings.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile()
{
    QFile file(QStringLiteral("settings.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Puts something other than a regular file under the name settings.dat. The
// tests run as root, who may write a read-only file but never a directory,
// and the settings code takes neither a FIFO nor a device for its file; so
// these stand in for a file that cannot be opened.
bool makeIrregularFile(const QString& kind)
{
    if (kind == QLatin1String("directory"))
        return QDir().mkdir(QStringLiteral("settings.dat"))
            && QFile(QStringLiteral("settings.dat/kept")).open(QIODevice::WriteOnly);
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("settings.dat"));
#ifdef Q_OS_UNIX
    if (kind == QLatin1String("fifo"))
        return ::mkfifo("settings.dat", 0600) == 0;
#endif
    return false;
}

void addIrregularFileRows()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << QStringLiteral("directory");
    // A plain open of a FIFO waits for its other end: start-up would hang.
    QTest::newRow("fifo") << QStringLiteral("fifo");
    // Read as a file, /dev/zero would give 0 / true / 0.
    QTest::newRow("device") << QStringLiteral("device");
}

} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadsValuesUntilOneIsInvalid_data();
    void loadsValuesUntilOneIsInvalid();
    void fileThatCannotBeOpenedGivesFallbackValues_data();
    void fileThatCannotBeOpenedGivesFallbackValues();
    void hugeFileGivesItsFirstThreeValues();
    void writesPlainDecimalText_data();
    void writesPlainDecimalText();
    void savedValuesLoadBack_data();
    void savedValuesLoadBack();
    void promptAsksToRetryOrIgnore();
    void givingUpLeavesTheOldFile_data();
    void givingUpLeavesTheOldFile();
    void retryWritesOnceTheFileOpens();
    void everyFailedRetryPromptsAgain();
    void irregularFileIsNeverWritten_data();
    void irregularFileIsNeverWritten();

private:
    std::unique_ptr<TemporaryWorkDir> workDir;
};

void SettingsFileTest::init()
{
    workDir = std::make_unique<TemporaryWorkDir>();
    QVERIFY(workDir->isEntered());
    settings = Settings{};
}

void SettingsFileTest::cleanup()
{
    workDir.reset();
}

void SettingsFileTest::loadsValuesUntilOneIsInvalid_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<int>("alertTime");

    const QByteArray spaces(1000, ' ');
    QTest::newRow("empty file") << QByteArray() << 0 << true << 0;
    QTest::newRow("whitespace only") << QByteArray(" \t\n\v\f\r") << 0 << true << 0;
    QTest::newRow("interval only") << QByteArray("750") << 750 << true << 0;
    QTest::newRow("single spaces") << QByteArray("750 1 60000") << 750 << true << 60000;
    QTest::newRow("whitespace mix") << QByteArray("\t 750\r\n1\v\f\t60000\r\n") << 750 << true << 60000;
    QTest::newRow("runs longer than any buffer")
        << spaces + "750" + spaces + "1" + spaces + "60000" << 750 << true << 60000;
    QTest::newRow("flag 0") << QByteArray("750 0 60000") << 750 << false << 60000;
    QTest::newRow("flag 2 stops") << QByteArray("750 2 60000") << 750 << true << 0;
    QTest::newRow("flag -1 stops") << QByteArray("750 -1 60000") << 750 << true << 0;
    QTest::newRow("flag letter") << QByteArray("750 x 60000") << 750 << false << 0;
    QTest::newRow("flag lone sign") << QByteArray("750 - 60000") << 750 << false << 0;
    QTest::newRow("flag out of range") << QByteArray("750 4294967296 60000") << 750 << true << 0;
    QTest::newRow("flag 0 then letter") << QByteArray("750 0 x") << 750 << false << 0;
    QTest::newRow("flag 0 then nothing") << QByteArray("750 0 \n") << 750 << false << 0;
    QTest::newRow("flag right after number") << QByteArray("750x 1 60000") << 750 << false << 0;
    QTest::newRow("sign starts next value") << QByteArray("750-1 5") << 750 << true << 0;
    QTest::newRow("interval letter") << QByteArray("x 1 60000") << 0 << true << 0;
    QTest::newRow("interval lone plus") << QByteArray("+ 1 60000") << 0 << true << 0;
    QTest::newRow("interval past int max") << QByteArray("2147483648 0 1") << 0 << true << 0;
    QTest::newRow("interval past int min") << QByteArray("-2147483649 0 1") << 0 << true << 0;
    QTest::newRow("interval saved from -500") << QByteArray("4294966796 1 7") << 0 << true << 0;
    QTest::newRow("endless-looking digits") << QByteArray(400, '9') + " 0 1" << 0 << true << 0;
    QTest::newRow("alert past int max") << QByteArray("750 0 2147483648") << 750 << false << 0;
    QTest::newRow("int limits") << QByteArray("2147483647 1 -2147483648") << 2147483647 << true
                                << int(-2147483647 - 1);
    QTest::newRow("signed values") << QByteArray("-200 1 -3") << -200 << true << -3;
    QTest::newRow("plus signs") << QByteArray("+750 +0 +60000") << 750 << false << 60000;
    QTest::newRow("leading zeros") << QByteArray(400, '0') + "750 01 -060000" << 750 << true << -60000;
    QTest::newRow("negative zero flag") << QByteArray("750 -0 5") << 750 << false << 5;
    QTest::newRow("no hexadecimal") << QByteArray("0x10 1 5") << 0 << false << 0;
    QTest::newRow("fourth number ignored") << QByteArray("750 1 60000 42") << 750 << true << 60000;
    QTest::newRow("text after third ignored") << QByteArray("750 1 60000x!") << 750 << true << 60000;
}

void SettingsFileTest::loadsValuesUntilOneIsInvalid()
{
    QFETCH(QByteArray, content);
    writeFile(content);
    QCOMPARE(loadSettings(), 0);
    QTEST(settings.sleepTime, "sleepTime");
    QTEST(settings.displayAlert, "displayAlert");
    QTEST(settings.alertTime, "alertTime");
}

void SettingsFileTest::fileThatCannotBeOpenedGivesFallbackValues_data()
{
    addIrregularFileRows();
    QTest::newRow("no file") << QString();
}

void SettingsFileTest::fileThatCannotBeOpenedGivesFallbackValues()
{
    QFETCH(QString, kind);
    if (!kind.isEmpty())
        QVERIFY(makeIrregularFile(kind));
    QCOMPARE(loadSettings(), 0);
    QCOMPARE(settings.sleepTime, 500);
    QCOMPARE(settings.displayAlert, true);
    QCOMPARE(settings.alertTime, 5000);
}

void SettingsFileTest::hugeFileGivesItsFirstThreeValues()
{
    QFile file(QStringLiteral("settings.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("750 0 -60000 ");
    const QByteArray junk = QByteArray("123 junk \n").repeated(100000);
    for (int i = 0; i < 64; ++i)
        file.write(junk);
    file.close();
    QCOMPARE(loadSettings(), 0);
    QCOMPARE(settings.sleepTime, 750);
    QCOMPARE(settings.displayAlert, false);
    QCOMPARE(settings.alertTime, -60000);
}

void SettingsFileTest::writesPlainDecimalText_data()
{
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<int>("alertTime");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("defaults") << 500 << true << 5000 << QByteArray("500 1 5000");
    QTest::newRow("flag off") << 700 << false << 60000 << QByteArray("700 0 60000");
    QTest::newRow("zeros") << 0 << false << 0 << QByteArray("0 0 0");
    QTest::newRow("int limits") << 2147483647 << true << int(-2147483647 - 1)
                                << QByteArray("2147483647 1 -2147483648");
    QTest::newRow("negative interval goes unsigned") << -500 << true << -3 << QByteArray("4294966796 1 -3");
    QTest::newRow("-1 interval") << -1 << true << 1 << QByteArray("4294967295 1 1");
}

void SettingsFileTest::writesPlainDecimalText()
{
    QFETCH(int, sleepTime);
    QFETCH(bool, displayAlert);
    QFETCH(int, alertTime);
    // Longer than anything saved, so a missing truncation would leave a tail.
    writeFile(QByteArray(64, '7'));
    saveSettings(sleepTime, displayAlert, alertTime);
    QTEST(readFile(), "bytes");
}

void SettingsFileTest::savedValuesLoadBack_data()
{
    QTest::addColumn<int>("sleepTime");
    QTest::addColumn<bool>("displayAlert");
    QTest::addColumn<int>("alertTime");

    QTest::newRow("flag off") << 700 << false << 60000;
    QTest::newRow("zero interval") << 0 << true << 1;
    QTest::newRow("largest interval") << 2147483647 << true << 10;
    QTest::newRow("negative alert time") << 100 << false << int(-2147483647 - 1);
}

void SettingsFileTest::savedValuesLoadBack()
{
    QFETCH(int, sleepTime);
    QFETCH(bool, displayAlert);
    QFETCH(int, alertTime);
    settings = Settings{1, true, 2};
    saveSettings(sleepTime, displayAlert, alertTime);
    QCOMPARE(settings.sleepTime, 1);
    QCOMPARE(settings.displayAlert, true);
    QCOMPARE(settings.alertTime, 2);

    settings = Settings{};
    loadSettings();
    QCOMPARE(settings.sleepTime, sleepTime);
    QCOMPARE(settings.displayAlert, displayAlert);
    QCOMPARE(settings.alertTime, alertTime);
}

void SettingsFileTest::promptAsksToRetryOrIgnore()
{
    QVERIFY(makeIrregularFile(QStringLiteral("directory")));
    PromptAnswerer answerer({pressIgnore});
    saveSettings(500, true, 5000);
    QCOMPARE(answerer.prompts, 1);
    const PromptLook& look = answerer.firstLook;
    QCOMPARE(look.text, QStringLiteral("Unable to open \"settings.dat\" for writing. \n Make sure it is "
                                       "not used by another program or set to read-only and retry."));
    QCOMPARE(look.hasParent, false);
    QCOMPARE(look.title, QString());
    QCOMPARE(look.icon, QMessageBox::NoIcon);
    QCOMPARE(look.defaultOrEscapeSet, false);
    QCOMPARE(look.buttons, QStringList({QStringLiteral("Retry"), QStringLiteral("Ignore")}));
    QCOMPARE(look.roles, QList<int>({QMessageBox::YesRole, QMessageBox::NoRole}));
}

void SettingsFileTest::givingUpLeavesTheOldFile_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Ignore") << pressIgnore;
    QTest::newRow("Escape") << Answer([](QMessageBox* prompt) { QTest::keyClick(prompt, Qt::Key_Escape); });
    QTest::newRow("close button") << Answer([](QMessageBox* prompt) { prompt->close(); });
}

void SettingsFileTest::givingUpLeavesTheOldFile()
{
    QFETCH(Answer, answer);
    QVERIFY(makeIrregularFile(QStringLiteral("directory")));
    PromptAnswerer answerer({answer});
    saveSettings(500, true, 5000);
    QCOMPARE(answerer.prompts, 1);
    QVERIFY(QFileInfo(QStringLiteral("settings.dat")).isDir());
    QCOMPARE(QDir(QStringLiteral("settings.dat")).entryList(QDir::Files), QStringList{QStringLiteral("kept")});
}

void SettingsFileTest::retryWritesOnceTheFileOpens()
{
    QVERIFY(makeIrregularFile(QStringLiteral("directory")));
    PromptAnswerer answerer({[](QMessageBox* prompt) {
        QDir(QStringLiteral("settings.dat")).removeRecursively();
        pressRetry(prompt);
    }});
    saveSettings(700, false, 3);
    QCOMPARE(answerer.prompts, 1);
    QCOMPARE(readFile(), QByteArray("700 0 3"));
}

void SettingsFileTest::everyFailedRetryPromptsAgain()
{
    QVERIFY(makeIrregularFile(QStringLiteral("directory")));
    PromptAnswerer answerer({pressRetry, pressRetry, pressIgnore});
    saveSettings(700, false, 3);
    QCOMPARE(answerer.prompts, 3);
    QVERIFY(QFileInfo(QStringLiteral("settings.dat")).isDir());
}

void SettingsFileTest::irregularFileIsNeverWritten_data()
{
    addIrregularFileRows();
}

void SettingsFileTest::irregularFileIsNeverWritten()
{
    QFETCH(QString, kind);
    QVERIFY(makeIrregularFile(kind));
    PromptAnswerer answerer({pressIgnore});
    saveSettings(500, true, 5000);
    QCOMPARE(answerer.prompts, 1);
    QVERIFY(!QFileInfo(QStringLiteral("settings.dat")).isFile());
}

QTEST_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
