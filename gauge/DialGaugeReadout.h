#pragma once

#include <QRectF>

class TDialGauge;
class TGPGraphics;

// The seven-segment read-out of a gauge's value, drawn as polygons (no font).
class TDialGaugeReadout
{
public:
    // Formats value with the gauge's ValueFormat and draws its cells from the
    // text rectangle's left and top. Throws EConvertError when the picture is
    // refused ("Format string too long").
    static void DrawValue(TGPGraphics &graphics, const TDialGauge &gauge, const QRectF &textRect,
                          double value);
    // One cell: character 0..9, or -1 for the minus sign; origin is the
    // cell's top-left; pointAfter adds the decimal point; cellHeight is Hc.
    static void DrawDigit(TGPGraphics &graphics, const TDialGauge &gauge, int character, float x,
                          float y, bool pointAfter, int cellHeight);
};
