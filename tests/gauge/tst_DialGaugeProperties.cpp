// SPDX-License-Identifier: MIT
// The gauge's properties by the names a form file uses, through the shared
// library only: their published order, conversion of what uic-generated
// code and QUiLoader hand over, the colour mapping, and setProperty().
#include <QtTest>

#include <QPalette>
#include <QSignalSpy>

#include "gauge/DialGauge.h"

class tst_DialGaugeProperties : public QObject
{
    Q_OBJECT

private slots:
    void publishedOrder();
    void write_data();
    void write();
    void refused_data();
    void refused();
    void colours_data();
    void colours();
    void systemColourFollowsThePalette();
    void setPropertyReachesTheParts_data();
    void setPropertyReachesTheParts();
    void setPropertyAgainAfterACodeChange();
    void setPropertyWithABadValueWarns();
    void otherDynamicPropertiesStay();
};

// The order a form applies them in: the limits before Value and before the
// threshold's centre, which is checked against them.
void tst_DialGaugeProperties::publishedOrder()
{
    const QStringList expected{
        "AnimationFactor", "MinimumValue", "MaximumValue", "Value",
        "Digit.Color", "Digit.BackGroundColor", "Digit.BackGroundOpacity", "Digit.Visible",
        "OuterCircle.Color", "OuterCircle.Width", "OuterCircle.Opacity",
        "InnerCircle.Color", "InnerCircle.Opacity", "InnerCircle.Gloss.Color", "InnerCircle.Gloss.Opacity",
        "OuterRim.Color", "OuterRim.Opacity", "OuterRim.Width",
        "Needle.Color", "Needle.ShineColor", "Needle.ShineColorTo", "Needle.OuterCenterColor",
        "Needle.OuterCenterColorTo", "Needle.OuterCenterOpacity", "Needle.InnerCenterColor",
        "Needle.InnerCenterColorTo", "Needle.InnerCenterOpacity",
        "Arc.Color", "Arc.Width", "Arc.Opacity", "Arc.StartAngle", "Arc.StopAngle",
        "Arc.Threshold.Color", "Arc.Threshold.Opacity", "Arc.Threshold.Center", "Arc.Threshold.Span",
        "Arc.Threshold.StartAngle", "Arc.Threshold.SweepAngle", "Arc.Threshold.StartValue",
        "Arc.Threshold.EndValue", "Arc.Threshold.ThresholdKind",
        "DivisionCount", "SubDivisionCount", "Scale.DivisionColor", "Scale.SubDivisionColor",
        "DivisionWidth", "SubDivisionWidth", "DialText",
        "Font.Color", "Font.Height", "Font.Name", "Font.Size", "Font.Style",
        "ValueFont.Color", "ValueFont.Height", "ValueFont.Name", "ValueFont.Size", "ValueFont.Style",
        "ValueFormat", "Animation", "Version", "NeedleType", "TabStop", "Enabled", "Visible"};
    QCOMPARE(TDialGaugeProperties::Names(), expected);
}

