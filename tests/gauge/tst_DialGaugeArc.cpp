// SPDX-License-Identifier: MIT
#include <QtTest>

#include <limits>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"

namespace {

double angleOfMark(const TDialGauge &g, int index)
{
    const ScaleMark &m = g.ScaleTable()[std::size_t(index)];
    const QPointF c = g.ScaleCenter();
    return std::atan2(m.OuterY - c.y(), m.OuterX - c.x()) * 180 / M_PI;
}

} // namespace

class tst_DialGaugeArc : public QObject
{
    Q_OBJECT

private slots:
    void anglesRebuildScaleAndBand_data();
    void anglesRebuildScaleAndBand();
    void widthMovesOnlyTheArcRect();
    void thresholdChangeRaisesArc();
    void copyBringsThresholdAndGeometry();
    void freeStandingArc();
};

void tst_DialGaugeArc::anglesRebuildScaleAndBand_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("stop");
    QTest::addColumn<double>("firstMark");
    QTest::addColumn<double>("bandStart");
    QTest::newRow("main window angles 125..415") << 125 << 415 << 125.0 << 163.75;
    QTest::newRow("upper half 180..360") << 180 << 360 << 180.0 << 191.25;
    QTest::newRow("band inside 0..360") << 0 << 360 << 0.0 << 56.25;
    QTest::newRow("band raised to the start 200..300") << 200 << 300 << 200.0 << 200.0;
}

void tst_DialGaugeArc::anglesRebuildScaleAndBand()
{
    QFETCH(int, start);
    QFETCH(int, stop);
    QFETCH(double, firstMark);
    QFETCH(double, bandStart);
    TDialGauge g;
    resizeTo(g, 200, 200);
    int changes = 0;
    g.Arc()->OnChange = [&](QObject *) { ++changes; };
    g.Arc()->SetStartAngle(start);
    g.Arc()->SetStopAngle(stop);
    QCOMPARE(changes, 2);
    QVERIFY(std::fabs(std::remainder(angleOfMark(g, 0) - firstMark, 360.0)) < 1e-9);
    QVERIFY(std::fabs(std::remainder(angleOfMark(g, g.ScaleMarkCount() - 1) - stop, 360.0)) < 1e-9);
    QCOMPARE(g.ThresholdBandStart(), bandStart);
}

void tst_DialGaugeArc::widthMovesOnlyTheArcRect()
{
    TDialGauge g;
    resizeTo(g, 200, 200);
    const ScaleMark before = g.ScaleTable()[0];
    g.Arc()->SetWidth(0.1);
    QCOMPARE(g.ArcInset(), 20);
    QCOMPARE(g.ArcRect(), QRectF(24, 24, 152, 152));
    QCOMPARE(g.ScaleTable()[0].OuterX, before.OuterX);
    g.Arc()->SetWidth(-0.05);
    QCOMPARE(g.ArcRect(), QRectF(-6, -6, 212, 212));
    // A huge fraction saturates instead of overflowing.
    g.Arc()->SetWidth(1e300);
    QCOMPARE(g.ArcInset(), std::numeric_limits<int>::max());
    QVERIFY(g.ArcRect().width() < 0);
}

void tst_DialGaugeArc::thresholdChangeRaisesArc()
{
    TDialGauge g;
    QList<QObject *> senders;
    g.Arc()->OnChange = [&](QObject *sender) { senders << sender; };
    g.Arc()->Threshold()->SetOpacity(1);
    QCOMPARE(senders, QList<QObject *>{g.Arc()});
}

void tst_DialGaugeArc::copyBringsThresholdAndGeometry()
{
    TDialGauge source;
    source.Arc()->SetColor(clRed);
    source.Arc()->SetWidth(0.05);
    source.Arc()->SetOpacity(7);
    source.Arc()->SetStartAngle(90);
    source.Arc()->SetStopAngle(270);
    source.Arc()->Threshold()->SetCenter(75);

    TDialGauge g;
    resizeTo(g, 200, 200);
    int changes = 0;
    g.Arc()->OnChange = [&](QObject *) { ++changes; };
    g.Arc()->Assign(source.Arc());
    QCOMPARE(changes, 1);
    QCOMPARE(g.Arc()->Color(), clRed);
    QCOMPARE(g.Arc()->Width(), 0.05);
    QCOMPARE(g.Arc()->Opacity(), 7);
    QCOMPARE(g.Arc()->StartAngle(), 90);
    QCOMPARE(g.Arc()->StopAngle(), 270);
    QCOMPARE(g.Arc()->Threshold()->Center(), 75.0);
    QVERIFY(g.Arc()->Threshold() != source.Arc()->Threshold());
    // Scale, arc rectangle and band follow the copied angles and width.
    QVERIFY(std::fabs(angleOfMark(g, 0) - 90) < 1e-9);
    QCOMPARE(g.ArcInset(), 10);
    QCOMPARE(g.ThresholdBandStart(), 90 + 135 - 33.75);

    g.Arc()->Assign(source.Arc()->Threshold()); // another class: ignored
    QCOMPARE(changes, 1);
}

void tst_DialGaugeArc::freeStandingArc()
{
    // Without a gauge nothing is recomputed, and nothing crashes.
    TDialGaugeArc arc(nullptr);
    int changes = 0;
    arc.OnChange = [&](QObject *) { ++changes; };
    arc.SetStartAngle(10);
    arc.SetWidth(0.2);
    arc.Threshold()->SetCenter(500);
    QCOMPARE(changes, 3);
    TDialGauge g;
    g.SetArc(&arc);
    QCOMPARE(g.Arc()->StartAngle(), 10);
    QCOMPARE(g.Arc()->Threshold()->Center(), 500.0);
}

QTEST_MAIN(tst_DialGaugeArc)
#include "tst_DialGaugeArc.moc"
