// SPDX-License-Identifier: MIT
// The Designer plugin as an application meets it: loaded with QPluginLoader
// and QUiLoader, and a form compiled by uic at build time. A form's gauge
// must look exactly like the same gauge set up in code.
#include <QtTest>

#include <QPluginLoader>
#include <QUiLoader>
#include <QXmlStreamReader>

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"
#include "ui_GaugeForm.h"

namespace {

const QString PluginFile = QStringLiteral(DIALGAUGE_PLUGIN_DIR "/designer/libDialGaugeDesigner.so");

QDesignerCustomWidgetInterface *plugin()
{
    static QPluginLoader loader(PluginFile);
    return qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
}

// Through the gauge's own paint event, after the resize a shown window
// would send.
QImage grab(TDialGauge &g)
{
    QResizeEvent resize(g.size(), QSize());
    QCoreApplication::sendEvent(&g, &resize);
    QImage image(g.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    g.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The names whose values differ between two gauges, with both values.
QStringList differences(const TDialGauge &a, const TDialGauge &b)
{
    QStringList found;
    for (const QString &name : TDialGaugeProperties::Names()) {
        const QVariant va = TDialGaugeProperties::Read(a, name);
        const QVariant vb = TDialGaugeProperties::Read(b, name);
        if (va != vb)
            found << QStringLiteral("%1: %2 / %3").arg(name, QDebug::toString(va), QDebug::toString(vb));
    }
    return found;
}

// DialGauge2 of forms/GaugeForm.ui, set up in code: a range below zero,
// clNone and a system colour, an enumeration, flags and texts.
std::unique_ptr<TDialGauge> secondGauge()
{
    auto g = std::make_unique<TDialGauge>();
    g->SetMinimumValue(-20);
    g->SetMaximumValue(80);
    g->Digit()->SetBackGroundColor(clNone);
    g->InnerCircle()->SetColor(clBtnFace);
    g->InnerCircle()->Gloss()->SetOpacity(20);
    g->Arc()->SetWidth(0.05);
    g->Arc()->Threshold()->SetCenter(-5);
    g->Arc()->Threshold()->SetStartValue(10);
    g->Arc()->Threshold()->SetEndValue(60);
    g->Arc()->Threshold()->SetThresholdKind(tkValue);
    g->SetDivisionCount(5);
    g->SetDialText(QStringLiteral("km/h"));
    g->Font()->SetName(QStringLiteral("DejaVu Sans"));
    g->Font()->SetSize(12);
    g->Font()->SetStyle(fsBold | fsItalic);
    g->SetValueFormat(QStringLiteral("00.0"));
    g->SetNeedleType(ntSelector);
    g->SetTabStop(true);
    g->resize(303, 308);
    return g;
}

struct DomProperty
{
    QString element;
    QString text;
    QColor color;
};

// The <property> elements of the first <widget> of a .ui text.
QMap<QString, DomProperty> widgetProperties(const QString &ui, QString *className, QRect *geometry)
{
    QMap<QString, DomProperty> properties;
    QXmlStreamReader xml(ui);
    QString current;
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == u"widget" && className->isEmpty())
                *className = xml.attributes().value(QStringLiteral("class")).toString();
            else if (xml.name() == u"property")
                current = xml.attributes().value(QStringLiteral("name")).toString();
            else if (xml.name() == u"rect" && current == u"geometry") {
                int values[4] = {};
                for (int &v : values) {
                    xml.readNextStartElement();
                    v = xml.readElementText().toInt();
                }
                *geometry = QRect(values[0], values[1], values[2], values[3]);
            } else if (xml.name() == u"color") {
                QColor color;
                color.setAlpha(xml.attributes().hasAttribute(QStringLiteral("alpha")) ? xml.attributes().value(QStringLiteral("alpha")).toInt()
                                                                       : 255);
                xml.readNextStartElement();
                color.setRed(xml.readElementText().toInt());
                xml.readNextStartElement();
                color.setGreen(xml.readElementText().toInt());
                xml.readNextStartElement();
                color.setBlue(xml.readElementText().toInt());
                properties.insert(current, {QStringLiteral("color"), QString(), color});
            } else if (!current.isEmpty() && current != u"geometry") {
                const QString element = xml.name().toString();
                properties.insert(current, {element, xml.readElementText(), QColor()});
            }
        } else if (xml.isEndElement()) {
            --depth;
            if (xml.name() == u"property")
                current.clear();
        }
    }
    if (xml.hasError())
        qWarning() << xml.errorString();
    return properties;
}

} // namespace

