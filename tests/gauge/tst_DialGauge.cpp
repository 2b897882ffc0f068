// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QRandomGenerator>

#include <cmath>
#include <functional>
#include <limits>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugePrivate.h"
#include "tests/gauge/GaugeTestSupport.h"
#include "platform/WindowTimer.h"

using Change = std::function<void(TDialGauge &)>;
Q_DECLARE_METATYPE(Change)

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// The main window's configuration of the gauge, at its size.
void configureLikeMainWindow(TDialGauge &gauge)
{
    gauge.BeginLoading();
    gauge.SetMaximumValue(250);
    gauge.Arc()->SetStartAngle(125);
    gauge.Arc()->SetStopAngle(415);
    gauge.EndLoading();
    resizeTo(gauge, 303, 308);
}

bool near(double actual, double expected, double tolerance = 5e-4)
{
    return std::fabs(actual - expected) <= tolerance;
}

#define COMPARE_NEAR(actual, expected, tolerance)                                               \
    do {                                                                                        \
        const double a_ = (actual);                                                             \
        const double e_ = (expected);                                                           \
        if (!near(a_, e_, tolerance))                                                           \
            QFAIL(qPrintable(QStringLiteral("%1 is %2, expected %3")                            \
                                 .arg(QStringLiteral(#actual)).arg(a_, 0, 'g', 17).arg(e_, 0, 'g', 17))); \
    } while (false)

struct ValueLog
{
    QList<double> values;
    void attach(TDialGauge &gauge)
    {
        gauge.OnValueChanged = [this, &gauge](QObject *sender, double value) {
            QCOMPARE(sender, static_cast<QObject *>(&gauge));
            values.append(value);
        };
    }
};

int usedScaleEntries(const TDialGauge &gauge)
{
    int used = 0;
    for (const ScaleMark &mark : gauge.ScaleTable()) {
        if (mark.Kind == mkNone)
            break;
        ++used;
    }
    return used;
}

} // namespace

class tst_DialGauge : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void styleInterfaceCast();
    void publishedOrder();
    void rejectedValues_data();
    void rejectedValues();
    void acceptedBoundaries_data();
    void acceptedBoundaries();
    void versionIsFixed();

    void geometry200();
    void geometryMainWindow();
    void thresholdAtMaximum();
    void insetRounding_data();
    void insetRounding();
    void labelRounding_data();
    void labelRounding();
    void rebuildClearsStaleMarks();
    void reversedScale();
    void needleOutline_data();
    void needleOutline();
    void valueToAngleIsUnclamped();
    void constructionGeometryBeforeResize();
    void loadingKeepsMargins();
    void degenerateSizes_data();
    void degenerateSizes();

    void valueSetter_data();
    void valueSetter();
    void animationSequence();
    void animationFactors_data();
    void animationFactors();
    void animationFreezeAndResume();
    void timerRunsOnlyWhileMoving_data();
    void timerRunsOnlyWhileMoving();
    void glideFromRestMatchesRunningTimer_data();
    void glideFromRestMatchesRunningTimer();
    void limitSetters_data();
    void limitSetters();
    void limitPullsThresholdCenter();
    void stepToward_data();
    void stepToward();
    void wholeDistanceTickStaysInScale_data();
    void wholeDistanceTickStaysInScale();
    void keys_data();
    void keys();
    void clicks_data();
    void clicks();
    void lastClickCandidateOverrunsMaximum();
    void pointInPolygon_data();
    void pointInPolygon();
    void focusTracksAndRepaints();
    void tabStopMapsToFocusPolicy();
    void designMode();
    void loadingSetsValueDirectly();

    void presets_data();
    void presets();
    void presetZeroKeepsInnerCenterColorTo();
    void presetsWithoutColourChange_data();
    void presetsWithoutColourChange();

    void changeChain_data();
    void changeChain();
    void ownHandlerCutsRepaint();
    void mergedIntoOnePaint();
    void restingGaugeRequestsNoRepaint();

    void copyGauge();
    void copyIgnoresOtherClasses();
    void objectPropertiesCopyContents();

    void randomisedInvariants();
};

void tst_DialGauge::construction()
{
    TDialGauge g;
    QCOMPARE(g.size(), QSize(200, 200));
    QCOMPARE(g.AnimationFactor(), 5);
    QCOMPARE(g.MinimumValue(), 0);
    QCOMPARE(g.MaximumValue(), 100);
    QCOMPARE(g.Value(), 0.0);
    QCOMPARE(g.AnimationTarget(), 0.0);
    QCOMPARE(g.DivisionCount(), 10);
    QCOMPARE(g.SubDivisionCount(), 3);
    QCOMPARE(g.DivisionColor(), TColor(0x00FC7C));
    QCOMPARE(g.SubDivisionColor(), TColor(0x00FC7C));
    QCOMPARE(g.DivisionWidth(), 5);
    QCOMPARE(g.SubDivisionWidth(), 2);
    QCOMPARE(g.DialText(), QString());
    QCOMPARE(g.ValueFormat(), QStringLiteral("000.00"));
    QCOMPARE(g.Animation(), true);
    QCOMPARE(g.NeedleType(), ntPointer);
    QCOMPARE(g.Sections()->Count(), 0);
    QCOMPARE(g.TabStop(), false);
    QCOMPARE(g.focusPolicy(), Qt::NoFocus);
    QCOMPARE(g.HasFocus(), false);
    QVERIFY(!g.autoFillBackground());
    QVERIFY(!g.testAttribute(Qt::WA_OpaquePaintEvent));

    QCOMPARE(g.Font()->Name(), QStringLiteral("Tahoma"));
    QCOMPARE(g.Font()->Size(), 14);
    QCOMPARE(g.Font()->Color(), TColor(0x00FC7C));
    QCOMPARE(g.ValueFont()->Name(), QStringLiteral("Tahoma"));
    QCOMPARE(g.ValueFont()->Size(), 11);
    QCOMPARE(g.ValueFont()->Color(), TColor(0x00FC7C));

    QCOMPARE(g.Digit()->Color(), TColor(0x00FC7C));
    QCOMPARE(g.Digit()->BackGroundColor(), clGray);
    QCOMPARE(g.Digit()->BackGroundOpacity(), 30);
    QCOMPARE(g.Digit()->Visible(), true);
    QCOMPARE(g.OuterCircle()->Color(), TColor(0x908070));
    QCOMPARE(g.OuterCircle()->Width(), 0.03);
    QCOMPARE(g.OuterCircle()->Opacity(), 100);
    QCOMPARE(g.InnerCircle()->Color(), clBlue);
    QCOMPARE(g.InnerCircle()->Opacity(), 150);
    QCOMPARE(g.InnerCircle()->Gloss()->Color(), clWhite);
    QCOMPARE(g.InnerCircle()->Gloss()->Opacity(), 72);
    QCOMPARE(g.OuterRim()->Color(), TColor(0x908070));
    QCOMPARE(g.OuterRim()->Opacity(), 255);
    QCOMPARE(g.OuterRim()->Width(), 2);
    QCOMPARE(g.Needle()->Color(), TColor(0x00FC7C));
    QCOMPARE(g.Needle()->ShineColor(), TColor(0x00FC7C));
    QCOMPARE(g.Needle()->ShineColorTo(), TColor(0xD3D3D3));
    QCOMPARE(g.Needle()->OuterCenterColor(), TColor(0xFF0000));
    QCOMPARE(g.Needle()->OuterCenterColorTo(), TColor(0xFF0000));
    QCOMPARE(g.Needle()->OuterCenterOpacity(), 100);
    QCOMPARE(g.Needle()->InnerCenterColor(), TColor(0x8B0000));
    QCOMPARE(g.Needle()->InnerCenterColorTo(), TColor(0x8B0000));
    QCOMPARE(g.Needle()->InnerCenterOpacity(), 255);
    QCOMPARE(g.Arc()->Color(), TColor(0x8B0000));
    QCOMPARE(g.Arc()->Width(), 0.03);
    QCOMPARE(g.Arc()->Opacity(), 200);
    QCOMPARE(g.Arc()->StartAngle(), 135);
    QCOMPARE(g.Arc()->StopAngle(), 405);
    const TDialGaugeThreshold &t = *g.Arc()->Threshold();
    QCOMPARE(t.Color(), TColor(0x00FC7C));
    QCOMPARE(t.Opacity(), 200);
    QCOMPARE(t.Center(), 25.0);
    QCOMPARE(t.Span(), 25);
    QCOMPARE(t.StartAngle(), 135);
    QCOMPARE(t.SweepAngle(), 270);
    QCOMPARE(t.StartValue(), 0.0);
    QCOMPARE(t.EndValue(), 0.0);
    QCOMPARE(t.ThresholdKind(), tkAngle);

    // Every appearance object refers back to its gauge, glosses included.
    QCOMPARE(g.InnerCircle()->Gloss()->Owner(), &g);
    QCOMPARE(t.Owner(), &g);

    // The timer asks for 1 ms and runs at the platform's 10 ms floor, and
    // only while the value moves: a new gauge is at rest.
    const TWindowTimer &timer = TDialGaugePrivate::Get(g).state.Timer();
    QCOMPARE(timer.Interval(), 1);
    QCOMPARE(timer.EffectiveInterval(), 10);
    QVERIFY(!timer.IsActive());
}

void tst_DialGauge::styleInterfaceCast()
{
    TDialGauge g;
    QObject *object = &g;
    IStyleInterface *style = qobject_cast<IStyleInterface *>(object);
    QVERIFY(style);
    QVERIFY(object->inherits("TDialGauge"));
    QCOMPARE(QByteArray(qobject_interface_iid<IStyleInterface *>()),
             QByteArray("{C3483464-4D3F-4062-AE03-9119302BDC92}"));
    style->ApplyStyle(4);
    QCOMPARE(g.Arc()->Color(), TColor(0xFFEFE3));
}

void tst_DialGauge::publishedOrder()
{
    // Stored values are applied in this order: the limits must precede Value and Arc.
    const QMetaObject &meta = TDialGauge::staticMetaObject;
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names << QString::fromLatin1(meta.property(i).name());
    QCOMPARE(names, QStringList({"AnimationFactor", "MinimumValue", "MaximumValue", "Value", "Digit",
                                 "OuterCircle", "InnerCircle", "OuterRim", "Needle", "Arc",
                                 "DivisionCount", "SubDivisionCount", "DivisionColor", "SubDivisionColor",
                                 "DivisionWidth", "SubDivisionWidth", "DialText", "Font", "ValueFont",
                                 "ValueFormat", "Animation", "Version", "NeedleType", "Sections",
                                 "TabStop", "Enabled", "Visible"}));

    TDialGauge g;
    QVERIFY(g.setProperty("NeedleType", QStringLiteral("ntSelector")));
    QCOMPARE(g.NeedleType(), ntSelector);
    QVERIFY(g.Arc()->Threshold()->setProperty("ThresholdKind", QStringLiteral("tkValue")));
    QCOMPARE(g.Arc()->Threshold()->ThresholdKind(), tkValue);
    QCOMPARE(QMetaEnum::fromType<MarkKind>().valueToKey(mkDivision), "mkDivision");
}

void tst_DialGauge::rejectedValues_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("DivisionCount 1") << Change([](TDialGauge &g) { g.SetDivisionCount(1); });
    QTest::newRow("DivisionCount 25") << Change([](TDialGauge &g) { g.SetDivisionCount(25); });
    QTest::newRow("SubDivisionCount 0") << Change([](TDialGauge &g) { g.SetSubDivisionCount(0); });
    QTest::newRow("SubDivisionCount 11") << Change([](TDialGauge &g) { g.SetSubDivisionCount(11); });
    QTest::newRow("Span 101") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetSpan(101); });
    QTest::newRow("Span -1") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetSpan(-1); });
    QTest::newRow("Center 150 above maximum") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(150); });
    QTest::newRow("Center below minimum") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(-0.5); });
    QTest::newRow("Center NaN") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(NaN); });
    QTest::newRow("Center infinite") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(Inf); });
    QTest::newRow("MinimumValue = MaximumValue") << Change([](TDialGauge &g) { g.SetMinimumValue(100); });
    QTest::newRow("MinimumValue above MaximumValue") << Change([](TDialGauge &g) { g.SetMinimumValue(500); });
    QTest::newRow("MaximumValue = MinimumValue") << Change([](TDialGauge &g) { g.SetMaximumValue(0); });
    QTest::newRow("Value above maximum") << Change([](TDialGauge &g) { g.SetValue(100.0001); });
    QTest::newRow("Value below minimum") << Change([](TDialGauge &g) { g.SetValue(-0.0001); });
    QTest::newRow("Value NaN") << Change([](TDialGauge &g) { g.SetValue(NaN); });
    QTest::newRow("Value +inf") << Change([](TDialGauge &g) { g.SetValue(Inf); });
    QTest::newRow("Value -inf") << Change([](TDialGauge &g) { g.SetValue(-Inf); });
    QTest::newRow("Arc.Width NaN") << Change([](TDialGauge &g) { g.Arc()->SetWidth(NaN); });
    QTest::newRow("OuterCircle.Width inf") << Change([](TDialGauge &g) { g.OuterCircle()->SetWidth(Inf); });
    QTest::newRow("Threshold.StartValue NaN") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetStartValue(NaN); });
    QTest::newRow("Threshold.EndValue -inf") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetEndValue(-Inf); });
    QTest::newRow("Version written") << Change([](TDialGauge &g) { g.SetVersion(QStringLiteral("9.9")); });
    QTest::newRow("copy from a widget") << Change([](TDialGauge &g) { QWidget w; g.Assign(&w); });
    QTest::newRow("Digit from null") << Change([](TDialGauge &g) { g.SetDigit(nullptr); });
}

