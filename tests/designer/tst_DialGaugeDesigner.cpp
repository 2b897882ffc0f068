// SPDX-License-Identifier: MIT
// The plugin inside Designer's own form editor: a gauge placed from the
// widget box against one read from a form, what the property editor shows,
// what a saved form holds, and the code uic makes of it.
#include <QtTest>

#include <QPluginLoader>
#include <QProcess>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "gauge/DialGauge.h"
#include "tests/designer/DesignerSession.h"

namespace {

QString form(const QString &widgets)
{
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>Form</class><widget class="QWidget" name="Form">
<property name="geometry"><rect><x>0</x><y>0</y><width>420</width><height>320</height></rect></property>
%1</widget></ui>)")
        .arg(widgets);
}

// A gauge as a form stores it: only its geometry, and any properties given.
QString storedGauge(const QString &properties = QString())
{
    return QStringLiteral(R"(<widget class="TDialGauge" name="DialGauge1">
<property name="geometry"><rect><x>10</x><y>10</y><width>200</width><height>200</height></rect></property>
%1</widget>)")
        .arg(properties);
}

// The widget box's entry: Designer pastes it into the form when a gauge is
// dropped, the same path that reads a form, with the entry's properties.
QString placedGauge()
{
    QPluginLoader loader(QStringLiteral(DIALGAUGE_PLUGIN_DIR "/designer/libDialGaugeDesigner.so"));
    auto *plugin = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
    if (!plugin)
        return QString();
    const QString domXml = plugin->domXml();
    const qsizetype start = domXml.indexOf(QStringLiteral("<widget"));
    const qsizetype end = domXml.lastIndexOf(QStringLiteral("</widget>")) + 9;
    return domXml.mid(start, end - start);
}

TDialGauge *gaugeOf(QDesignerFormWindowInterface *window, const QString &name = QStringLiteral("DialGauge1"))
{
    return window->mainContainer()->findChild<TDialGauge *>(name);
}

QStringList differences(const TDialGauge &a, const TDialGauge &b)
{
    QStringList found;
    for (const QString &name : TDialGaugeProperties::Names()) {
        if (TDialGaugeProperties::Read(a, name) != TDialGaugeProperties::Read(b, name))
            found << name;
    }
    return found;
}

// The properties a form stores for one widget, each as its value element
// written out ("<number>250</number>"), with stdset="0" marked by a "*".
QMap<QString, QString> storedProperties(const QString &ui, const QString &widget)
{
    QMap<QString, QString> stored;
    QXmlStreamReader xml(ui);
    bool inside = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"widget")
            inside = xml.attributes().value(QStringLiteral("name")) == widget;
        if (!inside || !xml.isStartElement() || xml.name() != u"property")
            continue;
        const QString name = xml.attributes().value(QStringLiteral("name")).toString();
        const bool noSetter = xml.attributes().value(QStringLiteral("stdset")) == u"0";
        QString value;
        QXmlStreamWriter writer(&value);
        xml.readNextStartElement();
        writer.writeCurrentToken(xml);
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement())
                ++depth;
            else if (xml.isEndElement())
                --depth;
            if (!xml.isWhitespace())
                writer.writeCurrentToken(xml);
        }
        if (name != u"geometry")
            stored.insert(name, (noSetter ? QStringLiteral("*") : QString()) + value);
    }
    return stored;
}

QString colorElement(const QColor &c)
{
    const QString alpha = c.alpha() == 255 ? QString() : QStringLiteral(" alpha=\"%1\"").arg(c.alpha());
    return QStringLiteral("*<color%1><red>%2</red><green>%3</green><blue>%4</blue></color>")
        .arg(alpha)
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

// Name and value text of every row of the property editor's tree.
QList<QPair<QString, QString>> editorRows(QDesignerPropertyEditorInterface *editor)
{
    QList<QPair<QString, QString>> rows;
    for (QTreeWidget *tree : editor->findChildren<QTreeWidget *>()) {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            rows.append({(*it)->text(0), (*it)->text(1)});
    }
    return rows;
}

} // namespace

class tst_DialGaugeDesigner : public QObject
{
    Q_OBJECT

private slots:
    void placedGaugeTakesTheDesignModeLook();
    void gaugeReadFromAFormStartsAsBuilt();
    void propertyEditorShowsTheParts();
    void propertyEditorOrder();
    void savesOnlyWhatDiffers_data();
    void savesOnlyWhatDiffers();
    void placedGaugeSavesItsLook();
    void resetRestoresTheDefault();
    void userDynamicPropertiesStillWork();
    void formReadAndSavedUnchanged();
    void uicWritesSetProperty();
};

