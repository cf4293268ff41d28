// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "promptanswerer.h"
#include "settings.h"
#include "settingsdat.h"
#include "temporaryworkdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(Answer)

namespace {

const QString promptText = QStringLiteral("Unable to open \"settings.dat\" for writing. \n Make sure it is "
                                          "not used by another program or set to read-only and retry.");

bool writeFile(const QByteArray& content)
{
    QFile file(QStringLiteral("settings.dat"));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString& name = QStringLiteral("settings.dat"))
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Everything a save could change in a folder: each entry's name,
// permissions and content, and what a directory holds.
QStringList folderState(const QString& path = QStringLiteral("."))
{
    QStringList state;
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(path).entryInfoList(filter, QDir::Name)) {
        QString line = entry.fileName() + QLatin1Char(' ') + QString::number(entry.permissions().toInt(), 16);
        if (entry.isSymLink())
            line += QLatin1String(" -> ") + entry.symLinkTarget();
        else if (entry.isDir())
            line += QLatin1String(" {") + folderState(entry.filePath()).join(QLatin1String(", ")) + QLatin1Char('}');
        else if (entry.isFile())
            line += QLatin1String(" = ") + QString::fromLatin1(readFile(entry.filePath()));
        state << line;
    }
    return state;
}

// Why a kind of settings.dat cannot be made on this system; empty if it can.
QString whyNotHere(const QString& kind)
{
#ifdef Q_OS_WIN
    if (kind == QLatin1String("fifo") || kind == QLatin1String("device"))
        return QStringLiteral("Windows has no FIFOs or device files under a name in a folder");
    if (kind == QLatin1String("link"))
        return QStringLiteral("QFile::link makes a shortcut on Windows, which opening a file does not follow");
    if (kind.startsWith(QLatin1String("full disk")))
        return QStringLiteral("Windows has no file size limit to stand in for a full disk");
#else
    Q_UNUSED(kind)
#endif
    return {};
}

// As whyNotHere(), for a kind that has to keep a save from writing.
QString whyNoObstacleHere(const QString& kind)
{
#ifdef Q_OS_UNIX
    if (kind == QLatin1String("read-only file") && ::geteuid() == 0)
        return QStringLiteral("root may write a read-only file; tst_settingsfile_as_nobody runs this row as nobody");
#endif
    return whyNotHere(kind);
}

// What keeps a save from writing settings.dat on a user's machine.
QStringList obstacles()
{
    QStringList kinds{QStringLiteral("directory"), QStringLiteral("fifo"), QStringLiteral("device"),
                      QStringLiteral("read-only file"), QStringLiteral("full disk, old file"),
                      QStringLiteral("full disk, no file")};
#ifdef Q_OS_WIN
    kinds << QStringLiteral("locked file");
#endif
    return kinds;
}

// The folder is as it was before the save. A locked file reads as
// unreadable both times, so its content is checked once the lock is gone.
void verifyFolderKept(SettingsDat& existing, const QString& kind, const QStringList& before)
{
    QCOMPARE(folderState(), before);
    if (kind == QLatin1String("locked file")) {
        existing.lift();
        QCOMPARE(readFile(), QByteArray("250 0 7"));
    }
}

void addObstacleRows()
{
    QTest::addColumn<QString>("kind");
    for (const QString& kind : obstacles())
        QTest::newRow(qPrintable(kind)) << kind;
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
    void loadGivesFallbackValuesUnlessAFileOpens_data();
    void loadGivesFallbackValuesUnlessAFileOpens();
    void hugeFileGivesItsFirstThreeValues();
    void writesPlainDecimalText_data();
    void writesPlainDecimalText();
    void savedValuesLoadBack_data();
    void savedValuesLoadBack();
    void promptAsksToRetryOrIgnore();
    void givingUpLeavesTheOldFile_data();
    void givingUpLeavesTheOldFile();
    void retryWritesOnceTheFileOpens_data();
    void retryWritesOnceTheFileOpens();
    void everyFailedRetryPromptsAgain_data();
    void everyFailedRetryPromptsAgain();

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
    QVERIFY(writeFile(content));
    QCOMPARE(loadSettings(), 0);
    QTEST(settings.sleepTime, "sleepTime");
    QTEST(settings.displayAlert, "displayAlert");
    QTEST(settings.alertTime, "alertTime");
}

void SettingsFileTest::loadGivesFallbackValuesUnlessAFileOpens_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no file") << QStringLiteral("no file") << false;
    QTest::newRow("directory") << QStringLiteral("directory") << false;
    // A plain open of a FIFO waits for its other end: start-up would hang.
    QTest::newRow("fifo") << QStringLiteral("fifo") << false;
    // Read as a file, /dev/zero would give 0 / true / 0.
    QTest::newRow("device") << QStringLiteral("device") << false;
    QTest::newRow("link") << QStringLiteral("link") << true;
    // A user write-protects the file to keep the settings, not to lose them.
    QTest::newRow("read-only file") << QStringLiteral("read-only file") << true;
#ifdef Q_OS_WIN
    QTest::newRow("locked file") << QStringLiteral("locked file") << false;
#endif
}

