// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

class TDialGaugeGlossPrivate;

// A highlight: of the inner circle (drawn over the needle) or of a section.
// Its owner is always the gauge; OnChange is set by the object holding it.
class DIALGAUGE_EXPORT TDialGaugeGloss : public TDialGaugePersistent
{
    Q_OBJECT
    // clNone switches the highlight off. Default clWhite.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    // Default 72.
    Q_PROPERTY(int Opacity READ Opacity WRITE SetOpacity)

public:
    explicit TDialGaugeGloss(TDialGauge *owner);
    ~TDialGaugeGloss() override;

    TColor Color() const;
    void SetColor(TColor value);
    int Opacity() const;
    void SetOpacity(int value);

    void Assign(const QObject *source) override;

private:
    std::unique_ptr<TDialGaugeGlossPrivate> d;
};