void tst_DialGaugeDesigner::placedGaugeTakesTheDesignModeLook()
{
    DesignerSession designer;
    const QString placed = placedGauge();
    QVERIFY(!placed.isEmpty());
    TDialGauge *gauge = gaugeOf(designer.open(form(placed)));
    QVERIFY(gauge);
    QVERIFY(gauge->IsDesignMode());
    QCOMPARE(gauge->size(), QSize(200, 200));
    const TDialGauge designed(nullptr, true);
    QCOMPARE(differences(*gauge, designed), QStringList());
    QCOMPARE(gauge->Arc()->Color(), TColor(0xFFEFE3));
    QCOMPARE(gauge->Arc()->Threshold()->EndValue(), 100.0);
}

// No preset: the construction values, then the stored ones.
void tst_DialGaugeDesigner::gaugeReadFromAFormStartsAsBuilt()
{
    DesignerSession designer;
    const QString stored = QStringLiteral(
        R"(<property name="Needle.Color" stdset="0"><color><red>175</red><green>210</green><blue>255</blue></color></property>)");
    TDialGauge *gauge = gaugeOf(designer.open(form(storedGauge(stored))));
    QVERIFY(gauge);
    QVERIFY(gauge->IsDesignMode());
    const TDialGauge built;
    QCOMPARE(differences(*gauge, built), QStringList{QStringLiteral("Needle.Color")});
    QCOMPARE(gauge->Needle()->Color(), TColor(16765615));
    QCOMPARE(gauge->Arc()->Threshold()->EndValue(), 0.0);
}

// Colours as colours (clNone transparent), enumerations by name, the parts
// by dotted name; the objects themselves and the duplicates do not show.
void tst_DialGaugeDesigner::propertyEditorShowsTheParts()
{
    DesignerSession designer;
    TDialGauge *gauge = gaugeOf(designer.open(form(storedGauge())));
    gauge->Digit()->SetBackGroundColor(clNone);
    gauge->Font()->SetStyle(fsBold | fsItalic);
    designer.propertyEditor->setObject(gauge);
    const QList<QPair<QString, QString>> rows = editorRows(designer.propertyEditor.get());
    QMap<QString, QString> shown;
    for (const auto &row : rows)
        shown.insert(row.first, row.second);

    const QMap<QString, QString> expected{
        {"Needle.Color", "[124, 252, 0] (255)"},
        {"Digit.BackGroundColor", "[0, 0, 0] (0)"},
        {"Arc.Threshold.Span", "25"},
        {"Arc.Threshold.ThresholdKind", "tkAngle"},
        {"InnerCircle.Gloss.Opacity", "72"},
        {"Scale.DivisionColor", "[124, 252, 0] (255)"},
        {"NeedleType", "ntPointer"},
        {"Font.Name", "Tahoma"},
        {"Font.Size", "14"},
        {"Font.Style", "fsBold|fsItalic"},
        {"ValueFormat", "000.00"},
        {"MaximumValue", "100"}};
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(shown.contains(it.key()), qPrintable(it.key()));
        QCOMPARE(shown.value(it.key()), it.value());
    }
    for (const char *absent : {"Digit", "Arc", "Needle", "Font", "Sections", "Font.Height", "DivisionColor",
                               "Enabled", "Visible"})
        QVERIFY2(!shown.contains(QLatin1String(absent)), absent);
    QVERIFY(shown.contains(QStringLiteral("enabled")));
}

// Published order, so that a saved form applies the limits before Value and
// before the threshold's centre.
void tst_DialGaugeDesigner::propertyEditorOrder()
{
    DesignerSession designer;
    TDialGauge *gauge = gaugeOf(designer.open(form(storedGauge())));
    QDesignerPropertySheetExtension *sheet = designer.sheet(gauge);
    const QStringList ordered{"objectName", "geometry", "AnimationFactor", "MinimumValue", "MaximumValue", "Value",
                              "Digit.Color", "InnerCircle.Gloss.Color", "Arc.Threshold.Center",
                              "Arc.Threshold.ThresholdKind", "DivisionCount", "Scale.DivisionColor", "DialText",
                              "Font.Color", "ValueFont.Style", "ValueFormat", "NeedleType", "TabStop"};
    int previous = -1;
    for (const QString &name : ordered) {
        const int index = sheet->indexOf(name);
        QVERIFY2(index > previous, qPrintable(name));
        QCOMPARE(sheet->propertyName(index), name);
        previous = index;
    }
}

