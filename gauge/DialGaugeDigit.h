#pragma once

#include <DialGauge/DialGaugePersistent.h>
#include <DialGauge/Colors.h>

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

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TColor BackGroundColor() const { return m_backGroundColor; }
    void SetBackGroundColor(TColor value);
    int BackGroundOpacity() const { return m_backGroundOpacity; }
    void SetBackGroundOpacity(int value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    void Assign(const QObject *source) override;

private:
    TColor m_color = 0x00FC7C;
    TColor m_backGroundColor = clGray;
    int m_backGroundOpacity = 30;
    bool m_visible = true;
};
