// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeGloss;
class TDialGaugeSections;
class TDialGaugeSectionPrivate;

// One coloured value band. Created by TDialGaugeSections::Add; every change,
// its creation and its destruction repaint the gauge directly.
class DIALGAUGE_EXPORT TDialGaugeSection : public TDialGaugePersistent
{
    Q_OBJECT
    // Band fill; clNone hides the section. Default 0xFF0000.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Default 150.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)
    // Only whether its Color is clNone matters to the drawing.
    Q_PROPERTY(TDialGaugeGloss *Gloss READ Gloss WRITE SetGloss)
    // Band range as values; NaN and infinities are refused. Defaults 0.0 and 100.0.
    Q_PROPERTY(double StartValue READ StartValue WRITE SetStartValue)
    Q_PROPERTY(double EndValue READ EndValue WRITE SetEndValue)
    // Distance in pixels of the outer edge from the control's edges. Default 20.
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    // Radius in pixels of the inner edge; 0 or less gives a pie slice. Default 0.
    Q_PROPERTY(int InnerMargin READ InnerMargin WRITE SetInnerMargin)

public:
    // Joins collection (which owns it) and repaints the gauge.
    explicit TDialGaugeSection(TDialGaugeSections *collection);
    ~TDialGaugeSection() override;

    TDialGaugeSections *Collection() const;
    // Position in the collection, -1 while detached.
    int Index() const;

    TColor Color() const;
    void SetColor(TColor value);
    int Opacity() const;
    void SetOpacity(int value);
    TDialGaugeGloss *Gloss() const;
    void SetGloss(const TDialGaugeGloss *value);
    double StartValue() const;
    void SetStartValue(double value);
    double EndValue() const;
    void SetEndValue(double value);
    int OuterMargin() const;
    void SetOuterMargin(int value);
    int InnerMargin() const;
    void SetInnerMargin(int value);

    // Copies fields and gloss; the gloss copy repaints the gauge.
    void Assign(const QObject *source) override;

    // OnChange (inherited) is never raised by a section.

private:
    Q_DECL_HIDDEN void SectionChanged();

    std::unique_ptr<TDialGaugeSectionPrivate> d;
};