void tst_DialGauge::rejectedValues()
{
    QFETCH(Change, change);
    TDialGauge g;
    TDialGauge reference;
    ValueLog log;
    log.attach(g);
    int objectChanges = 0;
    g.Arc()->OnChange = [&](QObject *) { ++objectChanges; };
    g.Digit()->OnChange = [&](QObject *) { ++objectChanges; };
    g.OuterCircle()->OnChange = [&](QObject *) { ++objectChanges; };
    const quint64 repaints = g.RepaintRequestCount();

    change(g);

    QCOMPARE(g.RepaintRequestCount(), repaints);
    QCOMPARE(objectChanges, 0);
    QVERIFY(log.values.isEmpty());
    QCOMPARE(g.DivisionCount(), reference.DivisionCount());
    QCOMPARE(g.SubDivisionCount(), reference.SubDivisionCount());
    QCOMPARE(g.MinimumValue(), reference.MinimumValue());
    QCOMPARE(g.MaximumValue(), reference.MaximumValue());
    QCOMPARE(g.Value(), reference.Value());
    QCOMPARE(g.AnimationTarget(), reference.AnimationTarget());
    QCOMPARE(g.Arc()->Width(), reference.Arc()->Width());
    QCOMPARE(g.OuterCircle()->Width(), reference.OuterCircle()->Width());
    QCOMPARE(g.Arc()->Threshold()->Center(), 25.0);
    QCOMPARE(g.Arc()->Threshold()->Span(), 25);
    QCOMPARE(g.Arc()->Threshold()->StartValue(), 0.0);
    QCOMPARE(g.Arc()->Threshold()->EndValue(), 0.0);
    QCOMPARE(g.Version(), QStringLiteral("1.3.0.0"));
    QCOMPARE(usedScaleEntries(g), 51);
}

void tst_DialGauge::acceptedBoundaries_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<Change>("check");
    QTest::newRow("DivisionCount 2") << Change([](TDialGauge &g) { g.SetDivisionCount(2); })
                                     << Change([](TDialGauge &g) { QCOMPARE(g.DivisionCount(), 2); });
    QTest::newRow("DivisionCount 24") << Change([](TDialGauge &g) { g.SetDivisionCount(24); })
                                      << Change([](TDialGauge &g) { QCOMPARE(g.DivisionCount(), 24); });
    QTest::newRow("SubDivisionCount 1") << Change([](TDialGauge &g) { g.SetSubDivisionCount(1); })
                                        << Change([](TDialGauge &g) { QCOMPARE(g.SubDivisionCount(), 1); });
    QTest::newRow("SubDivisionCount 10") << Change([](TDialGauge &g) { g.SetSubDivisionCount(10); })
                                         << Change([](TDialGauge &g) { QCOMPARE(g.SubDivisionCount(), 10); });
    QTest::newRow("Span 0") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetSpan(0); })
                            << Change([](TDialGauge &g) { QCOMPARE(g.Arc()->Threshold()->Span(), 0); });
    QTest::newRow("Span 100") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetSpan(100); })
                              << Change([](TDialGauge &g) { QCOMPARE(g.Arc()->Threshold()->Span(), 100); });
    QTest::newRow("Center 150 after MaximumValue 250")
        << Change([](TDialGauge &g) { g.SetMaximumValue(250); g.Arc()->Threshold()->SetCenter(150); })
        << Change([](TDialGauge &g) { QCOMPARE(g.Arc()->Threshold()->Center(), 150.0); });
    QTest::newRow("Center at maximum") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(100); })
                                       << Change([](TDialGauge &g) { QCOMPARE(g.Arc()->Threshold()->Center(), 100.0); });
    QTest::newRow("Value at maximum") << Change([](TDialGauge &g) { g.SetValue(100); })
                                      << Change([](TDialGauge &g) { QCOMPARE(g.AnimationTarget(), 100.0); });
    QTest::newRow("opacity outside 0..255 kept as given")
        << Change([](TDialGauge &g) { g.Arc()->SetOpacity(300); })
        << Change([](TDialGauge &g) { QCOMPARE(g.Arc()->Opacity(), 300); });
}

void tst_DialGauge::acceptedBoundaries()
{
    QFETCH(Change, change);
    QFETCH(Change, check);
    TDialGauge g;
    const quint64 repaints = g.RepaintRequestCount();
    change(g);
    check(g);
    QVERIFY(g.RepaintRequestCount() > repaints);
}

void tst_DialGauge::versionIsFixed()
{
    TDialGauge g;
    QCOMPARE(g.Version(), QStringLiteral("1.3.0.0"));
    QVERIFY(g.setProperty("Version", QStringLiteral("2.0.0.0")));
    QCOMPARE(g.property("Version").toString(), QStringLiteral("1.3.0.0"));
}

void tst_DialGauge::geometry200()
{
    TDialGauge g;
    resizeTo(g, 100, 100);
    resizeTo(g, 200, 200);
    QCOMPARE(g.DialLeft(), 4);
    QCOMPARE(g.DialTop(), 4);
    QCOMPARE(g.DialWidth(), 192);
    QCOMPARE(g.DialHeight(), 192);
    QCOMPARE(g.DialRect(), QRectF(4, 4, 192, 192));
    QCOMPARE(g.DialCenter(), QPointF(100, 100));
    QCOMPARE(g.ArcInset(), 6);
    QCOMPARE(g.ArcRect(), QRectF(10, 10, 180, 180));
    QCOMPARE(g.ThresholdBandStart(), 168.75);
    QCOMPARE(g.ThresholdBandSweep(), 67.5);
    QCOMPARE(g.ScaleCenter(), QPointF(100, 100));
    QCOMPARE(g.ScaleInset(), 2);
    QCOMPARE(g.ScaleRadius(), 85.0);
    COMPARE_NEAR(g.MarkStep(), 6.75 * M_PI / 180, 1e-15);
    QCOMPARE(g.ScaleMarkCount(), 51);
    QCOMPARE(usedScaleEntries(g), 51);
    QCOMPARE(g.NeedleLength(), 76.0);
    QCOMPARE(g.NeedleSideRadius(), 18.0);

    const auto &table = g.ScaleTable();
    QCOMPARE(table.size(), std::size_t(1001));
    const ScaleMark &first = table[0];
    QCOMPARE(first.Kind, mkDivision);
    COMPARE_NEAR(first.OuterX, 39.896, 5e-4);
    COMPARE_NEAR(first.OuterY, 160.104, 5e-4);
    COMPARE_NEAR(first.InnerX, 46.967, 5e-4);
    COMPARE_NEAR(first.InnerY, 153.033, 5e-4);
    COMPARE_NEAR(first.LabelX, 54.038, 5e-4);
    COMPARE_NEAR(first.LabelY, 137.962, 5e-4);
    QCOMPARE(first.LabelValue, 0.0);

    // Subdivision ticks run from radius 85 to 81.
    const ScaleMark &sub = table[1];
    QCOMPARE(sub.Kind, mkSubDivision);
    COMPARE_NEAR(std::hypot(sub.OuterX - 100, sub.OuterY - 100), 85, 1e-9);
    COMPARE_NEAR(std::hypot(sub.InnerX - 100, sub.InnerY - 100), 81, 1e-9);
    COMPARE_NEAR(std::atan2(sub.OuterY - 100, sub.OuterX - 100) * 180 / M_PI, 141.75, 1e-9);
    // The last subdivision of a gap lies under the next division.
    QCOMPARE(table[4].Kind, mkSubDivision);
    QCOMPARE(table[5].Kind, mkDivision);
    COMPARE_NEAR(table[4].OuterX, table[5].OuterX, 1e-9);
    COMPARE_NEAR(std::hypot(table[5].InnerX - 100, table[5].InnerY - 100), 75, 1e-9);

    const ScaleMark &last = table[50];
    QCOMPARE(last.Kind, mkDivision);
    QCOMPARE(last.LabelValue, 100.0);
    COMPARE_NEAR(last.OuterX, 160.104, 5e-4);
    COMPARE_NEAR(last.OuterY, 160.104, 5e-4);
    QCOMPARE(table[51].Kind, mkNone);
}

