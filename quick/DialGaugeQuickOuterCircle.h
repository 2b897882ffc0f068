// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeOuterCircle.h>

#include "quick/DialGaugeQuickGroup.h"

// outerCircle: the ring round the disc.
class TDialGaugeQuickOuterCircle : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)

public:
    TDialGaugeQuickOuterCircle(TDialGaugeOuterCircle &circle, QObject *parent)
        : TDialGaugeQuickGroup(parent), g(circle)
    {
    }

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    double width() const { return g.Width(); }
    void setWidth(double v) { g.SetWidth(v); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); }

private:
    TDialGaugeOuterCircle &g;
};
