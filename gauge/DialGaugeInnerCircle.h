// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeGloss;
class TDialGaugeInnerCirclePrivate;

// The filled dial disc; owns the gloss drawn over the needle.
class DIALGAUGE_EXPORT TDialGaugeInnerCircle : public TDialGaugePersistent
{
    Q_OBJECT
    // Disc fill; at opacity 40 also the unlit segments. Default clBlue.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Default 150.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)
    // Assigning copies the contents; the object stays the same.
    Q_PROPERTY(TDialGaugeGloss *Gloss READ Gloss WRITE SetGloss)

public:
    explicit TDialGaugeInnerCircle(TDialGauge *owner);
    ~TDialGaugeInnerCircle() override;

    TColor Color() const;
    void SetColor(TColor value);
    int Opacity() const;
    void SetOpacity(int value);
    TDialGaugeGloss *Gloss() const;
    void SetGloss(const TDialGaugeGloss *value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeInnerCirclePrivate> d;
};
