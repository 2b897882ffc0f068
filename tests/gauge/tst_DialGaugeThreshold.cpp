// SPDX-License-Identifier: MIT
#include <QtTest>

#include <limits>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"

class tst_DialGaugeThreshold : public QObject
{
    Q_OBJECT

private slots:
    void centreAgainstLimits_data();
    void centreAgainstLimits();
    void noEqualityTestOnCentreAndSpan();
    void bandFollowsEveryGeometryField_data();
    void bandFollowsEveryGeometryField();
    void designModeRange();
    void copyIsPlainAndUpdatesBand();
    void freeStandingThreshold();
    void hugeSweepDoesNotOverflow();
};

void tst_DialGaugeThreshold::centreAgainstLimits_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<double>("centre");
    QTest::addColumn<double>("expected");
    QTest::newRow("inside") << 0 << 100 << 60.5 << 60.5;
    QTest::newRow("at minimum") << 0 << 100 << 0.0 << 0.0;
    QTest::newRow("at maximum") << 0 << 100 << 100.0 << 100.0;
    QTest::newRow("above") << 0 << 100 << 150.0 << 25.0;
    QTest::newRow("150 after maximum 250") << 0 << 250 << 150.0 << 150.0;
    QTest::newRow("below negative minimum") << -50 << 50 << -50.5 << 25.0;
    QTest::newRow("NaN") << 0 << 100 << std::numeric_limits<double>::quiet_NaN() << 25.0;
    QTest::newRow("-inf") << 0 << 100 << -std::numeric_limits<double>::infinity() << 25.0;
}

void tst_DialGaugeThreshold::centreAgainstLimits()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(double, centre);
    QFETCH(double, expected);
    TDialGauge g;
    g.SetMaximumValue(maximum);
    g.SetMinimumValue(minimum);
    g.Arc()->Threshold()->SetCenter(25);
    int changes = 0;
    g.Arc()->OnChange = [&](QObject *) { ++changes; };
    g.Arc()->Threshold()->SetCenter(centre);
    QCOMPARE(g.Arc()->Threshold()->Center(), expected);
    QCOMPARE(changes, centre == expected ? 1 : 0);
}

void tst_DialGaugeThreshold::noEqualityTestOnCentreAndSpan()
{
    TDialGauge g;
    int changes = 0;
    g.Arc()->OnChange = [&](QObject *) { ++changes; };
    g.Arc()->Threshold()->SetCenter(25);
    g.Arc()->Threshold()->SetSpan(25);
    QCOMPARE(changes, 2);
    g.Arc()->Threshold()->SetColor(g.Arc()->Threshold()->Color());
    g.Arc()->Threshold()->SetStartAngle(135);
    QCOMPARE(changes, 2);
}

void tst_DialGaugeThreshold::bandFollowsEveryGeometryField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("sweep");
    // 200 x 200, scale 0..100 over 135..405: the centre 25 sits at 202.5.
    QTest::newRow("Center 50") << "Center" << 236.25 << 67.5;
    QTest::newRow("Span 100 starts at the arc") << "Span" << 135.0 << 270.0;
    QTest::newRow("Span 0") << "Span0" << 202.5 << 0.0;
    QTest::newRow("SweepAngle 100") << "SweepAngle" << 190.0 << 25.0;
}

void tst_DialGaugeThreshold::bandFollowsEveryGeometryField()
{
    QFETCH(QString, field);
    QFETCH(double, start);
    QFETCH(double, sweep);
    TDialGauge g;
    resizeTo(g, 200, 200);
    TDialGaugeThreshold &t = *g.Arc()->Threshold();
    if (field == QLatin1String("Center"))
        t.SetCenter(50);
    else if (field == QLatin1String("Span"))
        t.SetSpan(100);
    else if (field == QLatin1String("Span0"))
        t.SetSpan(0);
    else
        t.SetSweepAngle(100);
    QCOMPARE(g.ThresholdBandStart(), start);
    QCOMPARE(g.ThresholdBandSweep(), sweep);
}

void tst_DialGaugeThreshold::designModeRange()
{
    TDialGauge designed(nullptr, true);
    QCOMPARE(designed.Arc()->Threshold()->StartValue(), 0.0);
    QCOMPARE(designed.Arc()->Threshold()->EndValue(), 100.0);
    TDialGauge runtime;
    QCOMPARE(runtime.Arc()->Threshold()->StartValue(), 0.0);
    QCOMPARE(runtime.Arc()->Threshold()->EndValue(), 0.0);
}

void tst_DialGaugeThreshold::copyIsPlainAndUpdatesBand()
{
    TDialGauge wide;
    wide.SetMaximumValue(250);
    TDialGaugeThreshold &source = *wide.Arc()->Threshold();
    source.SetColor(clRed);
    source.SetOpacity(9);
    source.SetStartAngle(10);
    source.SetSweepAngle(300);
    source.SetCenter(200);
    source.SetSpan(40);
    source.SetStartValue(5);
    source.SetEndValue(6);
    source.SetThresholdKind(tkValue);

    TDialGauge g;
    resizeTo(g, 200, 200);
    int changes = 0;
    g.Arc()->OnChange = [&](QObject *) { ++changes; };
    g.Arc()->SetThreshold(&source);
    const TDialGaugeThreshold &t = *g.Arc()->Threshold();
    QCOMPARE(changes, 1);
    QCOMPARE(t.Color(), clRed);
    QCOMPARE(t.Opacity(), 9);
    QCOMPARE(t.StartAngle(), 10);
    QCOMPARE(t.SweepAngle(), 300);
    // Copied as stored, even outside this gauge's range.
    QCOMPARE(t.Center(), 200.0);
    QCOMPARE(t.Span(), 40);
    QCOMPARE(t.StartValue(), 5.0);
    QCOMPARE(t.EndValue(), 6.0);
    QCOMPARE(t.ThresholdKind(), tkValue);
    // The band is recomputed from the copy at once.
    QCOMPARE(g.ThresholdBandStart(), 135 + 270 * 2.0 - 60);
    QCOMPARE(g.ThresholdBandSweep(), 405 - g.ThresholdBandStart());

    // Null and self copies raise nothing.
    g.Arc()->SetThreshold(nullptr);
    g.Arc()->SetThreshold(g.Arc()->Threshold());
    QCOMPARE(changes, 1);
}

void tst_DialGaugeThreshold::freeStandingThreshold()
{
    TDialGaugeThreshold t(nullptr);
    t.SetCenter(1e6);
    QCOMPARE(t.Center(), 1e6);
    t.SetCenter(std::numeric_limits<double>::infinity());
    QCOMPARE(t.Center(), 1e6);
    t.SetSpan(60);
    QCOMPARE(t.Span(), 60);
}

void tst_DialGaugeThreshold::hugeSweepDoesNotOverflow()
{
    TDialGauge g;
    resizeTo(g, 200, 200);
    g.Arc()->Threshold()->SetSweepAngle(std::numeric_limits<int>::max());
    g.Arc()->Threshold()->SetSpan(100);
    QCOMPARE(g.ThresholdBandStart(), 135.0);
    QCOMPARE(g.ThresholdBandSweep(), 270.0);
}

QTEST_MAIN(tst_DialGaugeThreshold)
#include "tst_DialGaugeThreshold.moc"
