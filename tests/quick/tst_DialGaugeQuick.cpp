// SPDX-License-Identifier: MIT
// The QML item against the widget: every published property under its QML
// name reads what the widget reads, takes and refuses what the widget takes
// and refuses, and keys, clicks, presets and glides lead to the same values.
#include <QtTest>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QQmlListReference>

#include <DialGauge/DialGauge.h>
#include <DialGauge/DialGaugeProperties.h>

#include <cmath>
#include <limits>

#include "tests/quick/QuickTestSupport.h"

using QuickTest::Host;

namespace {

// A QML path, the widget's name for the same property, and a value to write.
struct Mapping
{
    const char *qml;
    const char *widget;
    QVariant value;
};

const QList<Mapping> &Mappings()
{
    static const QList<Mapping> table = {
        {"minimumValue", "MinimumValue", 10},
        {"maximumValue", "MaximumValue", 250},
        {"value", "Value", 42.5},
        {"animationFactor", "AnimationFactor", 9},
        {"valueFormat", "ValueFormat", QStringLiteral("00.0")},
        {"divisionCount", "DivisionCount", 7},
        {"subDivisionCount", "SubDivisionCount", 4},
        {"divisionColor", "Scale.DivisionColor", QColor(0x12, 0x34, 0x56)},
        {"subDivisionColor", "Scale.SubDivisionColor", QColor(0x65, 0x43, 0x21)},
        {"divisionWidth", "DivisionWidth", 3},
        {"subDivisionWidth", "SubDivisionWidth", 1},
        {"dialText", "DialText", QStringLiteral("km/h")},
        {"needleType", "NeedleType", int(ntSelector)},
        {"needle.color", "Needle.Color", QColor(0x10, 0x20, 0x30)},
        {"needle.shineColor", "Needle.ShineColor", QColor(0x11, 0x21, 0x31)},
        {"needle.shineColorTo", "Needle.ShineColorTo", QColor(0x12, 0x22, 0x32)},
        {"needle.outerCenterColor", "Needle.OuterCenterColor", QColor(0x13, 0x23, 0x33)},
        {"needle.outerCenterColorTo", "Needle.OuterCenterColorTo", QColor(0x14, 0x24, 0x34)},
        {"needle.outerCenterOpacity", "Needle.OuterCenterOpacity", 77},
        {"needle.innerCenterColor", "Needle.InnerCenterColor", QColor(0x15, 0x25, 0x35)},
        {"needle.innerCenterColorTo", "Needle.InnerCenterColorTo", QColor(0x16, 0x26, 0x36)},
        {"needle.innerCenterOpacity", "Needle.InnerCenterOpacity", 66},
        {"arc.color", "Arc.Color", QColor(0x17, 0x27, 0x37)},
        {"arc.width", "Arc.Width", 0.05},
        {"arc.opacity", "Arc.Opacity", 55},
        {"arc.startAngle", "Arc.StartAngle", 120},
        {"arc.stopAngle", "Arc.StopAngle", 420},
        {"arc.threshold.color", "Arc.Threshold.Color", QColor(0x18, 0x28, 0x38)},
        {"arc.threshold.opacity", "Arc.Threshold.Opacity", 44},
        {"arc.threshold.center", "Arc.Threshold.Center", 60.0},
        {"arc.threshold.span", "Arc.Threshold.Span", 20},
        {"arc.threshold.startAngle", "Arc.Threshold.StartAngle", 150},
        {"arc.threshold.sweepAngle", "Arc.Threshold.SweepAngle", 90},
        {"arc.threshold.startValue", "Arc.Threshold.StartValue", 20.0},
        {"arc.threshold.endValue", "Arc.Threshold.EndValue", 70.0},
        {"arc.threshold.kind", "Arc.Threshold.ThresholdKind", int(tkValue)},
        {"digit.color", "Digit.Color", QColor(0x19, 0x29, 0x39)},
        {"digit.backgroundColor", "Digit.BackGroundColor", QColor(0x1A, 0x2A, 0x3A)},
        {"digit.backgroundOpacity", "Digit.BackGroundOpacity", 33},
        {"digit.visible", "Digit.Visible", false},
        {"outerCircle.color", "OuterCircle.Color", QColor(0x1B, 0x2B, 0x3B)},
        {"outerCircle.width", "OuterCircle.Width", 0.03},
        {"outerCircle.opacity", "OuterCircle.Opacity", 22},
        {"innerCircle.color", "InnerCircle.Color", QColor(0x1C, 0x2C, 0x3C)},
        {"innerCircle.opacity", "InnerCircle.Opacity", 11},
        {"innerCircle.gloss.color", "InnerCircle.Gloss.Color", QColor(0x1D, 0x2D, 0x3D)},
        {"innerCircle.gloss.opacity", "InnerCircle.Gloss.Opacity", 99},
        {"outerRim.color", "OuterRim.Color", QColor(0x1E, 0x2E, 0x3E)},
        {"outerRim.opacity", "OuterRim.Opacity", 88},
        {"outerRim.width", "OuterRim.Width", 4},
        {"font.color", "Font.Color", QColor(0x1F, 0x2F, 0x3F)},
        {"font.name", "Font.Name", QStringLiteral("DejaVu Sans")},
        {"font.size", "Font.Size", 17},
        {"valueFont.color", "ValueFont.Color", QColor(0x20, 0x30, 0x40)},
        {"valueFont.size", "ValueFont.Size", 9},
        {"valueFont.height", "ValueFont.Height", -15},
    };
    return table;
}

// The widget's value in the QML item's terms: colours as QColor, enumerations
// and flags as numbers.
QVariant WidgetValue(const TDialGauge &gauge, const char *name)
{
    const QVariant value = TDialGaugeProperties::Read(gauge, QString::fromLatin1(name));
    if (TDialGaugeProperties::IsColor(QString::fromLatin1(name)))
        return TDialGaugeProperties::ToQColor(value.toInt());
    if (value.metaType().flags().testFlag(QMetaType::IsEnumeration))
        return value.toInt();
    return value;
}

bool Same(const QVariant &qml, const QVariant &widget)
{
    if (widget.typeId() == QMetaType::Double || qml.typeId() == QMetaType::Double) {
        const double a = qml.toDouble();
        const double b = widget.toDouble();
        return a == b || (std::isnan(a) && std::isnan(b));
    }
    if (widget.typeId() == QMetaType::QColor)
        return qml.value<QColor>() == widget.value<QColor>();
    if (widget.typeId() == QMetaType::Int)
        return qml.toInt() == widget.toInt();
    return qml == widget;
}

QByteArray Describe(const QVariant &v)
{
    QString text;
    QDebug(&text) << v;
    return text.toUtf8();
}

// Every mapped property reads the same on both.
void CompareAll(const Host &host, const TDialGauge &gauge, const char *when)
{
    for (const Mapping &m : Mappings()) {
        const QVariant qml = host.read(m.qml);
        const QVariant widget = WidgetValue(gauge, m.widget);
        if (!Same(qml, widget))
            QFAIL(QByteArray(when) + ": " + m.qml + " reads " + Describe(qml) + ", the widget's " + m.widget
                  + " " + Describe(widget));
    }
}

// The item's values, one per valueChanged().
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(const Host &host) : m_host(host)
    {
        connect(host.item(), SIGNAL(valueChanged()), this, SLOT(record()));
    }
    QList<double> steps;

public slots:
    void record() { steps << m_host.read("value").toDouble(); }

private:
    const Host &m_host;
};

