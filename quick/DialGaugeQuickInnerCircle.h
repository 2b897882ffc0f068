// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeInnerCircle.h>

#include "quick/DialGaugeQuickGloss.h"

// innerCircle: the disc, with innerCircle.gloss.
class TDialGaugeQuickInnerCircle : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(TDialGaugeQuickGloss *gloss READ gloss CONSTANT)

public:
    TDialGaugeQuickInnerCircle(TDialGaugeInnerCircle &circle, QObject *parent)
        : TDialGaugeQuickGroup(parent), g(circle), m_gloss(*circle.Gloss(), this)
    {
        connect(this, &TDialGaugeQuickGroup::changed, &m_gloss, &TDialGaugeQuickGroup::changed);
    }

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); }
    TDialGaugeQuickGloss *gloss() { return &m_gloss; }

private:
    TDialGaugeInnerCircle &g;
    TDialGaugeQuickGloss m_gloss;
};
