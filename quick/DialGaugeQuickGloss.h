// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeGloss.h>

#include "quick/DialGaugeQuickGroup.h"

// innerCircle.gloss, a section's gloss.
class TDialGaugeQuickGloss : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)

public:
    TDialGaugeQuickGloss(TDialGaugeGloss &gloss, QObject *parent, bool notifiesWrites = false)
        : TDialGaugeQuickGroup(parent, notifiesWrites), m_gloss(gloss)
    {
    }

    QColor color() const { return ToColor(m_gloss.Color()); }
    void setColor(const QColor &value) { m_gloss.SetColor(FromColor(value)); Written(); }
    int opacity() const { return m_gloss.Opacity(); }
    void setOpacity(int value) { m_gloss.SetOpacity(value); Written(); }

private:
    TDialGaugeGloss &m_gloss;
};