const QByteArray Plain = "DialGauge { animation: false }";

} // namespace

class tst_DialGaugeQuick : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QuickTest::UseSoftwareBackend(); }

    void defaultsMatchTheWidget()
    {
        Host host("DialGauge {}");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        TDialGauge gauge;
        CompareAll(host, gauge, "defaults");
        QCOMPARE(host.read("animation").toBool(), true);
        QCOMPARE(host.read("version").toString(), gauge.Version());
        QCOMPARE(host.item()->implicitWidth(), 200.0);
    }

    void writesFollowTheWidgetsRules_data()
    {
        QTest::addColumn<QByteArray>("qml");
        QTest::addColumn<QByteArray>("widget");
        QTest::addColumn<QVariant>("value");
        for (const Mapping &m : Mappings())
            QTest::newRow(m.qml) << QByteArray(m.qml) << QByteArray(m.widget) << m.value;
        // Refused by the widget, so refused here: the property keeps its value.
        QTest::newRow("maximum below minimum") << QByteArray("maximumValue") << QByteArray("MaximumValue") << QVariant(-5);
        QTest::newRow("maximum at minimum") << QByteArray("maximumValue") << QByteArray("MaximumValue") << QVariant(0);
        QTest::newRow("minimum at maximum") << QByteArray("minimumValue") << QByteArray("MinimumValue") << QVariant(100);
        QTest::newRow("value above range") << QByteArray("value") << QByteArray("Value") << QVariant(100.5);
        QTest::newRow("value below range") << QByteArray("value") << QByteArray("Value") << QVariant(-0.5);
        QTest::newRow("value NaN") << QByteArray("value") << QByteArray("Value")
                                   << QVariant(std::numeric_limits<double>::quiet_NaN());
        QTest::newRow("threshold center outside") << QByteArray("arc.threshold.center")
                                                  << QByteArray("Arc.Threshold.Center") << QVariant(101.0);
        QTest::newRow("arc width NaN") << QByteArray("arc.width") << QByteArray("Arc.Width")
                                       << QVariant(std::numeric_limits<double>::quiet_NaN());
        QTest::newRow("needle type out of range") << QByteArray("needleType") << QByteArray("NeedleType") << QVariant(7);
        QTest::newRow("threshold kind out of range") << QByteArray("arc.threshold.kind")
                                                     << QByteArray("Arc.Threshold.ThresholdKind") << QVariant(-1);
    }

    void writesFollowTheWidgetsRules()
    {
        QFETCH(QByteArray, qml);
        QFETCH(QByteArray, widget);
        QFETCH(QVariant, value);
        Host host(Plain);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        TDialGauge gauge;
        gauge.SetAnimation(false);
        QSignalSpy changed(host.item(), SIGNAL(changed()));

        host.write(qml.constData(), value);
        // The widget gets the number behind an enumeration name.
        QVariant widgetValue = value;
        if (widget == "NeedleType" && value.toInt() >= 0 && value.toInt() <= 1)
            widgetValue = QVariant::fromValue(TDialGaugeNeedleType(value.toInt()));
        if (widget == "NeedleType" && (value.toInt() < 0 || value.toInt() > 1))
            widgetValue = QVariant(); // the widget's type takes no other number
        if (widget == "Arc.Threshold.ThresholdKind")
            widgetValue = value.toInt() == 0 || value.toInt() == 1
                ? QVariant::fromValue(TDialGaugeThresholdKind(value.toInt()))
                : QVariant();
        if (widgetValue.isValid())
            TDialGaugeProperties::Write(gauge, QString::fromLatin1(widget), widgetValue);

        const QVariant before = WidgetValue(TDialGauge(), widget.constData());
        const QVariant after = WidgetValue(gauge, widget.constData());
        QVERIFY2(Same(host.read(qml.constData()), after),
                 Describe(host.read(qml.constData())) + " against the widget's " + Describe(after));
        // A taken change repaints and tells bindings; a refused one is silent.
        if (!Same(after, before))
            QVERIFY(changed.count() > 0);
        CompareAll(host, gauge, "after the write");
    }

    void presetsMatchTheWidget_data()
    {
        QTest::addColumn<int>("preset");
        for (int preset = 0; preset <= 9; ++preset)
            QTest::addRow("preset %d", preset) << preset;
        QTest::newRow("unknown preset") << 10;
    }

    void presetsMatchTheWidget()
    {
        QFETCH(int, preset);
        Host host(Plain);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        TDialGauge gauge;
        QVERIFY(QMetaObject::invokeMethod(host.item(), "applyStyle", Q_ARG(int, preset)));
        if (preset <= 9)
            gauge.ApplyStyle(quint8(preset));
        CompareAll(host, gauge, "after applyStyle");
    }

    void declaredValues_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("maximum");
        QTest::newRow("shown at once, no glide") << QByteArray("DialGauge { value: 42 }") << 42.0 << 100;
        QTest::newRow("value before its limit") << QByteArray("DialGauge { value: 150; maximumValue: 250 }") << 150.0
                                                << 250;
        QTest::newRow("limit before the value") << QByteArray("DialGauge { maximumValue: 250; value: 150 }") << 150.0
                                                << 250;
        QTest::newRow("outside the declared range") << QByteArray("DialGauge { value: 300; maximumValue: 250 }")
                                                    << 0.0 << 250;
    }

    // As a form's stored values: the declared value is there when the item
    // is, whatever order QML set the properties in.
    void declaredValues()
    {
        QFETCH(QByteArray, body);
        QFETCH(double, value);
        QFETCH(int, maximum);
        Host host(body);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        QCOMPARE(host.read("value").toDouble(), value);
        QCOMPARE(host.read("animationTarget").toDouble(), value);
        QCOMPARE(host.read("maximumValue").toInt(), maximum);
        // Later changes glide again.
        host.write("value", 10.0);
        QCOMPARE(host.read("animationTarget").toDouble(), 10.0);
        QCOMPARE(host.read("value").toDouble(), value);
        QTRY_COMPARE(host.read("value").toDouble(), 10.0);
    }

    void enumerationsByName()
    {
        Host host("DialGauge { needleType: DialGauge.Selector; arc.threshold.kind: DialGaugeThreshold.Value }");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        QCOMPARE(host.read("needleType").toInt(), int(ntSelector));
        QCOMPARE(host.read("arc.threshold.kind").toInt(), int(tkValue));
    }

    void groupedBindingsFollowPresets()
    {
        // A binding on a grouped property sees a change made by applyStyle.
        Host host("DialGauge { property color seen: needle.color }");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        TDialGauge gauge;
        gauge.ApplyStyle(2);
        QMetaObject::invokeMethod(host.item(), "applyStyle", Q_ARG(int, 2));
        QCOMPARE(host.read("seen").value<QColor>(), WidgetValue(gauge, "Needle.Color").value<QColor>());
    }

    void valueSignals_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("valueChanges");
        QTest::newRow("inside") << QVariant(30.0) << 1;
        QTest::newRow("same again") << QVariant(0.0) << 1;
        QTest::newRow("outside") << QVariant(130.0) << 0;
    }

    void valueSignals()
    {
        QFETCH(QVariant, value);
        QFETCH(int, valueChanges);
        Host host(Plain);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        QSignalSpy values(host.item(), SIGNAL(valueChanged()));
        QSignalSpy changes(host.item(), SIGNAL(changed()));
        host.write("value", value);
        QCOMPARE(values.count(), valueChanges);
        QCOMPARE(changes.count(), valueChanges);
    }

    void sectionsList()
    {
        Host host("DialGauge { sections: [ DialGaugeSection { startValue: 10; endValue: 20; color: 'red' },"
                  " DialGaugeSection { startValue: 80; endValue: 100; gloss.opacity: 40 } ] }");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        QQmlListReference sections(host.item(), "sections");
        QCOMPARE(sections.count(), 2);
        QObject *first = sections.at(0);
        QCOMPARE(first->property("color").value<QColor>(), QColor(Qt::red));
        QCOMPARE(QQmlProperty::read(sections.at(1), QStringLiteral("gloss.opacity")).toInt(), 40);
        // A section refuses what a widget's section refuses, and a change repaints.
        QSignalSpy changes(host.item(), SIGNAL(changed()));
        first->setProperty("startValue", std::numeric_limits<double>::infinity());
        QCOMPARE(first->property("startValue").toDouble(), 10.0);
        first->setProperty("endValue", 30.0);
        QVERIFY(changes.count() > 0);
        sections.removeLast();
        QCOMPARE(sections.count(), 1);
        sections.clear();
        QCOMPARE(sections.count(), 0);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("takesFocus");
        for (const auto &[name, key] : std::initializer_list<std::pair<const char *, int>>{
                 {"page up", Qt::Key_PageUp}, {"page down", Qt::Key_PageDown}, {"home", Qt::Key_Home},
                 {"end", Qt::Key_End}, {"left", Qt::Key_Left}, {"right", Qt::Key_Right}, {"up", Qt::Key_Up},
                 {"down", Qt::Key_Down}, {"letter", Qt::Key_A}}) {
            QTest::newRow(name) << key << true;
            QTest::newRow(QByteArray(name) + " without focus on tab") << key << false;
        }
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, takesFocus);
        Host host(Plain);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        host.write("value", 50.0);
        host.item()->setActiveFocusOnTab(takesFocus);
        QVERIFY(host.expose());
        host.item()->forceActiveFocus();
        QTest::keyClick(&host.window(), Qt::Key(key));

        TDialGauge gauge;
        gauge.SetAnimation(false);
        gauge.SetValue(50.0);
        gauge.SetTabStop(takesFocus);
        QTest::keyClick(&gauge, Qt::Key(key));
        QCOMPARE(host.read("value").toDouble(), gauge.Value());
    }

    void clicks_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("takesFocus");
        for (const QPoint at : {QPoint(30, 150), QPoint(100, 20), QPoint(170, 150), QPoint(100, 100), QPoint(100, 190)}) {
            QTest::addRow("%d,%d", at.x(), at.y()) << at << true;
            QTest::addRow("%d,%d without focus on tab", at.x(), at.y()) << at << false;
        }
    }

    void clicks()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, takesFocus);
        Host host(Plain);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        host.item()->setActiveFocusOnTab(takesFocus);
        QVERIFY(host.expose());
        QTest::mouseClick(&host.window(), Qt::LeftButton, {}, at);

        TDialGauge gauge;
        gauge.SetAnimation(false);
        gauge.SetTabStop(takesFocus);
        gauge.resize(200, 200);
        QTest::mouseClick(&gauge, Qt::LeftButton, {}, at);
        QCOMPARE(host.read("value").toDouble(), gauge.Value());
        QCOMPARE(host.item()->hasActiveFocus(), takesFocus);
    }

    void glideTakesTheWidgetsSteps_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<int>("factor");
        QTest::newRow("up, factor 5") << 80.0 << 5;
        QTest::newRow("down from the top, factor 2") << 3.0 << 2;
    }

    void glideTakesTheWidgetsSteps()
    {
        QFETCH(double, target);
        QFETCH(int, factor);
        Host host("DialGauge {}");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        TDialGauge gauge;
        Recorder recorder(host);
        QList<double> &qmlSteps = recorder.steps;
        QList<double> widgetSteps;
        connect(&gauge, &TDialGauge::valueChanged, this, [&](double v) { widgetSteps << v; });
        host.write("animationFactor", factor);
        gauge.SetAnimationFactor(factor);
        if (target < 50) {
            host.write("animation", false);
            host.write("value", 100.0);
            host.write("animation", true);
            gauge.SetAnimation(false);
            gauge.SetValue(100.0);
            gauge.SetAnimation(true);
            qmlSteps.clear();
            widgetSteps.clear();
        }
        host.write("value", target);
        gauge.SetValue(target);
        QTRY_COMPARE_WITH_TIMEOUT(host.read("value").toDouble(), target, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(gauge.Value(), target, 20000);
        QVERIFY(qmlSteps.size() > 3);
        QCOMPARE(qmlSteps, widgetSteps);
    }

    void accessibleAsADial()
    {
        Host host("DialGauge { value: 25; animation: false }");
        QVERIFY2(host.item(), qPrintable(host.errors()));
        QVERIFY(host.expose());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(host.item());
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Dial);
        QAccessibleValueInterface *value = iface->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toDouble(), 25.0);
        QCOMPARE(value->minimumValue().toDouble(), 0.0);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
        // A role of the document's own stays.
        Host own("DialGauge { Accessible.role: Accessible.Slider }");
        QVERIFY2(own.item(), qPrintable(own.errors()));
        QCOMPARE(QAccessible::queryAccessibleInterface(own.item())->role(), QAccessible::Slider);
    }
};

QTEST_MAIN(tst_DialGaugeQuick)
#include "tst_DialGaugeQuick.moc"