void tst_DialGaugeDesigner::savesOnlyWhatDiffers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    // The stored value element, or empty when the property is left out.
    QTest::addColumn<QString>("stored");

    QTest::newRow("colour") << "Needle.Color" << QVariant(QColor(175, 210, 255))
                            << colorElement(QColor(175, 210, 255));
    QTest::newRow("clNone") << "Digit.BackGroundColor" << QVariant(QColor(0, 0, 0, 0))
                            << colorElement(QColor(0, 0, 0, 0));
    QTest::newRow("tick colour") << "Scale.SubDivisionColor" << QVariant(QColor(0, 45, 150))
                                 << colorElement(QColor(0, 45, 150));
    QTest::newRow("the gauge's own number") << "MaximumValue" << QVariant(250) << "*<number>250</number>";
    QTest::newRow("a part's number") << "OuterRim.Width" << QVariant(1) << "*<number>1</number>";
    QTest::newRow("fraction") << "OuterCircle.Width" << QVariant(0.05) << "*<double>0.050000000000000</double>";
    // Left out by the rule that drops a floating-point zero, it would read
    // back as 0.03: zero is stored like any value that differs.
    QTest::newRow("zero, not the default") << "Arc.Width" << QVariant(0.0) << "*<double>0.000000000000000</double>";
    QTest::newRow("text") << "DialText" << QVariant(QStringLiteral("km/h")) << "*<string>km/h</string>";
    QTest::newRow("enumeration of a part") << "Arc.Threshold.ThresholdKind" << QVariant(QByteArray("tkValue"))
                                           << "*<cstring>tkValue</cstring>";
    QTest::newRow("flags") << "ValueFont.Style" << QVariant(QByteArray("fsBold|fsUnderline"))
                           << "*<cstring>fsBold|fsUnderline</cstring>";
    QTest::newRow("the gauge's enumeration") << "NeedleType" << QVariant(int(ntSelector))
                                             << "*<enum>DialGaugeTypes::ntSelector</enum>";
    QTest::newRow("set back to the default") << "Needle.Color" << QVariant(QColor(124, 252, 0)) << QString();
    QTest::newRow("a refused value") << "DivisionCount" << QVariant(30) << QString();
    QTest::newRow("Version") << "Version" << QVariant(QStringLiteral("2.0")) << QString();
    QTest::newRow("Value zero") << "Value" << QVariant(0.0) << QString();
}

// Set as the property editor sets a value (which also marks it changed);
// the saved form holds that property alone, without a setter call.
void tst_DialGaugeDesigner::savesOnlyWhatDiffers()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(QString, stored);

    DesignerSession designer;
    QDesignerFormWindowInterface *window = designer.open(form(storedGauge()));
    TDialGauge *gauge = gaugeOf(window);
    QDesignerPropertySheetExtension *sheet = designer.sheet(gauge);
    const int index = sheet->indexOf(name);
    QVERIFY(index >= 0);
    sheet->setProperty(index, value);
    sheet->setChanged(index, true);
    QCOMPARE(sheet->isChanged(index), !stored.isEmpty());

    QMap<QString, QString> expected;
    if (!stored.isEmpty())
        expected.insert(name, stored);
    QCOMPARE(storedProperties(window->contents(), QStringLiteral("DialGauge1")), expected);
}

// Preset 4 and the threshold's range are not the run-time defaults: a
// placed gauge saves them, and so keeps its look when read back.
void tst_DialGaugeDesigner::placedGaugeSavesItsLook()
{
    DesignerSession designer;
    const QString saved = designer.open(form(placedGauge()))->contents();
    QCOMPARE(storedProperties(saved, QStringLiteral("DialGauge1")).size(), 16);
    TDialGauge *reread = gaugeOf(designer.open(saved));
    const TDialGauge designed(nullptr, true);
    QCOMPARE(differences(*reread, designed), QStringList());
}

void tst_DialGaugeDesigner::resetRestoresTheDefault()
{
    DesignerSession designer;
    TDialGauge *gauge = gaugeOf(designer.open(form(placedGauge())));
    QDesignerPropertySheetExtension *sheet = designer.sheet(gauge);
    for (const char *name : {"Arc.Color", "Arc.Threshold.EndValue", "Scale.DivisionColor"}) {
        const int index = sheet->indexOf(QLatin1String(name));
        QVERIFY(sheet->hasReset(index));
        QVERIFY(sheet->isChanged(index));
        QVERIFY(sheet->reset(index));
        QVERIFY2(!sheet->isChanged(index), name);
    }
    QCOMPARE(gauge->Arc()->Color(), TColor(0x8B0000));
    QCOMPARE(gauge->Arc()->Threshold()->EndValue(), 0.0);
    QCOMPARE(gauge->DivisionColor(), TColor(0x00FC7C));
}