void tst_DialGaugeProperties::write_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("colour from a QColor") << "Needle.Color" << QVariant(QColor(175, 210, 255))
                                          << QVariant(16765615);
    QTest::newRow("colour from a TColor") << "Arc.Threshold.Color" << QVariant(9841920) << QVariant(9841920);
    QTest::newRow("clNone from transparent") << "Digit.BackGroundColor" << QVariant(QColor(0, 0, 0, 0))
                                             << QVariant(clNone);
    QTest::newRow("system colour, unsigned") << "InnerCircle.Color" << QVariant(0xFF00000Fu)
                                             << QVariant(clBtnFace);
    QTest::newRow("three levels deep") << "InnerCircle.Gloss.Opacity" << QVariant(10) << QVariant(10);
    QTest::newRow("tick colour by its Scale name") << "Scale.DivisionColor" << QVariant(QColor(0, 45, 150))
                                                   << QVariant(9841920);
    QTest::newRow("tick colour by its own name") << "SubDivisionColor" << QVariant(9841920) << QVariant(9841920);
    QTest::newRow("qualified key") << "Arc.Threshold.ThresholdKind" << QVariant("DialGaugeTypes::tkValue")
                                   << QVariant::fromValue(tkValue);
    QTest::newRow("fully qualified key")
        << "Arc.Threshold.ThresholdKind" << QVariant("DialGaugeTypes::TDialGaugeThresholdKind::tkValue")
        << QVariant::fromValue(tkValue);
    QTest::newRow("plain key") << "NeedleType" << QVariant("ntSelector") << QVariant::fromValue(ntSelector);
    QTest::newRow("enumeration value") << "NeedleType" << QVariant::fromValue(ntSelector)
                                       << QVariant::fromValue(ntSelector);
    QTest::newRow("enumeration as int") << "Arc.Threshold.ThresholdKind" << QVariant(1)
                                        << QVariant::fromValue(tkValue);
    QTest::newRow("flags by keys") << "Font.Style" << QVariant("DialGaugeTypes::fsBold|DialGaugeTypes::fsItalic")
                                   << QVariant::fromValue(TFontStyles(fsBold | fsItalic));
    QTest::newRow("flags as int") << "ValueFont.Style" << QVariant(4) << QVariant::fromValue(TFontStyles(fsUnderline));
    QTest::newRow("text") << "Font.Name" << QVariant("Arial") << QVariant("Arial");
    QTest::newRow("number from text") << "OuterCircle.Width" << QVariant("0.05") << QVariant(0.05);
    QTest::newRow("the gauge's own") << "MaximumValue" << QVariant(250) << QVariant(250);
    QTest::newRow("a value the setter refuses") << "Arc.Threshold.Span" << QVariant(101) << QVariant(25);
}

void tst_DialGaugeProperties::write()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);

    TDialGauge g;
    QVERIFY(TDialGaugeProperties::Write(g, name, value));
    QCOMPARE(TDialGaugeProperties::Read(g, name), expected);
}

void tst_DialGaugeProperties::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("unknown name") << "Needle.Width" << QVariant(3);
    QTest::newRow("a section") << "Sections.Count" << QVariant(1);
    QTest::newRow("colour from text") << "Needle.Color" << QVariant("blue");
    QTest::newRow("colour from a fraction") << "Needle.Color" << QVariant(0.5);
    QTest::newRow("colour out of 32 bits") << "Needle.Color" << QVariant(qint64(1) << 40);
    QTest::newRow("width from a colour") << "Arc.Width" << QVariant(QColor(Qt::red));
    QTest::newRow("unknown key") << "Arc.Threshold.ThresholdKind" << QVariant("tkNone");
    QTest::newRow("key of another enumeration") << "Arc.Threshold.ThresholdKind" << QVariant("ntSelector");
    QTest::newRow("value out of the enumeration") << "NeedleType" << QVariant(7);
    QTest::newRow("unknown flag bit") << "Font.Style" << QVariant(64);
    QTest::newRow("one unknown flag key") << "Font.Style" << QVariant("fsBold|fsShadow");
    QTest::newRow("count from text") << "DivisionCount" << QVariant("twelve");
}

// Nothing changes and nothing repaints.
void tst_DialGaugeProperties::refused()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);

    TDialGauge g;
    const QVariant before = TDialGaugeProperties::Read(g, name);
    QSignalSpy changed(&g, &TDialGauge::changed);
    QVERIFY(!TDialGaugeProperties::Write(g, name, value));
    QCOMPARE(TDialGaugeProperties::Read(g, name), before);
    QCOMPARE(changed.count(), 0);
}

void tst_DialGaugeProperties::colours_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QColor>("shown");

    QTest::newRow("ordinary") << TColor(0x962D00) << QColor(0, 45, 150);
    QTest::newRow("white") << clWhite << QColor(255, 255, 255);
    QTest::newRow("clNone is transparent") << clNone << QColor(0, 0, 0, 0);
    const QColor button = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    QTest::newRow("clBtnFace: the button colour, alpha 239")
        << clBtnFace << QColor(button.red(), button.green(), button.blue(), 239);
    const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
    QTest::newRow("clWindowText: alpha 246") << clWindowText
                                             << QColor(text.red(), text.green(), text.blue(), 246);
    const QColor window = QGuiApplication::palette().color(QPalette::Active, QPalette::Window);
    QTest::newRow("system colour 0: alpha 254") << clScrollBar
                                                << QColor(window.red(), window.green(), window.blue(), 254);
}

