// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeDigit.h>

#include "quick/DialGaugeQuickGroup.h"

// digit: the read-out's digits and their box.
class TDialGaugeQuickDigit : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY changed)
    Q_PROPERTY(int backgroundOpacity READ backgroundOpacity WRITE setBackgroundOpacity NOTIFY changed)
    Q_PROPERTY(bool visible READ visible WRITE setVisible NOTIFY changed)

public:
    TDialGaugeQuickDigit(TDialGaugeDigit &digit, QObject *parent) : TDialGaugeQuickGroup(parent), g(digit) {}

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); }
    QColor backgroundColor() const { return ToColor(g.BackGroundColor()); }
    void setBackgroundColor(const QColor &v) { g.SetBackGroundColor(FromColor(v)); }
    int backgroundOpacity() const { return g.BackGroundOpacity(); }
    void setBackgroundOpacity(int v) { g.SetBackGroundOpacity(v); }
    bool visible() const { return g.Visible(); }
    void setVisible(bool v) { g.SetVisible(v); }

private:
    TDialGaugeDigit &g;
};
