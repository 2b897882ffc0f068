// SPDX-License-Identifier: MIT
#include "designer/DialGaugePlugin.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QXmlStreamWriter>

#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

#include <DialGauge/DialGauge.h>

#include "designer/DialGaugeSheetFactory.h"

namespace {

// One <property> as Designer writes it; false for a type a placed gauge
// never differs in (it differs in colours and the threshold's range only).
bool WriteProperty(QXmlStreamWriter &xml, const QString &name, const QVariant &value)
{
    QString element;
    QString text;
    switch (value.metaType().id()) {
    case QMetaType::Double:
        element = QStringLiteral("double");
        text = QString::number(value.toDouble(), 'g', 17);
        break;
    case QMetaType::Int:
        element = QStringLiteral("number");
        text = QString::number(value.toInt());
        break;
    case QMetaType::Bool:
        element = QStringLiteral("bool");
        text = value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        break;
    case QMetaType::QString:
        element = QStringLiteral("string");
        text = value.toString();
        break;
    default:
        return false;
    }
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("stdset"), QStringLiteral("0"));
    if (TDialGaugeProperties::IsColor(name)) {
        const QColor color = TDialGaugeProperties::ToQColor(value.toInt());
        xml.writeStartElement(QStringLiteral("color"));
        if (color.alpha() != 255)
            xml.writeAttribute(QStringLiteral("alpha"), QString::number(color.alpha()));
        xml.writeTextElement(QStringLiteral("red"), QString::number(color.red()));
        xml.writeTextElement(QStringLiteral("green"), QString::number(color.green()));
        xml.writeTextElement(QStringLiteral("blue"), QString::number(color.blue()));
        xml.writeEndElement();
    } else {
        xml.writeTextElement(element, text);
    }
    xml.writeEndElement();
    return true;
}

void WriteRect(QXmlStreamWriter &xml, const QRect &rect)
{
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("geometry"));
    xml.writeStartElement(QStringLiteral("rect"));
    xml.writeTextElement(QStringLiteral("x"), QString::number(rect.x()));
    xml.writeTextElement(QStringLiteral("y"), QString::number(rect.y()));
    xml.writeTextElement(QStringLiteral("width"), QString::number(rect.width()));
    xml.writeTextElement(QStringLiteral("height"), QString::number(rect.height()));
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

DialGaugePlugin::DialGaugePlugin(QObject *parent) : QObject(parent)
{
}

QString DialGaugePlugin::name() const
{
    return QStringLiteral("TDialGauge");
}

QString DialGaugePlugin::group() const
{
    return QStringLiteral("Display Widgets");
}

QString DialGaugePlugin::toolTip() const
{
    return tr("Animated circular gauge");
}

QString DialGaugePlugin::whatsThis() const
{
    return tr("A circular, anti-aliased gauge showing one number: a scale with labels, a coloured arc "
              "and threshold band, value bands, a needle that glides to each new value and a "
              "seven-segment read-out. Its parts are set by dotted names (Needle.Color, "
              "Arc.Threshold.Span).");
}

QString DialGaugePlugin::includeFile() const
{
    // In angle brackets: the form marks the header global and uic writes
    // #include <DialGauge/DialGauge.h>, as for any installed library.
    return QStringLiteral("<DialGauge/DialGauge.h>");
}

QIcon DialGaugePlugin::icon() const
{
    // Drawn rather than shipped: a dial in the colours of a newly placed gauge.
    QIcon icon;
    for (const int size : {16, 22, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(QPen(QColor(175, 210, 255), 2));
        painter.setBrush(QColor(227, 239, 255));
        painter.drawEllipse(QRectF(2, 2, 28, 28));
        painter.setPen(QPen(QColor(0, 45, 150), 2.5, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(QRectF(6, 6, 20, 20), -45 * 16, 270 * 16);
        QPainterPath needle;
        needle.moveTo(16, 16);
        needle.lineTo(24.5, 9.5);
        painter.setPen(QPen(QColor(0, 45, 150), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(needle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 45, 150));
        painter.drawEllipse(QPointF(16, 16), 2.5, 2.5);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool DialGaugePlugin::isContainer() const
{
    return false;
}

QWidget *DialGaugePlugin::createWidget(QWidget *parent)
{
    auto *gauge = new TDialGauge(parent);
    // Design mode only on a form: Designer's preview runs the gauge as the
    // application will, and QUiLoader never initializes the plugin.
    if (m_core && QDesignerFormWindowInterface::findFormWindow(parent))
        gauge->SetDesignMode(true);
    return gauge;
}

bool DialGaugePlugin::isInitialized() const
{
    return !m_core.isNull();
}

void DialGaugePlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (m_core)
        return;
    m_core = core;
    QExtensionManager *manager = core->extensionManager();
    auto *factory = new DialGaugeSheetFactory(manager);
    manager->registerExtensions(factory, Q_TYPEID(QDesignerPropertySheetExtension));
    manager->registerExtensions(factory, Q_TYPEID(QDesignerDynamicPropertySheetExtension));
}

QString DialGaugePlugin::domXml() const
{
    // The properties in which a gauge placed in design mode differs from
    // one built at run time, taken from the gauge itself.
    const TDialGauge placed(nullptr, true);
    const TDialGauge built;
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("language"), QStringLiteral("c++"));
    xml.writeAttribute(QStringLiteral("displayname"), name());
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), name());
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("DialGauge1"));
    WriteRect(xml, QRect(QPoint(0, 0), placed.size()));
    for (const QString &property : TDialGaugeProperties::Names()) {
        const QVariant value = TDialGaugeProperties::Read(placed, property);
        if (value != TDialGaugeProperties::Read(built, property))
            WriteProperty(xml, property, value);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    return text;
}