class tst_DialGaugePlugin : public QObject
{
    Q_OBJECT

private slots:
    void loadsWithQPluginLoader();
    void metadata();
    void domXmlPlacesAGaugeInDesignMode();
    void domXmlAppliedGivesThePlacedLook();
    void createWidgetOutsideDesigner();
    void uicForm_data();
    void uicForm();
    void uiLoaderForm_data();
    void uiLoaderForm();
};

void tst_DialGaugePlugin::loadsWithQPluginLoader()
{
    QPluginLoader loader(PluginFile);
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    QCOMPARE(loader.metaData().value(u"IID").toString(), QStringLiteral(QDesignerCustomWidgetInterface_iid));
    QCOMPARE(loader.metaData().value(u"className").toString(), QStringLiteral("DialGaugePlugin"));
    QVERIFY(qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance()));
}

void tst_DialGaugePlugin::metadata()
{
    QDesignerCustomWidgetInterface *widget = plugin();
    QVERIFY(widget);
    QCOMPARE(widget->name(), QStringLiteral("TDialGauge"));
    QCOMPARE(widget->group(), QStringLiteral("Display Widgets"));
    // Angle brackets: the form marks the header global.
    QCOMPARE(widget->includeFile(), QStringLiteral("<DialGauge/DialGauge.h>"));
    QVERIFY(!widget->toolTip().isEmpty());
    QVERIFY(widget->whatsThis().contains(QStringLiteral("Needle.Color")));
    QVERIFY(!widget->isContainer());
    QVERIFY(!widget->icon().isNull());
    QVERIFY(!widget->icon().pixmap(32, 32).toImage().isNull());
}

// A gauge from the widget box: 200 x 200, named like the first gauge of a
// form, with preset 4's colours and the threshold range of design mode.
void tst_DialGaugePlugin::domXmlPlacesAGaugeInDesignMode()
{
    QString className;
    QRect geometry;
    const QString domXml = plugin()->domXml();
    const QMap<QString, DomProperty> properties = widgetProperties(domXml, &className, &geometry);
    QCOMPARE(className, QStringLiteral("TDialGauge"));
    QVERIFY(domXml.contains(QStringLiteral("name=\"DialGauge1\"")));
    QCOMPARE(geometry, QRect(0, 0, 200, 200));

    const QColor blue(175, 210, 255), pale(227, 239, 255), dark(0, 45, 150), cap(173, 209, 255);
    const QMap<QString, QColor> colours{
        {"Arc.Color", pale}, {"InnerCircle.Color", blue}, {"OuterCircle.Color", blue},
        {"Arc.Threshold.Color", blue}, {"Digit.BackGroundColor", pale}, {"Digit.Color", dark},
        {"Scale.DivisionColor", dark}, {"Scale.SubDivisionColor", dark}, {"Needle.Color", blue},
        {"Needle.InnerCenterColor", blue}, {"Needle.InnerCenterColorTo", blue},
        {"Needle.OuterCenterColor", cap}, {"Needle.ShineColor", pale}, {"ValueFont.Color", dark},
        {"Font.Color", dark}};
    QStringList expectedNames = colours.keys();
    expectedNames << QStringLiteral("Arc.Threshold.EndValue");
    expectedNames.sort();
    QStringList names = properties.keys();
    names.sort();
    QCOMPARE(names, expectedNames);
    for (auto it = colours.cbegin(); it != colours.cend(); ++it)
        QVERIFY2(properties.value(it.key()).color == it.value(), qPrintable(it.key()));
    QCOMPARE(properties.value("Arc.Threshold.EndValue").element, QStringLiteral("double"));
    QCOMPARE(properties.value("Arc.Threshold.EndValue").text.toDouble(), 100.0);
}