void SettingsFileTest::loadGivesFallbackValuesUnlessAFileOpens()
{
    QFETCH(QString, kind);
    QFETCH(bool, opens);
    if (const QString reason = whyNotHere(kind); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    SettingsDat existing(kind);
    QVERIFY(existing.isInPlace());
    QCOMPARE(loadSettings(), 0);
    QCOMPARE(settings.sleepTime, opens ? 250 : 500);
    QCOMPARE(settings.displayAlert, !opens);
    QCOMPARE(settings.alertTime, opens ? 7 : 5000);
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
    QTest::addColumn<QString>("kind");

    const QString file = QStringLiteral("file");
    QTest::newRow("defaults") << 500 << true << 5000 << QByteArray("500 1 5000") << file;
    QTest::newRow("flag off") << 700 << false << 60000 << QByteArray("700 0 60000") << file;
    QTest::newRow("zeros") << 0 << false << 0 << QByteArray("0 0 0") << file;
    QTest::newRow("int limits") << 2147483647 << true << int(-2147483647 - 1)
                                << QByteArray("2147483647 1 -2147483648") << file;
    QTest::newRow("negative interval goes unsigned") << -500 << true << -3 << QByteArray("4294966796 1 -3") << file;
    QTest::newRow("-1 interval") << -1 << true << 1 << QByteArray("4294967295 1 1") << file;
    // A user who keeps the file elsewhere, behind a link, keeps the link.
    QTest::newRow("through a link") << 700 << false << 3 << QByteArray("700 0 3") << QStringLiteral("link");
}

void SettingsFileTest::writesPlainDecimalText()
{
    QFETCH(int, sleepTime);
    QFETCH(bool, displayAlert);
    QFETCH(int, alertTime);
    QFETCH(QString, kind);
    if (const QString reason = whyNotHere(kind); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    SettingsDat existing(kind);
    QVERIFY(existing.isInPlace());
    // Longer than anything saved, so a missing truncation would leave a tail.
    QVERIFY(writeFile(QByteArray(64, '7')));
    saveSettings(sleepTime, displayAlert, alertTime);
    QTEST(readFile(), "bytes");
    QCOMPARE(QFileInfo(QStringLiteral("settings.dat")).isSymLink(), kind == QLatin1String("link"));
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
    SettingsDat existing(QStringLiteral("directory"));
    QVERIFY(existing.isInPlace());
    PromptAnswerer answerer({pressIgnore});
    saveSettings(500, true, 5000);
    QCOMPARE(answerer.prompts, 1);
    const PromptLook& look = answerer.firstLook;
    QCOMPARE(look.text, promptText);
    QCOMPARE(look.hasParent, false);
    QCOMPARE(look.title, QString());
    QCOMPARE(look.icon, QMessageBox::NoIcon);
    QCOMPARE(look.defaultOrEscapeSet, false);
    QCOMPARE(look.buttons, QStringList({QStringLiteral("Retry"), QStringLiteral("Ignore")}));
    QCOMPARE(look.roles, QList<int>({QMessageBox::YesRole, QMessageBox::NoRole}));
}

void SettingsFileTest::givingUpLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Answer>("answer");
    for (const QString& kind : obstacles())
        QTest::newRow(qPrintable(kind)) << kind << pressIgnore;
    const QString directory = QStringLiteral("directory");
    QTest::newRow("Escape") << directory
                            << Answer([](QMessageBox* prompt) { QTest::keyClick(prompt, Qt::Key_Escape); });
    QTest::newRow("close button") << directory << Answer([](QMessageBox* prompt) { prompt->close(); });
}

// A full disk once left an empty settings.dat behind and no prompt: whatever
// fails, the user is asked, and the folder stays as it was, with no file when
// there was none and no temporary file.
void SettingsFileTest::givingUpLeavesTheOldFile()
{
    QFETCH(QString, kind);
    QFETCH(Answer, answer);
    if (const QString reason = whyNoObstacleHere(kind); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    SettingsDat existing(kind);
    QVERIFY(existing.isInPlace());
    const QStringList before = folderState();
    PromptAnswerer answerer({answer});
    saveSettings(500, true, 5000);
    QCOMPARE(answerer.prompts, 1);
    QCOMPARE(answerer.firstLook.text, promptText);
    verifyFolderKept(existing, kind, before);
}

void SettingsFileTest::retryWritesOnceTheFileOpens_data()
{
    addObstacleRows();
}

void SettingsFileTest::retryWritesOnceTheFileOpens()
{
    QFETCH(QString, kind);
    if (const QString reason = whyNoObstacleHere(kind); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    SettingsDat existing(kind);
    QVERIFY(existing.isInPlace());
    PromptAnswerer answerer({[&existing](QMessageBox* prompt) {
        existing.lift();
        pressRetry(prompt);
    }});
    saveSettings(700, false, 3);
    QCOMPARE(answerer.prompts, 1);
    QCOMPARE(readFile(), QByteArray("700 0 3"));
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("settings.dat")});
}

void SettingsFileTest::everyFailedRetryPromptsAgain_data()
{
    addObstacleRows();
}

void SettingsFileTest::everyFailedRetryPromptsAgain()
{
    QFETCH(QString, kind);
    if (const QString reason = whyNoObstacleHere(kind); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    SettingsDat existing(kind);
    QVERIFY(existing.isInPlace());
    const QStringList before = folderState();
    PromptAnswerer answerer({pressRetry, pressRetry, pressIgnore});
    saveSettings(700, false, 3);
    QCOMPARE(answerer.prompts, 3);
    verifyFolderKept(existing, kind, before);
}

QTEST_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