void tst_DialGauge::geometryMainWindow()
{
    TDialGauge g;
    configureLikeMainWindow(g);
    QCOMPARE(g.DialLeft(), 6);
    QCOMPARE(g.DialTop(), 6);
    QCOMPARE(g.DialWidth(), 291);
    QCOMPARE(g.DialHeight(), 296);
    QCOMPARE(g.DialRect(), QRectF(6, 6, 291, 296));
    QCOMPARE(g.DialCenter(), QPointF(151.5, 154));
    QCOMPARE(g.ScaleCenter(), QPointF(152, 154));
    QCOMPARE(g.ArcInset(), 9);
    QCOMPARE(g.ArcRect(), QRectF(15, 15, 273, 278));
    QCOMPARE(g.ScaleInset(), 3);
    QCOMPARE(g.ScaleRadius(), 129.0);
    COMPARE_NEAR(g.MarkStep(), 7.25 * M_PI / 180, 1e-15);
    QCOMPARE(g.ValueToAnglePercent(25), 154.0);
    QCOMPARE(g.ThresholdBandStart(), 125.0);
    QCOMPARE(g.ThresholdBandSweep(), 67.5);

    QList<double> labels;
    for (const ScaleMark &mark : g.ScaleTable()) {
        if (mark.Kind == mkDivision)
            labels.append(mark.LabelValue);
    }
    QCOMPARE(labels, (QList<double>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 250}));
}

void tst_DialGauge::thresholdAtMaximum()
{
    TDialGauge g;
    configureLikeMainWindow(g);
    g.Arc()->Threshold()->SetCenter(250);
    QCOMPARE(g.ValueToAnglePercent(250), 415.0);
    QCOMPARE(g.ThresholdBandStart(), 381.25);
    QCOMPARE(g.ThresholdBandSweep(), 33.75);
}

void tst_DialGauge::insetRounding_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("arcInset");
    QTest::addColumn<int>("scaleInset");
    // Extended precision decides the halves: 50 x 0.03 is just below 1.5 and
    // 50 x 0.01 just above 0.5.
    QTest::newRow("50") << 50 << 1 << 1;
    QTest::newRow("150") << 150 << 4 << 2;
    QTest::newRow("250") << 250 << 7 << 3;
    QTest::newRow("450") << 450 << 13 << 5;
    QTest::newRow("650") << 650 << 19 << 7;
    QTest::newRow("850") << 850 << 25 << 9;
    QTest::newRow("303") << 303 << 9 << 3;
}

void tst_DialGauge::insetRounding()
{
    QFETCH(int, width);
    QFETCH(int, arcInset);
    QFETCH(int, scaleInset);
    TDialGauge g;
    resizeTo(g, width, width);
    QCOMPARE(g.ArcInset(), arcInset);
    QCOMPARE(g.ScaleInset(), scaleInset);
    const double dial = g.DialRect().width();
    QCOMPARE(g.ArcRect().width(), dial - 2 * arcInset);
    const double radius = (g.DialWidth() - scaleInset) / 2.0 - 5.0 * scaleInset;
    QCOMPARE(g.ScaleRadius(), radius);
}

void tst_DialGauge::labelRounding_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<QList<double>>("labels");
    QTest::newRow("0..100 in 3") << 0 << 100 << 3 << QList<double>{0, 33, 66, 99};
    QTest::newRow("0..250 in 4") << 0 << 250 << 4 << QList<double>{0, 62, 124, 186, 248};
    QTest::newRow("-50..50 in 6") << -50 << 50 << 6 << QList<double>{-50, -33, -16, 1, 18, 35, 52};
    QTest::newRow("0..100 in 10") << 0 << 100 << 10 << QList<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
}

void tst_DialGauge::labelRounding()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, divisions);
    QFETCH(QList<double>, labels);
    TDialGauge g;
    g.SetMinimumValue(minimum);
    g.SetMaximumValue(maximum);
    g.SetDivisionCount(divisions);
    QList<double> actual;
    for (const ScaleMark &mark : g.ScaleTable()) {
        if (mark.Kind == mkDivision)
            actual.append(mark.LabelValue);
    }
    QCOMPARE(actual, labels);
    // The last label sits at the maximum's angle whatever it reads.
    const ScaleMark &last = g.ScaleTable()[std::size_t(g.ScaleMarkCount() - 1)];
    QCOMPARE(last.Kind, mkDivision);
    const QPointF c = g.ScaleCenter();
    COMPARE_NEAR(std::atan2(last.OuterY - c.y(), last.OuterX - c.x()) * 180 / M_PI, 45, 1e-9);
}

void tst_DialGauge::rebuildClearsStaleMarks()
{
    TDialGauge g;
    g.SetDivisionCount(24);
    g.SetSubDivisionCount(10);
    QCOMPARE(usedScaleEntries(g), 289);
    g.SetDivisionCount(2);
    g.SetSubDivisionCount(1);
    QCOMPARE(usedScaleEntries(g), 7);
    for (std::size_t i = 7; i < g.ScaleTable().size(); ++i)
        QCOMPARE(g.ScaleTable()[i].Kind, mkNone);
}

void tst_DialGauge::reversedScale()
{
    TDialGauge g;
    resizeTo(g, 200, 200);
    g.Arc()->SetStartAngle(405);
    g.Arc()->SetStopAngle(135);
    QVERIFY(g.MarkStep() < 0);
    const auto &table = g.ScaleTable();
    const QPointF c = g.ScaleCenter();
    auto angleOf = [&](const ScaleMark &m) { return std::atan2(m.OuterY - c.y(), m.OuterX - c.x()) * 180 / M_PI; };
    COMPARE_NEAR(angleOf(table[0]), 45, 1e-9);
    COMPARE_NEAR(angleOf(table[1]), 45 - 6.75, 1e-9);
    COMPARE_NEAR(angleOf(table[50]), 135, 1e-9);
    QCOMPARE(table[50].LabelValue, 100.0);
    QCOMPARE(g.ValueToAngle(0), 405.0);
    QCOMPARE(g.ValueToAngle(100), 135.0);
}

void tst_DialGauge::needleOutline_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::newRow("125 points up") << 125.0
                                   << QList<QPointF>{{151.5, 38.86}, {160.83, 128.37}, {151.5, 154},
                                                     {142.17, 128.37}, {149.20, 38.88}};
    QTest::newRow("0 at the start angle") << 0.0 << QList<QPointF>{{85.46, 248.32}};
}

void tst_DialGauge::needleOutline()
{
    QFETCH(double, value);
    QFETCH(QList<QPointF>, points);
    TDialGauge g;
    configureLikeMainWindow(g);
    COMPARE_NEAR(g.NeedleLength(), 115.14, 1e-9);
    COMPARE_NEAR(g.NeedleSideRadius(), 27.27, 1e-9);
    const TArrayOfPointF outline = g.NeedleOutline(value);
    QCOMPARE(outline.size(), 5);
    for (int i = 0; i < points.size(); ++i) {
        COMPARE_NEAR(outline[i].x(), points[i].x(), 0.006);
        COMPARE_NEAR(outline[i].y(), points[i].y(), 0.006);
    }
    // Coordinates are single precision.
    for (const QPointF &p : outline) {
        QCOMPARE(double(float(p.x())), p.x());
        QCOMPARE(double(float(p.y())), p.y());
    }
}

void tst_DialGauge::valueToAngleIsUnclamped()
{
    TDialGauge g;
    QCOMPARE(g.ValueToAngle(0), 135.0);
    QCOMPARE(g.ValueToAngle(100), 405.0);
    QCOMPARE(g.ValueToAngle(50), 270.0);
    QCOMPARE(g.ValueToAngle(-10), 108.0);
    QCOMPARE(g.ValueToAngle(110), 432.0);
    COMPARE_NEAR(g.ValueToAnglePercent(33.3), g.ValueToAngle(33.3), 1e-12);
    QCOMPARE(TDialGauge::DegreesToRadians(180), 3.141592653589793);
}

void tst_DialGauge::constructionGeometryBeforeResize()
{
    // Construction uses margins of 5 and leaves the arc geometry zero.
    TDialGauge g;
    QCOMPARE(g.DialLeft(), 5);
    QCOMPARE(g.DialWidth(), 190);
    QCOMPARE(g.DialRect(), QRectF(5, 5, 190, 190));
    QCOMPARE(g.ArcRect(), QRectF());
    QCOMPARE(g.ThresholdBandStart(), 0.0);
    QCOMPARE(g.ThresholdBandSweep(), 0.0);
    QCOMPARE(usedScaleEntries(g), 51);
}

