// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeOuterRimPrivate;

// The thin line around the dial, over the ring.
class DIALGAUGE_EXPORT TDialGaugeOuterRim : public TDialGaugePersistent
{
    Q_OBJECT
    // Default 0x908070.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Default 255.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)
    // Pen width in pixels. Default 2.
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    explicit TDialGaugeOuterRim(TDialGauge *owner);
    ~TDialGaugeOuterRim() override;

    TColor Color() const;
    void SetColor(TColor value);
    int Opacity() const;
    void SetOpacity(int value);
    int Width() const;
    void SetWidth(int value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeOuterRimPrivate> d;
};
