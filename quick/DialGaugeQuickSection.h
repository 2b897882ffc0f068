// SPDX-License-Identifier: MIT
#pragma once

#include <DialGauge/DialGaugeSection.h>
#include <DialGauge/DialGaugeSections.h>

#include "quick/DialGaugeQuickGloss.h"

// One value band, declared in a DialGauge's sections list:
//   sections: [ DialGaugeSection { startValue: 80; endValue: 100; color: "red" } ]
// It holds a section of its own, so every setter applies the gauge's rules
// (a non-finite value is refused); the gauge copies it whenever it changes.
class TDialGaugeQuickSection : public TDialGaugeQuickGroup
{
    Q_OBJECT
    QML_NAMED_ELEMENT(DialGaugeSection)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(int opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(double startValue READ startValue WRITE setStartValue NOTIFY changed)
    Q_PROPERTY(double endValue READ endValue WRITE setEndValue NOTIFY changed)
    Q_PROPERTY(int outerMargin READ outerMargin WRITE setOuterMargin NOTIFY changed)
    Q_PROPERTY(int innerMargin READ innerMargin WRITE setInnerMargin NOTIFY changed)
    Q_PROPERTY(TDialGaugeQuickGloss *gloss READ gloss CONSTANT)

public:
    explicit TDialGaugeQuickSection(QObject *parent = nullptr);
    ~TDialGaugeQuickSection() override;

    const TDialGaugeSection &Section() const { return g; }

    QColor color() const { return ToColor(g.Color()); }
    void setColor(const QColor &v) { g.SetColor(FromColor(v)); Written(); }
    int opacity() const { return g.Opacity(); }
    void setOpacity(int v) { g.SetOpacity(v); Written(); }
    double startValue() const { return g.StartValue(); }
    void setStartValue(double v) { g.SetStartValue(v); Written(); }
    double endValue() const { return g.EndValue(); }
    void setEndValue(double v) { g.SetEndValue(v); Written(); }
    int outerMargin() const { return g.OuterMargin(); }
    void setOuterMargin(int v) { g.SetOuterMargin(v); Written(); }
    int innerMargin() const { return g.InnerMargin(); }
    void setInnerMargin(int v) { g.SetInnerMargin(v); Written(); }
    TDialGaugeQuickGloss *gloss() { return m_gloss.get(); }

private:
    TDialGaugeSections m_holder;
    TDialGaugeSection &g;
    std::unique_ptr<TDialGaugeQuickGloss> m_gloss;
};