void tst_DialGauge::loadingKeepsMargins()
{
    TDialGauge g;
    const quint64 repaints = g.RepaintRequestCount();
    g.BeginLoading();
    g.resize(303, 308); // hidden: no resize event reaches the control yet
    g.EndLoading();
    QCOMPARE(g.RepaintRequestCount(), repaints);
    QCOMPARE(g.DialLeft(), 5);
    QCOMPARE(g.DialWidth(), 293);
    QCOMPARE(g.DialHeight(), 298);
    QCOMPARE(g.ArcRect(), QRectF(14, 14, 275, 280));
    QCOMPARE(g.ThresholdBandStart(), 168.75);
    // The first resize takes the margins from the size.
    g.show();
    QCOMPARE(g.DialLeft(), 6);
    QCOMPARE(g.DialWidth(), 291);
}

void tst_DialGauge::degenerateSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("negative") << -20 << -5;
    QTest::newRow("0 x 0") << 0 << 0;
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("wide") << 400 << 3;
    QTest::newRow("huge") << 16000000 << 16000000;
}

void tst_DialGauge::degenerateSizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    TDialGauge g;
    resizeTo(g, width, height);
    QVERIFY(g.width() >= 0 && g.height() >= 0);
    QVERIFY(g.DialWidth() >= 0);
    QCOMPARE(usedScaleEntries(g), 51);
    for (const ScaleMark &m : g.ScaleTable()) {
        QVERIFY(std::isfinite(m.OuterX) && std::isfinite(m.OuterY));
        QVERIFY(std::isfinite(m.LabelX) && std::isfinite(m.LabelY));
    }
    for (const QPointF &p : g.NeedleOutline(50)) {
        QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
    }
    QVERIFY(std::isfinite(g.ThresholdBandStart()));
    g.SetTabStop(true);
    g.PointToValue(width / 2, height / 4); // must neither crash nor hang
}

void tst_DialGauge::valueSetter_data()
{
    QTest::addColumn<bool>("animation");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("shown");
    QTest::addColumn<double>("target");
    QTest::addColumn<int>("events");
    QTest::newRow("animated: target only") << true << 50.0 << 0.0 << 50.0 << 0;
    QTest::newRow("direct: value and event") << false << 30.0 << 30.0 << 30.0 << 1;
    QTest::newRow("direct: same value raises again") << false << 0.0 << 0.0 << 0.0 << 1;
    QTest::newRow("direct: maximum") << false << 100.0 << 100.0 << 100.0 << 1;
    QTest::newRow("direct: above maximum refused") << false << 100.0001 << 0.0 << 0.0 << 0;
    QTest::newRow("animated: NaN refused") << true << NaN << 0.0 << 0.0 << 0;
}

void tst_DialGauge::valueSetter()
{
    QFETCH(bool, animation);
    QFETCH(double, value);
    QFETCH(double, shown);
    QFETCH(double, target);
    QFETCH(int, events);
    TDialGauge g;
    g.SetAnimation(animation);
    ValueLog log;
    log.attach(g);
    g.SetValue(value);
    QCOMPARE(g.Value(), shown);
    QCOMPARE(g.AnimationTarget(), target);
    QCOMPARE(log.values.size(), events);
    if (events)
        QCOMPARE(log.values.first(), shown);
}

void tst_DialGauge::animationSequence()
{
    TDialGauge g;
    ValueLog log;
    log.attach(g);
    g.SetValue(50);
    QCOMPARE(g.Value(), 0.0);
    QVERIFY(log.values.isEmpty());

    const QList<double> expected{10, 18, 24.4, 29.52, 33.616};
    for (double e : expected) {
        const quint64 repaints = g.RepaintRequestCount();
        g.AnimationStep();
        COMPARE_NEAR(g.Value(), e, 1e-12);
        QCOMPARE(g.RepaintRequestCount(), repaints + 1);
    }
    QCOMPARE(log.values.size(), expected.size());

    int ticks = 0;
    while (g.Value() != g.AnimationTarget() && ticks < 1000) {
        g.AnimationStep();
        ++ticks;
    }
    QVERIFY(ticks < 1000);
    QCOMPARE(g.Value(), 50.0);
    // The last event lies within the tolerance below the target; the snap is silent.
    const double lastEvent = log.values.last();
    QVERIFY(lastEvent < 50.0);
    QVERIFY(50.0 - lastEvent < 0.001);
    QCOMPARE(log.values.size(), expected.size() + ticks - 1);
    for (int i = 1; i < log.values.size(); ++i)
        QVERIFY(log.values[i] > log.values[i - 1]);
}

void tst_DialGauge::animationFactors_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("1 covers the distance in one tick") << 1 << QList<double>{50, 50};
    QTest::newRow("0 acts as 1") << 0 << QList<double>{50, 50};
    QTest::newRow("2 halves") << 2 << QList<double>{25, 37.5, 43.75};
    QTest::newRow("negative moves by the smallest step") << -3 << QList<double>{0.001, 0.002, 0.003};
}

void tst_DialGauge::animationFactors()
{
    QFETCH(int, factor);
    QFETCH(QList<double>, values);
    TDialGauge g;
    g.SetAnimationFactor(factor);
    g.SetValue(50);
    for (double v : values) {
        g.AnimationStep();
        COMPARE_NEAR(g.Value(), v, 1e-12);
        QVERIFY(!std::isnan(g.Value()));
    }
}

void tst_DialGauge::animationFreezeAndResume()
{
    TDialGauge g;
    ValueLog log;
    log.attach(g);
    g.SetValue(50);
    g.AnimationStep();
    g.AnimationStep();
    QCOMPARE(g.Value(), 18.0);
    g.SetAnimation(false);
    g.AnimationStep();
    g.AnimationStep();
    QCOMPARE(g.Value(), 18.0);
    QCOMPARE(g.AnimationTarget(), 50.0);
    QCOMPARE(log.values.size(), 2);
    g.SetAnimation(true);
    g.AnimationStep();
    COMPARE_NEAR(g.Value(), 24.4, 1e-12);
    // Frozen again, the next value is set directly with the target.
    g.SetAnimation(false);
    g.SetValue(70);
    QCOMPARE(g.Value(), 70.0);
    QCOMPARE(g.AnimationTarget(), 70.0);
    QCOMPARE(log.values.last(), 70.0);
}

void tst_DialGauge::timerRunsOnlyWhileMoving_data()
{
    QTest::addColumn<Change>("start");
    QTest::addColumn<bool>("runs");
    QTest::addColumn<Change>("next");
    QTest::addColumn<bool>("runsAfter");

    const Change none = [](TDialGauge &) {};
    QTest::newRow("new target") << Change([](TDialGauge &g) { g.SetValue(50); }) << true << none << true;
    QTest::newRow("same value") << Change([](TDialGauge &g) { g.SetValue(0); }) << false << none << false;
    QTest::newRow("within the snap tolerance")
        << Change([](TDialGauge &g) { g.SetValue(0.0004); }) << true
        << Change([](TDialGauge &g) { g.AnimationStep(); }) << false;
    QTest::newRow("animation off freezes")
        << Change([](TDialGauge &g) { g.SetValue(50); g.AnimationStep(); g.SetAnimation(false); }) << false
        << Change([](TDialGauge &g) { g.SetAnimation(true); }) << true;
    QTest::newRow("direct value")
        << Change([](TDialGauge &g) { g.SetAnimation(false); g.SetValue(30); g.SetAnimation(true); }) << false
        << none << false;
    QTest::newRow("maximum pulls the target")
        << Change([](TDialGauge &g) { g.SetValue(100); g.AnimationStep(); }) << true
        << Change([](TDialGauge &g) { g.SetMaximumValue(15); }) << false;
    QTest::newRow("loading")
        << Change([](TDialGauge &g) { g.SetValue(50); g.BeginLoading(); g.AnimationStep(); }) << false
        << Change([](TDialGauge &g) { g.EndLoading(); }) << true;
    QTest::newRow("design mode")
        << Change([](TDialGauge &g) { g.SetValue(50); g.SetDesignMode(true); }) << false
        << Change([](TDialGauge &g) { g.SetDesignMode(false); }) << true;
    QTest::newRow("copy of a gliding gauge")
        << Change([](TDialGauge &) {}) << false << Change([](TDialGauge &g) {
               TDialGauge source;
               source.SetValue(60);
               g.Assign(&source);
           }) << true;
}

// Zero wakeups at rest: the timer runs while the value has a target to
// reach and may move, and stops at the tick that snaps onto it.
void tst_DialGauge::timerRunsOnlyWhileMoving()
{
    QFETCH(Change, start);
    QFETCH(bool, runs);
    QFETCH(Change, next);
    QFETCH(bool, runsAfter);
    TDialGauge g;
    const TWindowTimer &timer = TDialGaugePrivate::Get(g).state.Timer();
    start(g);
    QCOMPARE(timer.IsActive(), runs);
    next(g);
    QCOMPARE(timer.IsActive(), runsAfter);
    // Whatever moves comes to rest, and the timer with it.
    for (int tick = 0; tick < 5000 && timer.IsActive(); ++tick)
        g.AnimationStep();
    QVERIFY(!timer.IsActive());
    if (g.Animation() && !g.IsDesignMode() && !g.IsLoading())
        QCOMPARE(g.Value(), g.AnimationTarget());
}

void tst_DialGauge::glideFromRestMatchesRunningTimer_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<double>("target");
    QTest::newRow("factor 5, up") << 5 << 80.0;
    QTest::newRow("factor 5, down") << 5 << 3.0;
    QTest::newRow("factor 1") << 1 << 99.0;
    QTest::newRow("negative factor") << -3 << 20.0;
}

// A glide that starts from rest (the timer starts with the new target) and
// one that takes over a running glide from the same shown value give the
// same values, tick by tick, with the same silent snap at the end.
void tst_DialGauge::glideFromRestMatchesRunningTimer()
{
    QFETCH(int, factor);
    QFETCH(double, target);
    TDialGauge running;
    running.SetAnimationFactor(factor);
    running.SetValue(40);
    running.AnimationStep();
    const double shown = running.Value();
    QVERIFY(TDialGaugePrivate::Get(running).state.Timer().IsActive());

    TDialGauge resting;
    resting.SetAnimationFactor(factor);
    resting.SetAnimation(false);
    resting.SetValue(shown);
    resting.SetAnimation(true);
    QVERIFY(!TDialGaugePrivate::Get(resting).state.Timer().IsActive());

    ValueLog fromRest, takenOver;
    fromRest.attach(resting);
    takenOver.attach(running);
    resting.SetValue(target);
    running.SetValue(target);
    QVERIFY(TDialGaugePrivate::Get(resting).state.Timer().IsActive());
    QVERIFY(fromRest.values.isEmpty() && takenOver.values.isEmpty());
    int ticks = 0;
    while (TDialGaugePrivate::Get(resting).state.Timer().IsActive() && ticks < 20000) {
        resting.AnimationStep();
        running.AnimationStep();
        ++ticks;
        QCOMPARE(resting.Value(), running.Value());
    }
    QCOMPARE(fromRest.values, takenOver.values);
    QVERIFY(!fromRest.values.isEmpty());
    // Only a factor of 1 lands on the target; otherwise the snap is silent.
    QCOMPARE(fromRest.values.last() != target, factor != 1);
    QCOMPARE(resting.Value(), target);
    QVERIFY(!TDialGaugePrivate::Get(running).state.Timer().IsActive());
}

