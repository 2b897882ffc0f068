// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeArc.h>

#include "quick/DialGaugeQuickThreshold.h"

// arc: the scale's sweep and the coloured arc, with arc.threshold.
class TDialGaugeQuickArc : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(int startAngle READ startAngle WRITE setStartAngle NOTIFY changed)
    Q_PROPERTY(int stopAngle READ stopAngle WRITE setStopAngle NOTIFY changed)
    Q_PROPERTY(TDialGaugeQuickThreshold *threshold READ threshold CONSTANT)

public:
    TDialGaugeQuickArc(TDialGaugeArc &arc, QObject *parent)
        : TDialGaugeQuickGroup(parent), g(arc), m_threshold(*arc.Threshold(), this)
    {
        connect(this, &TDialGaugeQuickGroup::changed, &m_threshold, &TDialGaugeQuickGroup::changed);
    }

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    double width() const { return g.Width(); }
    void setWidth(double v) { g.SetWidth(v); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); }
    int startAngle() const { return g.StartAngle(); }
    void setStartAngle(int v) { g.SetStartAngle(v); }
    int stopAngle() const { return g.StopAngle(); }
    void setStopAngle(int v) { g.SetStopAngle(v); }
    TDialGaugeQuickThreshold *threshold() { return &m_threshold; }

private:
    TDialGaugeArc &g;
    TDialGaugeQuickThreshold m_threshold;
};
