// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeThreshold.h>

#include "quick/DialGaugeQuickGroup.h"

// arc.threshold: the coloured arc's range and the band round center. Its
// kind is named as DialGaugeThreshold.Angle or DialGaugeThreshold.Value.
class TDialGaugeQuickThreshold : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_NAMED_ELEMENT(DialGaugeThreshold)
    QML_UNCREATABLE("the threshold of a DialGauge's arc")
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(double center READ center WRITE setCenter NOTIFY changed)
    Q_PROPERTY(int span READ span WRITE setSpan NOTIFY changed)
    Q_PROPERTY(int startAngle READ startAngle WRITE setStartAngle NOTIFY changed)
    Q_PROPERTY(int sweepAngle READ sweepAngle WRITE setSweepAngle NOTIFY changed)
    Q_PROPERTY(double startValue READ startValue WRITE setStartValue NOTIFY changed)
    Q_PROPERTY(double endValue READ endValue WRITE setEndValue NOTIFY changed)
    Q_PROPERTY(Kind kind READ kind WRITE setKind NOTIFY changed)

public:
    // Whether the coloured arc follows startAngle/sweepAngle or startValue/endValue.
    // Fixed to int: QML may hand in any number, and the setter refuses the rest.
    enum Kind : int { Angle = tkAngle, Value = tkValue };
    Q_ENUM(Kind)

    TDialGaugeQuickThreshold(TDialGaugeThreshold &threshold, QObject *parent)
        : TDialGaugeQuickGroup(parent), g(threshold)
    {
    }

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); }
    double center() const { return g.Center(); }
    void setCenter(double v) { g.SetCenter(v); }
    int span() const { return g.Span(); }
    void setSpan(int v) { g.SetSpan(v); }
    int startAngle() const { return g.StartAngle(); }
    void setStartAngle(int v) { g.SetStartAngle(v); }
    int sweepAngle() const { return g.SweepAngle(); }
    void setSweepAngle(int v) { g.SetSweepAngle(v); }
    double startValue() const { return g.StartValue(); }
    void setStartValue(double v) { g.SetStartValue(v); }
    double endValue() const { return g.EndValue(); }
    void setEndValue(double v) { g.SetEndValue(v); }
    Kind kind() const { return Kind(g.ThresholdKind()); }
    // A number that names no kind is refused, as an unknown name is by QML.
    void setKind(Kind v)
    {
        if (v == Angle || v == Value)
            g.SetThresholdKind(TDialGaugeThresholdKind(v));
    }

private:
    TDialGaugeThreshold &g;
};