void tst_DialGauge::limitSetters_data()
{
    QTest::addColumn<bool>("animation");
    QTest::addColumn<double>("start");
    QTest::addColumn<Change>("change");
    QTest::addColumn<double>("shown");
    QTest::addColumn<double>("target");
    QTest::addColumn<QList<double>>("events");

    QTest::newRow("direct: maximum below value pulls it")
        << false << 80.0 << Change([](TDialGauge &g) { g.SetMaximumValue(60); }) << 60.0 << 60.0
        << QList<double>{60};
    QTest::newRow("direct: maximum twice raises twice")
        << false << 80.0 << Change([](TDialGauge &g) { g.SetMaximumValue(60); g.SetMaximumValue(70); })
        << 60.0 << 60.0 << QList<double>{60, 60};
    QTest::newRow("direct: minimum above value pulls it")
        << false << 10.0 << Change([](TDialGauge &g) { g.SetMinimumValue(20); }) << 20.0 << 20.0
        << QList<double>{20};
    QTest::newRow("direct: same minimum raises again")
        << false << 10.0 << Change([](TDialGauge &g) { g.SetMinimumValue(0); }) << 10.0 << 10.0
        << QList<double>{10};
    QTest::newRow("direct: refused limit raises nothing")
        << false << 10.0 << Change([](TDialGauge &g) { g.SetMinimumValue(100); }) << 10.0 << 10.0
        << QList<double>{};
    // With a glide on, the shown value is pulled to the new limit at once and
    // listeners hear of it: the target may be that limit, and then no tick
    // would ever tell them.
    QTest::newRow("animated: maximum below the shown value pulls it and the target")
        << true << 80.0 << Change([](TDialGauge &g) { g.SetMaximumValue(60); }) << 60.0 << 60.0
        << QList<double>{60};
    QTest::newRow("animated: minimum above the shown value pulls it and the target")
        << true << 10.0 << Change([](TDialGauge &g) { g.SetMinimumValue(20); }) << 20.0 << 20.0
        << QList<double>{20};
    QTest::newRow("animated: minimum below the target pulls only the shown value")
        << true << 10.0 << Change([](TDialGauge &g) { g.SetValue(90); g.SetMinimumValue(50); })
        << 50.0 << 90.0 << QList<double>{50};
    QTest::newRow("animated: maximum overtakes a value gliding down")
        << true << 90.0
        << Change([](TDialGauge &g) {
               g.SetValue(10);
               g.AnimationStep(); // 90 - 80/5
               g.SetMaximumValue(60);
           })
        << 60.0 << 10.0 << QList<double>{74, 60};
    QTest::newRow("animated: shown value inside the narrowed scale stays")
        << true << 30.0 << Change([](TDialGauge &g) { g.SetValue(80); g.SetMinimumValue(20); })
        << 30.0 << 80.0 << QList<double>{};
    QTest::newRow("animated: same minimum raises nothing")
        << true << 10.0 << Change([](TDialGauge &g) { g.SetMinimumValue(0); }) << 10.0 << 10.0
        << QList<double>{};
    QTest::newRow("animated: scale moved below zero")
        << true << 10.0
        << Change([](TDialGauge &g) { g.SetMinimumValue(-100); g.SetMaximumValue(-50); })
        << -50.0 << -50.0 << QList<double>{-50};
    QTest::newRow("animated while loading: pulled too")
        << true << 10.0
        << Change([](TDialGauge &g) { g.BeginLoading(); g.SetMinimumValue(20); g.EndLoading(); })
        << 20.0 << 20.0 << QList<double>{20};
    QTest::newRow("design mode: the direct path")
        << true << 10.0
        << Change([](TDialGauge &g) { g.SetDesignMode(true); g.SetMinimumValue(20); })
        << 20.0 << 20.0 << QList<double>{20};
    QTest::newRow("glide pulled to a raised minimum, then frozen: maximum keeps it")
        << true << 10.0
        << Change([](TDialGauge &g) {
               g.SetValue(90);
               g.SetMinimumValue(50);
               g.AnimationStep(); // 50 + 40/5
               g.SetAnimation(false);
               g.SetMaximumValue(95);
           })
        << 58.0 << 58.0 << QList<double>{50, 58, 58};
    QTest::newRow("animated: wider range leaves both")
        << true << 80.0 << Change([](TDialGauge &g) { g.SetMaximumValue(200); }) << 80.0 << 80.0
        << QList<double>{};
}

void tst_DialGauge::limitSetters()
{
    QFETCH(bool, animation);
    QFETCH(double, start);
    QFETCH(Change, change);
    QFETCH(double, shown);
    QFETCH(double, target);
    QFETCH(QList<double>, events);
    TDialGauge g;
    g.SetAnimation(false);
    g.SetValue(start);
    g.SetAnimation(animation);
    ValueLog log;
    log.attach(g);
    change(g);
    QCOMPARE(g.Value(), shown);
    QCOMPARE(g.AnimationTarget(), target);
    QCOMPARE(log.values, events);
    // Whatever moves, the glide ends inside the new range.
    for (int i = 0; i < 200; ++i)
        g.AnimationStep();
    QVERIFY(g.Value() >= g.MinimumValue() && g.Value() <= g.MaximumValue());
}

void tst_DialGauge::limitPullsThresholdCenter()
{
    TDialGauge g;
    int arcChanges = 0;
    g.Arc()->OnChange = [&](QObject *) { ++arcChanges; };
    g.Arc()->Threshold()->SetCenter(90);
    QCOMPARE(arcChanges, 1);
    g.SetMaximumValue(80);
    QCOMPARE(g.Arc()->Threshold()->Center(), 80.0);
    g.SetMinimumValue(50);
    g.SetMaximumValue(60);
    QCOMPARE(g.Arc()->Threshold()->Center(), 60.0);
    g.SetMaximumValue(100);
    g.SetMinimumValue(70);
    QCOMPARE(g.Arc()->Threshold()->Center(), 70.0);
    // Pulled silently, but the band follows the new centre.
    QCOMPARE(arcChanges, 1);
    TDialGauge h;
    resizeTo(h, 200, 200);
    h.Arc()->Threshold()->SetCenter(90);
    h.SetMaximumValue(80);
    QCOMPARE(h.ThresholdBandStart(), 371.25);
    QCOMPARE(h.ThresholdBandSweep(), 33.75);
}

void tst_DialGauge::stepToward_data()
{
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("target");
    QTest::addColumn<double>("step");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<double>("result");
    QTest::newRow("up by step") << 0.0 << 50.0 << 10.0 << true << 10.0;
    QTest::newRow("down by step") << 50.0 << 0.0 << 10.0 << true << 40.0;
    QTest::newRow("tiny step uses the tolerance") << 0.0 << 1.0 << 1e-9 << true << 0.001;
    QTest::newRow("within tolerance snaps") << 49.9995 << 50.0 << 1.0 << false << 50.0;
    QTest::newRow("exactly tolerance away moves") << 49.999 << 50.0 << 0.0 << true << 50.0;
    QTest::newRow("at target") << 50.0 << 50.0 << 0.0 << false << 50.0;
    // Steps of the whole distance as a factor of 1 makes them: the sum rounds
    // one unit past the target.
    QTest::newRow("whole distance up stops on the target")
        << -1908978706.5407102 << 2147483647.0 << 4056462353.5407104 << true << 2147483647.0;
    QTest::newRow("whole distance down stops on the target")
        << 1908978706.5407102 << -2147483647.0 << 4056462353.5407104 << true << -2147483647.0;
}

void tst_DialGauge::stepToward()
{
    QFETCH(double, current);
    QFETCH(double, target);
    QFETCH(double, step);
    QFETCH(bool, moved);
    QFETCH(double, result);
    double value = current;
    QCOMPARE(TDialGauge::StepToward(value, target, TDialGauge::AnimationTolerance, step), moved);
    COMPARE_NEAR(value, result, 1e-12);
    // Never past the target, not even by a rounding step.
    QVERIFY(current < target ? value <= target : value >= target);
}

void tst_DialGauge::wholeDistanceTickStaysInScale_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<double>("from");
    QTest::addColumn<bool>("toMaximum");

    const int low = std::numeric_limits<int>::min();
    const int high = std::numeric_limits<int>::max();
    QTest::newRow("factor 1, up to the largest maximum")
        << 1 << low << high << -1908978706.5407102 << true;
    QTest::newRow("factor 0, down to the minimum") << 0 << -high << high << 1908978706.5407102
                                                   << false;
}

// One tick covers the whole distance; its rounded sum must not leave the scale.
void tst_DialGauge::wholeDistanceTickStaysInScale()
{
    QFETCH(int, factor);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(double, from);
    QFETCH(bool, toMaximum);
    TDialGauge g;
    g.SetMaximumValue(maximum);
    g.SetMinimumValue(minimum);
    g.SetAnimation(false);
    g.SetValue(from);
    g.SetAnimation(true);
    g.SetAnimationFactor(factor);
    ValueLog log;
    log.attach(g);
    const double target = toMaximum ? maximum : minimum;
    g.SetValue(target);
    g.AnimationStep();
    // Exact comparisons: QCOMPARE on doubles would forgive the stray unit.
    QVERIFY2(g.Value() == target, QByteArray::number(g.Value(), 'g', 17));
    QCOMPARE(log.values.size(), 1);
    QVERIFY(log.values.front() == target);
}