// Both ways, so a form keeps clNone and system colours.
void tst_DialGaugeProperties::colours()
{
    QFETCH(TColor, color);
    QFETCH(QColor, shown);

    QCOMPARE(TDialGaugeProperties::ToQColor(color), shown);
    QCOMPARE(TDialGaugeProperties::FromQColor(shown), color);
}

// The swatch shows the system colour as the palette has it now; the stored
// value stays the system colour.
void tst_DialGaugeProperties::systemColourFollowsThePalette()
{
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    QGuiApplication::setPalette(palette);
    const QColor shown = TDialGaugeProperties::ToQColor(clBtnFace);
    QGuiApplication::setPalette(saved);
    QCOMPARE(shown, QColor(10, 20, 30, 239));
    QCOMPARE(TDialGaugeProperties::FromQColor(QColor(99, 99, 99, 239)), clBtnFace);
    QCOMPARE(TDialGaugeProperties::FromQColor(QColor()), clNone);
}

void tst_DialGaugeProperties::setPropertyReachesTheParts_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");

    // What uic writes for a form, and what QUiLoader hands over.
    QTest::newRow("uic: colour") << QByteArray("Needle.ShineColor") << QVariant(QColor(227, 239, 255))
                                 << QVariant(16773091);
    QTest::newRow("uic: enumeration") << QByteArray("Arc.Threshold.ThresholdKind")
                                      << QVariant::fromValue(tkValue) << QVariant::fromValue(tkValue);
    QTest::newRow("uic: flags") << QByteArray("Font.Style") << QVariant(int(fsBold | fsItalic))
                                << QVariant::fromValue(TFontStyles(fsBold | fsItalic));
    QTest::newRow("QUiLoader: key text") << QByteArray("Arc.Threshold.ThresholdKind")
                                         << QVariant("DialGaugeTypes::tkValue") << QVariant::fromValue(tkValue);
    QTest::newRow("tick colour") << QByteArray("Scale.SubDivisionColor") << QVariant(QColor(0, 45, 150))
                                 << QVariant(9841920);
    QTest::newRow("number") << QByteArray("Arc.Threshold.Center") << QVariant(40.0) << QVariant(40.0);
}

// Applied at once through the setter, with its repaint; no dynamic property
// is left behind.
void tst_DialGaugeProperties::setPropertyReachesTheParts()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);

    TDialGauge g;
    QSignalSpy changed(&g, &TDialGauge::changed);
    g.setProperty(name.constData(), value);
    QCOMPARE(TDialGaugeProperties::Read(g, QString::fromLatin1(name)), expected);
    QCOMPARE(changed.count(), 1);
    QVERIFY(g.dynamicPropertyNames().isEmpty());
}

// QObject drops a repeated equal dynamic value unannounced; the gauge must
// still take it when the property changed in code in between.
void tst_DialGaugeProperties::setPropertyAgainAfterACodeChange()
{
    TDialGauge g;
    g.setProperty("Needle.Color", QColor(175, 210, 255));
    g.Needle()->SetColor(clWhite);
    g.setProperty("Needle.Color", QColor(175, 210, 255));
    QCOMPARE(g.Needle()->Color(), TColor(16765615));
}

void tst_DialGaugeProperties::setPropertyWithABadValueWarns()
{
    TDialGauge g;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^TDialGauge: Arc.Width cannot take the value "));
    g.setProperty("Arc.Width", QColor(Qt::red));
    QCOMPARE(g.Arc()->Width(), 0.03);
    QVERIFY(g.dynamicPropertyNames().isEmpty());
}

void tst_DialGaugeProperties::otherDynamicPropertiesStay()
{
    TDialGauge g;
    g.setProperty("Note.Text", QStringLiteral("kept"));
    g.setProperty("plain", 3);
    QCOMPARE(g.property("Note.Text").toString(), QStringLiteral("kept"));
    QCOMPARE(g.property("plain").toInt(), 3);
}

QTEST_MAIN(tst_DialGaugeProperties)
#include "tst_DialGaugeProperties.moc"
