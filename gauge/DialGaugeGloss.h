#pragma once

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

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

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Opacity() const { return m_opacity; }
    void SetOpacity(int value);

    void Assign(const QObject *source) override;

private:
    TColor m_color = clWhite;
    int m_opacity = 72;
};
