// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeOuterCirclePrivate;

// The ring drawn on the dial's edge.
class DIALGAUGE_EXPORT TDialGaugeOuterCircle : public TDialGaugePersistent
{
    Q_OBJECT
    // Default 0x908070.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Ring thickness as a fraction of DialWidth; NaN and infinities are refused. Default 0.03.
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    // Default 100.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)

public:
    explicit TDialGaugeOuterCircle(TDialGauge *owner);
    ~TDialGaugeOuterCircle() override;

    TColor Color() const;
    void SetColor(TColor value);
    double Width() const;
    void SetWidth(double value);
    int Opacity() const;
    void SetOpacity(int value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeOuterCirclePrivate> d;
};
