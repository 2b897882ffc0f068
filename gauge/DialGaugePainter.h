#pragma once

class QPainter;
class TDialGauge;

// Paints a TDialGauge: face layers, scale, read-out and needle. Owned by the
// gauge; keeps buffers and cached layers between paints.
class TDialGaugePainter
{
public:
    explicit TDialGaugePainter(const TDialGauge &gauge);
    ~TDialGaugePainter();

    // PaintGauge: draws the whole gauge onto a painter bound to the control.
    void paint(QPainter &painter);
    // Drops every cached layer; the gauge calls it on any change other than
    // the shown value (property, resize, palette, font).
    void invalidate();

private:
    const TDialGauge &m_gauge;
};
