#pragma once

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

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

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    double Width() const { return m_width; }
    void SetWidth(double value);
    int Opacity() const { return m_opacity; }
    void SetOpacity(int value);

    void Assign(const QObject *source) override;

private:
    TColor m_color = 0x908070;
    double m_width = 0.03;
    int m_opacity = 100;
};