void tst_DialGauge::keys_data()
{
    QTest::addColumn<bool>("tabStop");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<double>("start");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<double>("target");

    // Range 0..250 in 10 divisions: a page is 25.
    QTest::newRow("Page Up") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_PageUp} << 125.0;
    QTest::newRow("Page Down") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_PageDown} << 75.0;
    QTest::newRow("End") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_End} << 250.0;
    QTest::newRow("Home") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_Home} << 0.0;
    QTest::newRow("Left") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_Left} << 99.0;
    QTest::newRow("Up") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_Up} << 101.0;
    QTest::newRow("Right") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_Right} << 101.0;
    QTest::newRow("Down") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_Down} << 99.0;
    QTest::newRow("Up past the end") << true << true << 249.5 << QList<Qt::Key>{Qt::Key_Up} << 249.5;
    QTest::newRow("Page Down past home") << true << true << 20.0 << QList<Qt::Key>{Qt::Key_PageDown} << 20.0;
    QTest::newRow("other key") << true << true << 100.0 << QList<Qt::Key>{Qt::Key_A, Qt::Key_Space} << 100.0;
    QTest::newRow("not a tab stop") << false << true << 100.0 << QList<Qt::Key>{Qt::Key_Up, Qt::Key_End} << 100.0;
    QTest::newRow("disabled") << true << false << 100.0 << QList<Qt::Key>{Qt::Key_Up, Qt::Key_Home} << 100.0;
}

void tst_DialGauge::keys()
{
    QFETCH(bool, tabStop);
    QFETCH(bool, enabled);
    QFETCH(double, start);
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(double, target);
    TDialGauge g;
    g.SetMaximumValue(250);
    g.SetAnimation(false);
    g.SetValue(start);
    g.SetAnimation(true);
    g.SetTabStop(tabStop);
    g.setEnabled(enabled);
    for (Qt::Key key : keys) {
        if (!enabled) {
            // Qt delivers no input to a disabled widget and QtTest says so.
            QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
            QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
        }
        QTest::keyClick(&g, key);
    }
    // Keys go through the Value setter, so the needle glides there.
    QCOMPARE(g.AnimationTarget(), target);
    QCOMPARE(g.Value(), start);
}

void tst_DialGauge::clicks_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("tabStop");
    QTest::addColumn<double>("target");
    QTest::newRow("60 above the centre") << QPoint(100, 40) << Qt::LeftButton << true << 50.0;
    QTest::newRow("beyond the chord") << QPoint(100, 20) << Qt::LeftButton << true << 0.0;
    QTest::newRow("left of the centre") << QPoint(30, 100) << Qt::LeftButton << true << 17.5;
    QTest::newRow("gap below the centre") << QPoint(100, 150) << Qt::LeftButton << true << 0.0;
    QTest::newRow("right button too") << QPoint(100, 40) << Qt::RightButton << true << 50.0;
    QTest::newRow("not a tab stop") << QPoint(100, 40) << Qt::LeftButton << false << 0.0;
}

void tst_DialGauge::clicks()
{
    QFETCH(QPoint, point);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, tabStop);
    QFETCH(double, target);
    TDialGauge g;
    g.SetTabStop(tabStop);
    QTest::mouseRelease(&g, button, Qt::NoModifier, point);
    QCOMPARE(g.AnimationTarget(), target);
    QCOMPARE(g.Value(), 0.0);
}

void tst_DialGauge::lastClickCandidateOverrunsMaximum()
{
    // 0..7 in 2 divisions of 2: six steps of 7/6 add up to just above 7, so
    // the candidate at the scale's end is refused by the Value setter.
    TDialGauge g;
    g.SetMaximumValue(7);
    g.SetDivisionCount(2);
    g.SetSubDivisionCount(2);
    g.SetTabStop(true);
    g.SetAnimation(false);
    const QPointF c = g.DialCenter();
    auto pointAt = [&](double value) {
        const double r = TDialGauge::DegreesToRadians(g.ValueToAngle(value));
        return QPoint(qRound(c.x() + 50 * std::cos(r)), qRound(c.y() + 50 * std::sin(r)));
    };
    g.PointToValue(pointAt(7).x(), pointAt(7).y());
    QCOMPARE(g.Value(), 0.0);
    g.PointToValue(pointAt(3.5).x(), pointAt(3.5).y());
    QCOMPARE(g.Value(), 3.5);
}

void tst_DialGauge::pointInPolygon_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("inside") << 5 << 5 << true;
    QTest::newRow("outside") << 15 << 5 << false;
    QTest::newRow("left edge counts") << 0 << 5 << true;
    QTest::newRow("right edge does not") << 10 << 5 << false;
    QTest::newRow("top edge counts") << 5 << 0 << true;
    QTest::newRow("bottom edge does not") << 5 << 10 << false;
}

void tst_DialGauge::pointInPolygon()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, inside);
    const TArrayOfPointF square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    QCOMPARE(TDialGauge::PointInPolygon(square, x, y), inside);
    QCOMPARE(TDialGauge::PointInPolygon({}, x, y), false);
}

void tst_DialGauge::focusTracksAndRepaints()
{
    TDialGauge g;
    g.SetTabStop(true);
    quint64 repaints = g.RepaintRequestCount();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&g, &in);
    QVERIFY(g.HasFocus());
    QCOMPARE(g.RepaintRequestCount(), repaints + 1);
    repaints = g.RepaintRequestCount();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&g, &out);
    QVERIFY(!g.HasFocus());
    QCOMPARE(g.RepaintRequestCount(), repaints + 1);
}

void tst_DialGauge::tabStopMapsToFocusPolicy()
{
    TDialGauge g;
    g.SetTabStop(true);
    QCOMPARE(g.focusPolicy(), Qt::StrongFocus);
    QVERIFY(g.setProperty("TabStop", false));
    QCOMPARE(g.focusPolicy(), Qt::NoFocus);
}

void tst_DialGauge::designMode()
{
    TDialGauge g(nullptr, true);
    QVERIFY(g.IsDesignMode());
    // Preset 4 and the designer's threshold range.
    QCOMPARE(g.Arc()->Color(), TColor(0xFFEFE3));
    QCOMPARE(g.Font()->Color(), TColor(0x962D00));
    QCOMPARE(g.Arc()->Threshold()->StartValue(), 0.0);
    QCOMPARE(g.Arc()->Threshold()->EndValue(), 100.0);
    ValueLog log;
    log.attach(g);
    g.SetValue(40);
    QCOMPARE(g.Value(), 40.0);
    QCOMPARE(log.values, QList<double>{40});
    // Nothing glides in a designer, so a narrowed range pulls the value in.
    g.SetMaximumValue(30);
    QCOMPARE(g.Value(), 30.0);
    QCOMPARE(g.AnimationTarget(), 30.0);
    g.SetDesignMode(false);
    g.SetValue(10);
    QCOMPARE(g.Value(), 30.0);
    g.AnimationStep();
    QCOMPARE(g.Value(), 26.0);

    TDialGauge runtime;
    QCOMPARE(runtime.Arc()->Color(), TColor(0x8B0000));
    QCOMPARE(runtime.Arc()->Threshold()->EndValue(), 0.0);
}

void tst_DialGauge::loadingSetsValueDirectly()
{
    TDialGauge g;
    g.BeginLoading();
    g.BeginLoading();
    g.SetValue(40);
    QCOMPARE(g.Value(), 40.0);
    g.SetAnimation(true);
    g.SetMaximumValue(30); // pulled in at once, loading or not
    QCOMPARE(g.AnimationTarget(), 30.0);
    QCOMPARE(g.Value(), 30.0);
    g.EndLoading();
    g.EndLoading();
    g.SetMaximumValue(100);
    g.SetValue(80); // a glide, which waits while loading
    g.BeginLoading();
    g.AnimationStep();
    QCOMPARE(g.Value(), 30.0);
    g.BeginLoading();
    g.EndLoading();
    QVERIFY(g.IsLoading());
    g.EndLoading();
    QVERIFY(!g.IsLoading());
    g.EndLoading(); // unbalanced end is harmless
    g.AnimationStep();
    QCOMPARE(g.Value(), 40.0);
}

void tst_DialGauge::presets_data()
{
    QTest::addColumn<int>("preset");
    // arc and box, inner, outer, threshold, text, needle, inner centre, outer centre, shine
    QTest::addColumn<QList<TColor>>("colours");
    QTest::newRow("0 blue") << 0 << QList<TColor>{0xD68759, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0x962D00, 0x962D00, 0xFFD2AF, 0x933803, 0xD68759};
    QTest::newRow("1 grey-violet") << 1 << QList<TColor>{0xBDA4A5, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0x947C7C, 0x947C7C, 0xE6D8D8, 0x957475, 0xBDA4A5};
    QTest::newRow("2 olive green") << 2 << QList<TColor>{0x82C0AF, 0x82C0AF, 0xCFF0EA, 0xCFF0EA, 0x447A63, 0x447A63, 0x447A63, 0x447A63, 0x447A63};
    QTest::newRow("3 grey") << 3 << QList<TColor>{0x808080, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0xF2F2F2, 0x808080, 0x808080};
    QTest::newRow("4 light blue") << 4 << QList<TColor>{0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0xFFD2AF, 0x962D00, 0xFFD2AF, 0xFFD2AF, 0xFFD1AD, 0xFFEFE3};
    QTest::newRow("5 light on dark slate") << 5 << QList<TColor>{0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xF2F1F0, 0xF2F1F0, 0xFFD1AD, 0xF2F1F0};
    QTest::newRow("6 on button face") << 6 << QList<TColor>{0x5C534C, clBtnFace, clBtnFace, clBtnFace, 0x5C534C, 0x5C534C, 0x5C534C, 0xFFD1AD, 0x5C534C};
    QTest::newRow("7 on off-white") << 7 << QList<TColor>{0xF5F9FA, 0xEBEEEF, 0xEBEEEF, 0x5C534C, 0x5C534C, 0x5C534C, 0xF5F9FA, 0xFFD1AD, 0xF5F9FA};
    QTest::newRow("9 on blue-grey") << 9 << QList<TColor>{0xCAC1BA, 0xCAC1BA, 0xCAC1BA, 0xF8F7F6, 0x5C534C, 0x5C534C, 0xF5F9FA, 0xFFD1AD, 0xF8F7F6};
}

