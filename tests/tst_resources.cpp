// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QImageReader>
#include <QResource>
#include <QTest>

// The embedded icon is only a fallback for the icon theme's on Linux, and
// unused on Windows, so only these tests would notice a resource tree that
// the linker dropped or that rcc compressed.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void treeHoldsOnlyTheIcon();
    void iconIsAnUncompressedPng();
};

void TestResources::treeHoldsOnlyTheIcon()
{
    QCOMPARE(QDir(QStringLiteral(":/images")).entryList(), QStringList{QStringLiteral("icon.png")});
}

void TestResources::iconIsAnUncompressedPng()
{
    const QResource resource(QStringLiteral(":/images/icon.png"));
    QVERIFY(resource.isValid());
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);

    QImageReader reader(resource.fileName());
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage icon = reader.read();
    QVERIFY2(!icon.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(icon.width(), icon.height());
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
