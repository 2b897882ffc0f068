// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeNeedlePrivate;

// Colours of the needle body, its shine and the two centre caps.
class DIALGAUGE_EXPORT TDialGaugeNeedle : public TDialGaugePersistent
{
    Q_OBJECT
    // Body. Default 0x00FC7C.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Shine gradient. Defaults 0x00FC7C and 0xD3D3D3.
    Q_PROPERTY(TColor ShineColor READ ShineColor WRITE SetShineColor)
    Q_PROPERTY(TColor ShineColorTo READ ShineColorTo WRITE SetShineColorTo)
    // Outer cap gradient and opacity. Defaults 0xFF0000, 0xFF0000, 100.
    Q_PROPERTY(TColor OuterCenterColor READ OuterCenterColor WRITE SetOuterCenterColor)
    Q_PROPERTY(TColor OuterCenterColorTo READ OuterCenterColorTo WRITE SetOuterCenterColorTo)
    Q_PROPERTY(int OuterCenterOpacity READ OuterCenterOpacity WRITE SetOuterCenterOpacity)
    // Inner cap gradient and opacity. Defaults 0x8B0000, 0x8B0000, 255.
    Q_PROPERTY(TColor InnerCenterColor READ InnerCenterColor WRITE SetInnerCenterColor)
    Q_PROPERTY(TColor InnerCenterColorTo READ InnerCenterColorTo WRITE SetInnerCenterColorTo)
    Q_PROPERTY(int InnerCenterOpacity READ InnerCenterOpacity WRITE SetInnerCenterOpacity)

public:
    explicit TDialGaugeNeedle(TDialGauge *owner);
    ~TDialGaugeNeedle() override;

    TColor Color() const;
    void SetColor(TColor value);
    TColor ShineColor() const;
    void SetShineColor(TColor value);
    TColor ShineColorTo() const;
    void SetShineColorTo(TColor value);
    TColor OuterCenterColor() const;
    void SetOuterCenterColor(TColor value);
    TColor OuterCenterColorTo() const;
    void SetOuterCenterColorTo(TColor value);
    int OuterCenterOpacity() const;
    void SetOuterCenterOpacity(int value);
    TColor InnerCenterColor() const;
    void SetInnerCenterColor(TColor value);
    TColor InnerCenterColorTo() const;
    void SetInnerCenterColorTo(TColor value);
    int InnerCenterOpacity() const;
    void SetInnerCenterOpacity(int value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeNeedlePrivate> d;
};