void tst_DialGauge::presets()
{
    QFETCH(int, preset);
    QFETCH(QList<TColor>, colours);
    TDialGauge g;
    QStringList order;
    g.Arc()->OnChange = [&](QObject *) { order << QStringLiteral("Arc"); };
    g.InnerCircle()->OnChange = [&](QObject *) { order << QStringLiteral("InnerCircle"); };
    g.OuterCircle()->OnChange = [&](QObject *) { order << QStringLiteral("OuterCircle"); };
    g.Digit()->OnChange = [&](QObject *) { order << QStringLiteral("Digit"); };
    g.Needle()->OnChange = [&](QObject *) { order << QStringLiteral("Needle"); };
    g.ValueFont()->OnChange = [&](QObject *) { order << QStringLiteral("ValueFont"); };
    g.Font()->OnChange = [&](QObject *) { order << QStringLiteral("Font"); };

    g.ApplyStyle(quint8(preset));

    QCOMPARE(g.Arc()->Color(), colours[0]);
    QCOMPARE(g.Digit()->BackGroundColor(), colours[0]);
    QCOMPARE(g.InnerCircle()->Color(), colours[1]);
    QCOMPARE(g.OuterCircle()->Color(), colours[2]);
    QCOMPARE(g.Arc()->Threshold()->Color(), colours[3]);
    QCOMPARE(g.Digit()->Color(), colours[4]);
    QCOMPARE(g.DivisionColor(), colours[4]);
    QCOMPARE(g.SubDivisionColor(), colours[4]);
    QCOMPARE(g.ValueFont()->Color(), colours[4]);
    QCOMPARE(g.Font()->Color(), colours[4]);
    QCOMPARE(g.Needle()->Color(), colours[5]);
    QCOMPARE(g.Needle()->InnerCenterColor(), colours[6]);
    QCOMPARE(g.Needle()->InnerCenterColorTo(), preset == 0 ? TColor(0x8B0000) : colours[6]);
    QCOMPARE(g.Needle()->OuterCenterColor(), colours[7]);
    QCOMPARE(g.Needle()->ShineColor(), colours[8]);

    // Never an opacity, size, rim, gloss or the "To" colours of shine and outer cap.
    QCOMPARE(g.Arc()->Opacity(), 200);
    QCOMPARE(g.InnerCircle()->Opacity(), 150);
    QCOMPARE(g.Digit()->BackGroundOpacity(), 30);
    QCOMPARE(g.OuterRim()->Color(), TColor(0x908070));
    QCOMPARE(g.InnerCircle()->Gloss()->Color(), clWhite);
    QCOMPARE(g.Needle()->ShineColorTo(), TColor(0xD3D3D3));
    QCOMPARE(g.Needle()->OuterCenterColorTo(), TColor(0xFF0000));
    QCOMPARE(g.Font()->Size(), 14);
    QCOMPARE(g.ValueFont()->Name(), QStringLiteral("Tahoma"));

    // Through the ordinary setters, in the fixed order (one event per change).
    QCOMPARE(order.first(), QStringLiteral("Arc"));
    QCOMPARE(order.indexOf(QStringLiteral("InnerCircle")), 1);
    QCOMPARE(order.indexOf(QStringLiteral("OuterCircle")), 2);
    QCOMPARE(order.last(), QStringLiteral("Font"));
    QCOMPARE(order[order.size() - 2], QStringLiteral("ValueFont"));

    // Applying it again changes nothing more.
    order.clear();
    g.ApplyStyle(quint8(preset));
    QVERIFY(order.isEmpty());
}

void tst_DialGauge::presetZeroKeepsInnerCenterColorTo()
{
    TDialGauge g;
    g.Needle()->SetInnerCenterColorTo(0x123456);
    g.ApplyStyle(0);
    QCOMPARE(g.Needle()->InnerCenterColor(), TColor(0xFFD2AF));
    QCOMPARE(g.Needle()->InnerCenterColorTo(), TColor(0x123456));
}

void tst_DialGauge::presetsWithoutColourChange_data()
{
    QTest::addColumn<int>("preset");
    QTest::newRow("8") << 8;
    QTest::newRow("10") << 10;
    QTest::newRow("255") << 255;
}

void tst_DialGauge::presetsWithoutColourChange()
{
    QFETCH(int, preset);
    TDialGauge g;
    g.ValueFont()->SetColor(0x010203);
    g.ApplyStyle(quint8(preset));
    QCOMPARE(g.Font()->Color(), TColor(0x010203));
    QCOMPARE(g.Arc()->Color(), TColor(0x8B0000));
    QCOMPARE(g.InnerCircle()->Color(), clBlue);
    QCOMPARE(g.DivisionColor(), TColor(0x00FC7C));
    QCOMPARE(g.Needle()->Color(), TColor(0x00FC7C));
}

void tst_DialGauge::changeChain_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("requests");
    QTest::newRow("gauge colour") << Change([](TDialGauge &g) { g.SetDivisionColor(clRed); }) << 1;
    QTest::newRow("same colour again") << Change([](TDialGauge &g) { g.SetDivisionColor(0x00FC7C); }) << 0;
    QTest::newRow("DivisionCount same value") << Change([](TDialGauge &g) { g.SetDivisionCount(10); }) << 1;
    QTest::newRow("Digit colour") << Change([](TDialGauge &g) { g.Digit()->SetColor(clRed); }) << 1;
    QTest::newRow("inner gloss through the inner circle") << Change([](TDialGauge &g) { g.InnerCircle()->Gloss()->SetOpacity(1); }) << 1;
    QTest::newRow("threshold through the arc") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetColor(clRed); }) << 1;
    QTest::newRow("threshold centre") << Change([](TDialGauge &g) { g.Arc()->Threshold()->SetCenter(25); }) << 1;
    QTest::newRow("arc angle") << Change([](TDialGauge &g) { g.Arc()->SetStartAngle(90); }) << 1;
    QTest::newRow("font size") << Change([](TDialGauge &g) { g.Font()->SetSize(20); }) << 1;
    QTest::newRow("value font name") << Change([](TDialGauge &g) { g.ValueFont()->SetName(QStringLiteral("Arial")); }) << 1;
    QTest::newRow("section added") << Change([](TDialGauge &g) { g.Sections()->Add(); }) << 1;
    QTest::newRow("value with animation") << Change([](TDialGauge &g) { g.SetValue(10); }) << 1;
    QTest::newRow("preset") << Change([](TDialGauge &g) { g.ApplyStyle(4); }) << 1;
    QTest::newRow("copy of a digit") << Change([](TDialGauge &g) { TDialGaugeDigit d(nullptr); g.SetDigit(&d); }) << 1;
    QTest::newRow("copy of a gauge") << Change([](TDialGauge &g) { TDialGauge other; other.Sections()->Add(); g.Assign(&other); }) << 1;
    QTest::newRow("tab stop") << Change([](TDialGauge &g) { g.SetTabStop(true); }) << 1;
    QTest::newRow("palette") << Change([](TDialGauge &g) { QPalette p = g.palette(); p.setColor(QPalette::Button, Qt::red); g.setPalette(p); }) << 1;
}

void tst_DialGauge::changeChain()
{
    QFETCH(Change, change);
    QFETCH(int, requests);
    TDialGauge g;
    const quint64 before = g.RepaintRequestCount();
    change(g);
    QCOMPARE(g.RepaintRequestCount() - before, quint64(requests));
}

void tst_DialGauge::ownHandlerCutsRepaint()
{
    TDialGauge g;
    int digitChanges = 0;
    g.Digit()->OnChange = [&](QObject *sender) {
        QCOMPARE(sender, static_cast<QObject *>(g.Digit()));
        ++digitChanges;
    };
    int innerChanges = 0;
    g.InnerCircle()->OnChange = [&](QObject *) { ++innerChanges; };
    g.Arc()->Threshold()->OnChange = [](QObject *) {};
    resizeTo(g, 200, 200);
    const quint64 before = g.RepaintRequestCount();

    g.Digit()->SetColor(clRed);
    g.InnerCircle()->Gloss()->SetColor(clRed);
    g.Arc()->Threshold()->SetCenter(50);

    QCOMPARE(g.RepaintRequestCount(), before);
    QCOMPARE(digitChanges, 1);
    QCOMPARE(innerChanges, 1);
    // The geometry still follows the threshold; only the repaint is cut.
    QCOMPARE(g.ThresholdBandStart(), 236.25);
}

void tst_DialGauge::mergedIntoOnePaint()
{
    QWidget window;
    window.resize(400, 400);
    auto *g = new TDialGauge(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    g->installEventFilter(&counter);
    g->SetDivisionColor(clRed);
    g->Digit()->SetColor(clRed);
    g->Arc()->Threshold()->SetSpan(50);
    QTRY_COMPARE(counter.paints, 1);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 1);
}

void tst_DialGauge::restingGaugeRequestsNoRepaint()
{
    TDialGauge g;
    ValueLog log;
    log.attach(g);
    const quint64 before = g.RepaintRequestCount();
    for (int i = 0; i < 100; ++i)
        g.AnimationStep();
    QCOMPARE(g.RepaintRequestCount(), before);
    QVERIFY(log.values.isEmpty());
}