// The widget box's properties on a gauge built at run time give exactly a
// gauge made in design mode.
void tst_DialGaugePlugin::domXmlAppliedGivesThePlacedLook()
{
    const QString domXml = plugin()->domXml();
    const qsizetype start = domXml.indexOf(QStringLiteral("<widget"));
    const qsizetype end = domXml.lastIndexOf(QStringLiteral("</widget>")) + 9;
    const QString form = QStringLiteral("<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Form\">%1</widget></ui>")
                             .arg(domXml.mid(start, end - start));
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(DIALGAUGE_PLUGIN_DIR "/designer"));
    QBuffer buffer;
    buffer.setData(form.toUtf8());
    std::unique_ptr<QWidget> host(loader.load(&buffer));
    QVERIFY2(host, qPrintable(loader.errorString()));
    auto *placed = host->findChild<TDialGauge *>(QStringLiteral("DialGauge1"));
    QVERIFY(placed);
    const TDialGauge designed(nullptr, true);
    QCOMPARE(differences(*placed, designed), QStringList());
    QCOMPARE(placed->size(), QSize(200, 200));
}

// QUiLoader and applications never initialize the plugin: no design mode.
void tst_DialGaugePlugin::createWidgetOutsideDesigner()
{
    QWidget parent;
    QWidget *widget = plugin()->createWidget(&parent);
    auto *gauge = qobject_cast<TDialGauge *>(widget);
    QVERIFY(gauge);
    QCOMPARE(gauge->parentWidget(), &parent);
    QVERIFY(!gauge->IsDesignMode());
    QCOMPARE(gauge->size(), QSize(200, 200));
    const TDialGauge built;
    QCOMPARE(differences(*gauge, built), QStringList());
    QVERIFY(!plugin()->isInitialized());
}

void tst_DialGaugePlugin::uicForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("the calculator's gauge") << QStringLiteral("DialGauge1");
    QTest::addRow("enumerations, flags, texts, clNone, clBtnFace") << QStringLiteral("DialGauge2");
}

// uic wrote setProperty() calls (colours as QColor, enumerations as values)
// and the gauge took them: same properties, same pixels as in code.
void tst_DialGaugePlugin::uicForm()
{
    QFETCH(QString, name);

    QWidget host;
    Ui::GaugeForm ui;
    ui.setupUi(&host);
    TDialGauge *fromForm = name == u"DialGauge1" ? ui.DialGauge1 : ui.DialGauge2;
    const std::unique_ptr<TDialGauge> inCode = name == u"DialGauge1" ? mainWindowGauge(0) : secondGauge();
    QVERIFY(!fromForm->IsDesignMode());
    QCOMPARE(differences(*fromForm, *inCode), QStringList());
    QVERIFY(host.dynamicPropertyNames().isEmpty() && fromForm->dynamicPropertyNames().isEmpty());
    QCOMPARE(fromForm->size(), inCode->size());
    const QImage formImage = grab(*fromForm);
    QCOMPARE(formImage, grab(*inCode));
    TDialGauge plain;
    plain.resize(fromForm->size());
    QVERIFY(formImage != grab(plain));
}

void tst_DialGaugePlugin::uiLoaderForm_data()
{
    uicForm_data();
}

// QUiLoader hands enumerations and flags over as text and colours as
// QColor; the gauge comes from the plugin.
void tst_DialGaugePlugin::uiLoaderForm()
{
    QFETCH(QString, name);

    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(DIALGAUGE_PLUGIN_DIR "/designer"));
    QVERIFY(loader.availableWidgets().contains(QStringLiteral("TDialGauge")));
    QFile file(QStringLiteral(DIALGAUGE_FORM));
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> host(loader.load(&file));
    QVERIFY2(host, qPrintable(loader.errorString()));
    auto *fromForm = host->findChild<TDialGauge *>(name);
    QVERIFY(fromForm);
    QVERIFY(!fromForm->IsDesignMode());
    const std::unique_ptr<TDialGauge> inCode = name == u"DialGauge1" ? mainWindowGauge(0) : secondGauge();
    QCOMPARE(differences(*fromForm, *inCode), QStringList());
    QCOMPARE(grab(*fromForm), grab(*inCode));
}

QTEST_MAIN(tst_DialGaugePlugin)
#include "tst_DialGaugePlugin.moc"
