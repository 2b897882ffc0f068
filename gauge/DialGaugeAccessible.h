// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class TDialGauge;

// What assistive technology sees of a TDialGauge: a dial with a name, a
// description and a value interface. Qt finds it through a factory that the
// library installs whenever an application object is created, so programs
// that use the gauge need no set-up of their own. Not exported: consumers
// reach it through QAccessible::queryAccessibleInterface.
class TDialGaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TDialGaugeAccessible(TDialGauge *gauge);

    // The widget's accessible name, or the text of a label whose buddy it
    // is; failing those, the dial text; failing that, "Gauge".
    // The description is the widget's (or its tool tip); failing those, the
    // scale's range. The value text is the shown value in the default locale.
    QString text(QAccessible::Text t) const override;
    // Read-only unless a keyboard user could change the value (TabStop).
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // Value interface: the shown value, the scale limits and the arrow keys'
    // step. Setting goes through the Value setter (range test, animation),
    // and only where keys and clicks may change the value: TabStop and
    // enabled.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Tells assistive technology that the gauge now rests at value. The
    // gauge calls it for every value it accepts without gliding, and once
    // at the end of a glide instead of at every step.
    static void ValueChanged(TDialGauge &gauge, double value);

private:
    TDialGauge *gauge() const;
};
