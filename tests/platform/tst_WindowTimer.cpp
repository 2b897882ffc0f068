// SPDX-License-Identifier: MIT
#include <QtTest>

#include "platform/WindowTimer.h"

class tst_WindowTimer : public QObject
{
    Q_OBJECT

private slots:
    void intervalFloor_data();
    void intervalFloor();
    void enabling();
    void ticks();
};

void tst_WindowTimer::intervalFloor_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("effective");
    QTest::newRow("1 ms") << 1 << 10;
    QTest::newRow("0 ms") << 0 << 10;
    QTest::newRow("negative") << -5 << 10;
    QTest::newRow("9 ms") << 9 << 10;
    QTest::newRow("10 ms") << 10 << 10;
    QTest::newRow("250 ms") << 250 << 250;
}

void tst_WindowTimer::intervalFloor()
{
    QFETCH(int, asked);
    QFETCH(int, effective);
    TWindowTimer timer;
    timer.SetInterval(asked);
    QCOMPARE(timer.Interval(), asked);
    QCOMPARE(timer.EffectiveInterval(), effective);
}

void tst_WindowTimer::enabling()
{
    TWindowTimer timer;
    QVERIFY(!timer.Enabled());
    QVERIFY(!timer.IsActive());
    timer.SetEnabled(true);
    QVERIFY(timer.IsActive());
    timer.SetInterval(1);
    QVERIFY(timer.IsActive());
    timer.SetEnabled(false);
    QVERIFY(!timer.IsActive());
}

void tst_WindowTimer::ticks()
{
    TWindowTimer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(1);
    timer.SetEnabled(true);
    QTRY_VERIFY(ticks >= 2);
}

QTEST_MAIN(tst_WindowTimer)
#include "tst_WindowTimer.moc"