// Designer's own dynamic properties go on as before, after the gauge's.
void tst_DialGaugeDesigner::userDynamicPropertiesStillWork()
{
    DesignerSession designer;
    QDesignerFormWindowInterface *window = designer.open(form(storedGauge()));
    TDialGauge *gauge = gaugeOf(window);
    QDesignerPropertySheetExtension *sheet = designer.sheet(gauge);
    auto *dynamic = qt_extension<QDesignerDynamicPropertySheetExtension *>(designer.core->extensionManager(), gauge);
    QVERIFY(dynamic && dynamic->dynamicPropertiesAllowed());
    QVERIFY(!dynamic->canAddDynamicProperty(QStringLiteral("Needle.Color")));
    QCOMPARE(dynamic->addDynamicProperty(QStringLiteral("Needle.Color"), QColor(Qt::red)), -1);
    const int needle = sheet->indexOf(QStringLiteral("Needle.Color"));
    const int note = dynamic->addDynamicProperty(QStringLiteral("note"), QStringLiteral("x"));
    QCOMPARE(note, sheet->count() - 1);
    QCOMPARE(sheet->indexOf(QStringLiteral("note")), note);
    QCOMPARE(sheet->indexOf(QStringLiteral("Needle.Color")), needle);
    QVERIFY(dynamic->isDynamicProperty(note));
    sheet->setChanged(note, true);
    QVERIFY(storedProperties(window->contents(), QStringLiteral("DialGauge1")).contains(QStringLiteral("note")));
    QVERIFY(dynamic->removeDynamicProperty(note));
    QVERIFY(!storedProperties(window->contents(), QStringLiteral("DialGauge1")).contains(QStringLiteral("note")));
}

// The test form was saved by Designer: read and saved again it comes out
// the same, property for property.
void tst_DialGaugeDesigner::formReadAndSavedUnchanged()
{
    QFile file(QStringLiteral(DIALGAUGE_FORM));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString original = QString::fromUtf8(file.readAll());
    DesignerSession designer;
    const QString saved = designer.open(original)->contents();
    for (const QString &gauge : {QStringLiteral("DialGauge1"), QStringLiteral("DialGauge2")}) {
        const QMap<QString, QString> before = storedProperties(original, gauge);
        QVERIFY(before.size() > 10);
        QCOMPARE(storedProperties(saved, gauge), before);
    }
    QVERIFY(saved.contains(QStringLiteral("<header location=\"global\">DialGauge/DialGauge.h</header>")));
}

// What uic makes of a saved form: setProperty() calls, no setter that the
// gauge does not have, and the header included as an installed one.
void tst_DialGaugeDesigner::uicWritesSetProperty()
{
    DesignerSession designer;
    QDesignerFormWindowInterface *window = designer.open(form(placedGauge()));
    QDesignerPropertySheetExtension *sheet = designer.sheet(gaugeOf(window));
    sheet->setProperty(sheet->indexOf(QStringLiteral("MaximumValue")), 250);
    sheet->setProperty(sheet->indexOf(QStringLiteral("Arc.Threshold.ThresholdKind")), QByteArray("tkValue"));
    sheet->setProperty(sheet->indexOf(QStringLiteral("NeedleType")), int(ntSelector));

    QTemporaryFile ui(QDir::tempPath() + QStringLiteral("/XXXXXX.ui"));
    QVERIFY(ui.open());
    ui.write(window->contents().toUtf8());
    ui.close();
    QProcess uic;
    uic.start(QStringLiteral(UIC_EXECUTABLE), {ui.fileName()});
    QVERIFY(uic.waitForFinished());
    QCOMPARE(uic.exitCode(), 0);
    const QString code = QString::fromUtf8(uic.readAllStandardOutput());
    QVERIFY2(code.contains(QStringLiteral("#include <DialGauge/DialGauge.h>")), qPrintable(code));
    for (const char *line :
         {R"(DialGauge1->setProperty("MaximumValue", QVariant(250));)",
          R"(DialGauge1->setProperty("Arc.Color", QVariant(QColor(227, 239, 255)));)",
          R"(DialGauge1->setProperty("Arc.Threshold.ThresholdKind", QVariant(QByteArray("tkValue")));)",
          R"(DialGauge1->setProperty("NeedleType", QVariant::fromValue(DialGaugeTypes::ntSelector));)"})
        QVERIFY2(code.contains(QLatin1String(line)), line);
    const QRegularExpression setter(QStringLiteral(R"(DialGauge1->set(?!Property\(|ObjectName\(|Geometry\())"));
    QVERIFY2(!setter.match(code).hasMatch(), qPrintable(setter.match(code).captured()));
}

QTEST_MAIN(tst_DialGaugeDesigner)
#include "tst_DialGaugeDesigner.moc"
