// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeDigitPrivate;

// The seven-segment read-out's colours and its visibility switch.
class DIALGAUGE_EXPORT TDialGaugeDigit : public TDialGaugePersistent
{
    Q_OBJECT
    // Lit segments, always opaque; clNone hides the segments. Default 0x00FC7C.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Read-out box; clNone hides box and digits (not the dial text). Default clGray.
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    // Opacity 0..255 of the box. Default 30.
    Q_PROPERTY(int BackGroundOpacity READ BackGroundOpacity WRITE SetBackGroundOpacity)
    // False hides the read-out and the dial text. Default true.
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TDialGaugeDigit(TDialGauge *owner);
    ~TDialGaugeDigit() override;

    TColor Color() const;
    void SetColor(TColor value);
    TColor BackGroundColor() const;
    void SetBackGroundColor(TColor value);
    int BackGroundOpacity() const;
    void SetBackGroundOpacity(int value);
    bool Visible() const;
    void SetVisible(bool value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeDigitPrivate> d;
};
