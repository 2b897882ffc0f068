// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeAccessible.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

#include "gauge/DialGauge.h"

namespace {

QAccessibleInterface *GaugeFactory(const QString &className, QObject *object)
{
    // Qt asks once per class up the object's hierarchy, so a subclass of the
    // gauge that brings no interface of its own gets this one.
    if (className == QLatin1String("TDialGauge"))
        if (auto *gauge = qobject_cast<TDialGauge *>(object))
            return new TDialGaugeAccessible(gauge);
    return nullptr;
}

// At every application start, also one made after the library was loaded:
// Qt forgets its factories when the application object goes. The gauge's own
// source calls into this file, so a static link keeps it too.
void InstallGaugeFactory()
{
    QAccessible::installFactory(GaugeFactory);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallGaugeFactory)

TDialGaugeAccessible::TDialGaugeAccessible(TDialGauge *gauge) : QAccessibleWidget(gauge, QAccessible::Dial)
{
}

TDialGauge *TDialGaugeAccessible::gauge() const
{
    return static_cast<TDialGauge *>(widget());
}

QString TDialGaugeAccessible::text(QAccessible::Text t) const
{
    QString text = QAccessibleWidget::text(t);
    if (!text.isEmpty())
        return text;
    switch (t) {
    case QAccessible::Name:
        text = gauge()->DialText().simplified();
        return text.isEmpty() ? QCoreApplication::translate("TDialGauge", "Gauge") : text;
    case QAccessible::Description:
        return QCoreApplication::translate("TDialGauge", "Scale from %1 to %2")
            .arg(QLocale().toString(gauge()->MinimumValue()), QLocale().toString(gauge()->MaximumValue()));
    case QAccessible::Value: {
        // Whole thousandths: the animation resolves no finer, and a glide's
        // arithmetic leaves digits far below that.
        const double value = std::round(gauge()->Value() * 1000) / 1000;
        return QLocale().toString(value == 0 ? 0.0 : value, 'f', QLocale::FloatingPointShortest);
    }
    default:
        return text;
    }
}

QAccessible::State TDialGaugeAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = !gauge()->TabStop();
    return s;
}

void *TDialGaugeAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant TDialGaugeAccessible::currentValue() const
{
    return gauge()->Value();
}

void TDialGaugeAccessible::setCurrentValue(const QVariant &value)
{
    TDialGauge *g = gauge();
    // A gauge that only displays (the default) stays out of reach here as
    // it does for keys and clicks.
    if (!g->TabStop() || !g->isEnabled())
        return;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (ok)
        g->SetValue(v);
}

QVariant TDialGaugeAccessible::maximumValue() const
{
    return gauge()->MaximumValue();
}

QVariant TDialGaugeAccessible::minimumValue() const
{
    return gauge()->MinimumValue();
}

QVariant TDialGaugeAccessible::minimumStepSize() const
{
    // The arrow keys' step.
    return 1;
}

void TDialGaugeAccessible::ValueChanged(TDialGauge &gauge, double value)
{
    QAccessibleValueChangeEvent event(&gauge, value);
    QAccessible::updateAccessibility(&event);
}
