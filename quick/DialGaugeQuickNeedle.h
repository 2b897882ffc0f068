// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeNeedle.h>

#include "quick/DialGaugeQuickGroup.h"

// needle: the body, its shine and the two centre caps.
class TDialGaugeQuickNeedle : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(QColor shineColor READ shineColor WRITE setShineColor NOTIFY changed)
    Q_PROPERTY(QColor shineColorTo READ shineColorTo WRITE setShineColorTo NOTIFY changed)
    Q_PROPERTY(QColor outerCenterColor READ outerCenterColor WRITE setOuterCenterColor NOTIFY changed)
    Q_PROPERTY(QColor outerCenterColorTo READ outerCenterColorTo WRITE setOuterCenterColorTo NOTIFY changed)
    Q_PROPERTY(int outerCenterOpacity READ outerCenterOpacity WRITE setOuterCenterOpacity NOTIFY changed)
    Q_PROPERTY(QColor innerCenterColor READ innerCenterColor WRITE setInnerCenterColor NOTIFY changed)
    Q_PROPERTY(QColor innerCenterColorTo READ innerCenterColorTo WRITE setInnerCenterColorTo NOTIFY changed)
    Q_PROPERTY(int innerCenterOpacity READ innerCenterOpacity WRITE setInnerCenterOpacity NOTIFY changed)

public:
    TDialGaugeQuickNeedle(TDialGaugeNeedle &needle, QObject *parent) : TDialGaugeQuickGroup(parent), n(needle) {}

    QColor color() const { return ToColor(n.Color()); }
    void setColor(const QColor &v) { n.SetColor(FromColor(v)); }
    QColor shineColor() const { return ToColor(n.ShineColor()); }
    void setShineColor(const QColor &v) { n.SetShineColor(FromColor(v)); }
    QColor shineColorTo() const { return ToColor(n.ShineColorTo()); }
    void setShineColorTo(const QColor &v) { n.SetShineColorTo(FromColor(v)); }
    QColor outerCenterColor() const { return ToColor(n.OuterCenterColor()); }
    void setOuterCenterColor(const QColor &v) { n.SetOuterCenterColor(FromColor(v)); }
    QColor outerCenterColorTo() const { return ToColor(n.OuterCenterColorTo()); }
    void setOuterCenterColorTo(const QColor &v) { n.SetOuterCenterColorTo(FromColor(v)); }
    int outerCenterOpacity() const { return n.OuterCenterOpacity(); }
    void setOuterCenterOpacity(int v) { n.SetOuterCenterOpacity(v); }
    QColor innerCenterColor() const { return ToColor(n.InnerCenterColor()); }
    void setInnerCenterColor(const QColor &v) { n.SetInnerCenterColor(FromColor(v)); }
    QColor innerCenterColorTo() const { return ToColor(n.InnerCenterColorTo()); }
    void setInnerCenterColorTo(const QColor &v) { n.SetInnerCenterColorTo(FromColor(v)); }
    int innerCenterOpacity() const { return n.InnerCenterOpacity(); }
    void setInnerCenterOpacity(int v) { n.SetInnerCenterOpacity(v); }

private:
    TDialGaugeNeedle &n;
};
