// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "timelefttext.h"

#include <QTest>

class TimeLeftTextTest : public QObject
{
    Q_OBJECT

private slots:
    void splitsRemainderIntoWholeUnits_data();
    void splitsRemainderIntoWholeUnits();
};

void TimeLeftTextTest::splitsRemainderIntoWholeUnits_data()
{
    QTest::addColumn<quint32>("remainingMs");
    QTest::addColumn<QString>("text");

    QTest::newRow("one minute") << 60000u
                                << "Time left:0 days, 0 hours, 1 minutes and 0 seconds";
    QTest::newRow("one minute less a millisecond")
        << 59999u << "Time left:0 days, 0 hours, 0 minutes and 59 seconds";
    QTest::newRow("below one second is never rounded up")
        << 999u << "Time left:0 days, 0 hours, 0 minutes and 0 seconds";
    QTest::newRow("one millisecond") << 1u << "Time left:0 days, 0 hours, 0 minutes and 0 seconds";
    QTest::newRow("singular numbers keep plural words")
        << 90061000u << "Time left:1 days, 1 hours, 1 minutes and 1 seconds";
    QTest::newRow("longest delay") << 3369540000u
                                   << "Time left:38 days, 23 hours, 59 minutes and 0 seconds";
    QTest::newRow("longest delay less a millisecond")
        << 3369539999u << "Time left:38 days, 23 hours, 58 minutes and 59 seconds";
    QTest::newRow("signed 32-bit limit") << 2147483647u
                                         << "Time left:24 days, 20 hours, 31 minutes and 23 seconds";
    QTest::newRow("just past the signed limit")
        << 2147520000u << "Time left:24 days, 20 hours, 32 minutes and 0 seconds";
    QTest::newRow("largest unsigned value")
        << 4294967295u << "Time left:49 days, 17 hours, 2 minutes and 47 seconds";
}

void TimeLeftTextTest::splitsRemainderIntoWholeUnits()
{
    QFETCH(quint32, remainingMs);
    QFETCH(QString, text);
    QCOMPARE(timeLeftText(remainingMs), text);
}

QTEST_APPLESS_MAIN(TimeLeftTextTest)
#include "tst_timelefttext.moc"
