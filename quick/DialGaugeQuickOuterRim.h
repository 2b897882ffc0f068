// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeOuterRim.h>

#include "quick/DialGaugeQuickGroup.h"

// outerRim: the rim round everything.
class TDialGaugeQuickOuterRim : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(int width READ width WRITE setWidth NOTIFY changed)

public:
    TDialGaugeQuickOuterRim(TDialGaugeOuterRim &rim, QObject *parent) : TDialGaugeQuickGroup(parent), g(rim) {}

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); }
    int width() const { return g.Width(); }
    void setWidth(int v) { g.SetWidth(v); }

private:
    TDialGaugeOuterRim &g;
};