void tst_DialGauge::copyGauge()
{
    TDialGauge source;
    source.SetAnimation(false);
    source.SetMinimumValue(-10);
    source.SetMaximumValue(300);
    source.SetValue(42);
    source.SetAnimationFactor(3);
    source.SetDivisionCount(6);
    source.SetSubDivisionCount(4);
    source.SetDivisionColor(clRed);
    source.SetSubDivisionWidth(7);
    source.SetDialText(QStringLiteral("km/h"));
    source.SetValueFormat(QStringLiteral("0.0"));
    source.SetNeedleType(ntSelector);
    source.Arc()->SetStartAngle(100);
    source.Arc()->Threshold()->SetCenter(200);
    source.Digit()->SetVisible(false);
    source.Font()->SetSize(20);
    source.ValueFont()->SetColor(clNavy);
    source.Sections()->Add()->SetEndValue(80);
    source.Sections()->Add()->SetColor(clRed);

    TDialGauge copy;
    copy.SetValue(90); // an old target the copy must not glide back to
    resizeTo(copy, 200, 200);
    bool raised = false;
    copy.OnValueChanged = [&](QObject *, double) { raised = true; };
    copy.Assign(&source);

    QCOMPARE(copy.Value(), 42.0);
    QCOMPARE(copy.AnimationTarget(), 42.0);
    QCOMPARE(copy.Animation(), false);
    QCOMPARE(copy.ScaleTable()[0].LabelValue, -10.0);
    QCOMPARE(copy.AnimationFactor(), 3);
    QCOMPARE(copy.MinimumValue(), -10);
    QCOMPARE(copy.MaximumValue(), 300);
    QCOMPARE(copy.DivisionCount(), 6);
    QCOMPARE(copy.SubDivisionCount(), 4);
    QCOMPARE(copy.DivisionColor(), clRed);
    QCOMPARE(copy.SubDivisionWidth(), 7);
    QCOMPARE(copy.DialText(), QStringLiteral("km/h"));
    QCOMPARE(copy.ValueFormat(), QStringLiteral("000.00"));
    QCOMPARE(copy.NeedleType(), ntSelector);
    QCOMPARE(copy.Arc()->StartAngle(), 100);
    QCOMPARE(copy.Arc()->Threshold()->Center(), 200.0);
    QCOMPARE(copy.Digit()->Visible(), false);
    QCOMPARE(copy.Font()->Size(), 20);
    QCOMPARE(copy.ValueFont()->Color(), clNavy);
    QCOMPARE(copy.Sections()->Count(), 2);
    QCOMPARE(copy.Sections()->Items(0)->EndValue(), 80.0);
    QCOMPARE(copy.Sections()->Items(1)->Color(), clRed);
    QVERIFY(copy.Sections()->Items(0) != source.Sections()->Items(0));
    QCOMPARE(copy.Sections()->Items(0)->Owner(), &copy);
    QVERIFY(!raised);
    QVERIFY(copy.OnValueChanged);

    // The derived geometry matches a gauge given the same values by setters.
    TDialGauge reference;
    resizeTo(reference, 200, 200);
    reference.SetMinimumValue(-10);
    reference.SetMaximumValue(300);
    reference.SetDivisionCount(6);
    reference.SetSubDivisionCount(4);
    reference.Arc()->SetStartAngle(100);
    reference.Arc()->Threshold()->SetCenter(200);
    QCOMPARE(usedScaleEntries(copy), usedScaleEntries(reference));
    for (int i = 0; i < usedScaleEntries(copy); ++i) {
        QCOMPARE(copy.ScaleTable()[std::size_t(i)].OuterX, reference.ScaleTable()[std::size_t(i)].OuterX);
        QCOMPARE(copy.ScaleTable()[std::size_t(i)].LabelValue, reference.ScaleTable()[std::size_t(i)].LabelValue);
    }
    QCOMPARE(copy.ThresholdBandStart(), reference.ThresholdBandStart());
    QCOMPARE(copy.ThresholdBandSweep(), reference.ThresholdBandSweep());

    // At rest in the source, at rest in the copy.
    copy.SetAnimation(true);
    copy.AnimationStep();
    QCOMPARE(copy.Value(), 42.0);

    // A copy taken mid-glide glides on to the source's target.
    source.SetAnimation(true);
    source.SetValue(100);
    source.AnimationStep();
    copy.Assign(&source);
    QCOMPARE(copy.Value(), source.Value());
    QCOMPARE(copy.AnimationTarget(), 100.0);
}

void tst_DialGauge::copyIgnoresOtherClasses()
{
    TDialGauge g;
    g.SetMaximumValue(50);
    QObject plain;
    TDialGaugeDigit digit(nullptr);
    g.Assign(&plain);
    g.Assign(&digit);
    g.Assign(nullptr);
    g.Assign(&g);
    QCOMPARE(g.MaximumValue(), 50);

    int changes = 0;
    g.Digit()->OnChange = [&](QObject *) { ++changes; };
    TDialGaugeGloss gloss(nullptr);
    g.Digit()->Assign(&gloss);
    g.Digit()->Assign(nullptr);
    QCOMPARE(changes, 0);
    g.Digit()->Assign(&digit);
    QCOMPARE(changes, 1); // once, even though nothing differed
}

void tst_DialGauge::objectPropertiesCopyContents()
{
    TDialGauge g;
    TDialGaugeArc *ownArc = g.Arc();
    TDialGaugeThreshold *ownThreshold = g.Arc()->Threshold();
    TDialGauge other;
    other.Arc()->SetColor(clRed);
    other.Arc()->Threshold()->SetSpan(80);
    other.Needle()->SetColor(clAqua);
    other.Font()->SetName(QStringLiteral("Arial"));

    QVERIFY(g.setProperty("Arc", QVariant::fromValue(other.Arc())));
    g.SetNeedle(other.Needle());
    g.SetFont(other.Font());
    QCOMPARE(g.Arc(), ownArc);
    QCOMPARE(g.Arc()->Threshold(), ownThreshold);
    QCOMPARE(g.Arc()->Color(), clRed);
    QCOMPARE(g.Arc()->Threshold()->Span(), 80);
    QCOMPARE(g.Needle()->Color(), clAqua);
    QCOMPARE(g.Font()->Name(), QStringLiteral("Arial"));
    QCOMPARE(g.Font()->Owner(), &g);
    // Later changes of the source do not reach the copy.
    other.Arc()->SetColor(clBlue);
    QCOMPARE(g.Arc()->Color(), clRed);
}

void tst_DialGauge::randomisedInvariants()
{
    QRandomGenerator random(20240611);
    TDialGauge g;
    TDialGauge other;
    other.Sections()->Add();
    int loading = 0;

    const double specials[] = {NaN, Inf, -Inf, 1e308, -1e308, 0.0, -0.0, 1e-300};
    auto anyDouble = [&]() -> double {
        switch (random.bounded(4)) {
        case 0: return specials[random.bounded(int(std::size(specials)))];
        case 1: return random.bounded(2000.0) - 1000.0;
        default:
            return double(g.MinimumValue()
                          + random.generateDouble() * (static_cast<long double>(g.MaximumValue()) - g.MinimumValue()));
        }
    };
    auto anyInt = [&]() -> int {
        switch (random.bounded(4)) {
        case 0: return random.bounded(2) ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
        case 1: return int(random.generate());
        default: return random.bounded(-300, 301);
        }
    };

    for (int step = 0; step < 20000; ++step) {
        const int op = random.bounded(26);
        switch (op) {
        case 0: g.SetValue(anyDouble()); break;
        case 1: g.SetMinimumValue(anyInt()); break;
        case 2: g.SetMaximumValue(anyInt()); break;
        case 3: g.SetDivisionCount(random.bounded(-2, 30)); break;
        case 4: g.SetSubDivisionCount(random.bounded(-2, 14)); break;
        case 5: g.SetAnimation(random.bounded(2) == 1); break;
        case 6: g.SetAnimationFactor(random.bounded(-3, 8)); break;
        case 7: case 8: case 9: g.AnimationStep(); break;
        case 10: g.Arc()->Threshold()->SetCenter(anyDouble()); break;
        case 11: g.Arc()->Threshold()->SetSpan(random.bounded(-5, 110)); break;
        case 12: g.Arc()->SetStartAngle(anyInt()); break;
        case 13: g.Arc()->SetStopAngle(anyInt()); break;
        case 14: g.Arc()->SetWidth(anyDouble()); break;
        case 15: resizeTo(g, random.bounded(-10, 1200), random.bounded(-10, 1200)); break;
        case 16: g.ApplyStyle(quint8(random.bounded(256))); break;
        case 17: {
            TDialGaugeSection *s = g.Sections()->Count() < 5 ? g.Sections()->Add() : g.Sections()->Items(0);
            s->SetStartValue(anyDouble());
            s->SetEndValue(anyDouble());
            s->SetOuterMargin(anyInt());
            s->SetInnerMargin(anyInt());
            break;
        }
        case 18: g.Sections()->Delete(random.bounded(-1, 6)); break;
        case 19: other.SetMaximumValue(random.bounded(1, 500)); other.SetValue(anyDouble()); g.Assign(&other); break;
        case 20: if (loading < 3) { g.BeginLoading(); ++loading; } break;
        case 21: if (loading > 0) { g.EndLoading(); --loading; } break;
        case 22: g.SetDesignMode(random.bounded(4) == 0); break;
        case 23: g.SetTabStop(true); g.PointToValue(random.bounded(-50, 1250), random.bounded(-50, 1250)); break;
        case 24: g.Arc()->Threshold()->SetStartValue(anyDouble()); g.Arc()->Threshold()->SetThresholdKind(tkValue); break;
        case 25: {
            static const Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home,
                                           Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
            g.SetTabStop(true);
            QTest::keyClick(&g, keys[random.bounded(8)]);
            break;
        }
        }

        QVERIFY2(g.MinimumValue() < g.MaximumValue(), qPrintable(QString::number(step)));
        const QByteArray where = QByteArray::number(step);
        QVERIFY2(!std::isnan(g.Value()), where);
        QVERIFY2(!std::isnan(g.AnimationTarget()), where);
        QVERIFY2(g.AnimationTarget() >= g.MinimumValue() && g.AnimationTarget() <= g.MaximumValue(), where);
        // Also mid-glide: a narrowed scale pulls the shown value along.
        QVERIFY2(g.Value() >= g.MinimumValue() && g.Value() <= g.MaximumValue(), where);
        const int used = usedScaleEntries(g);
        QVERIFY(used <= 289);
        for (std::size_t i = std::size_t(used); i < g.ScaleTable().size(); ++i)
            QVERIFY(g.ScaleTable()[i].Kind == mkNone);
        QCOMPARE(g.ScaleTable()[0].Kind, mkDivision);
        QVERIFY(std::isfinite(g.ThresholdBandStart()));
        QVERIFY(std::isfinite(g.ThresholdBandSweep()));
    }
    while (loading-- > 0)
        g.EndLoading();
    // After loading and design mode end, every glide comes to rest inside the range.
    g.SetDesignMode(false);
    g.SetAnimation(true);
    g.SetAnimationFactor(1);
    g.AnimationStep();
    g.AnimationStep();
    QCOMPARE(g.Value(), g.AnimationTarget());
    QVERIFY(g.Value() >= g.MinimumValue() && g.Value() <= g.MaximumValue());
}

QTEST_MAIN(tst_DialGauge)
#include "tst_DialGauge.moc"
