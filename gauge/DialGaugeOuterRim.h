#pragma once

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

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

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Opacity() const { return m_opacity; }
    void SetOpacity(int value);
    int Width() const { return m_width; }
    void SetWidth(int value);

    void Assign(const QObject *source) override;

private:
    TColor m_color = 0x908070;
    int m_opacity = 255;
    int m_width = 2;
};
