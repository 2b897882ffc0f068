// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>

class QImage;
class QRect;

#include <array>
#include <vector>

#include "platform/TGPTypes.h"

class TDialGaugeState;
class TGPGraphics;

// The seven-segment read-out of a gauge's value, drawn as polygons (no font).
//
// A cell is 10/13 of its height wide and laid out on a 12 x 15 grid of unit
// points; the segments lean right, which gives the italic look. All seven
// segments are drawn faintly in the inner circle's colour (alpha 40), the
// lit ones over them in the digit colour, opaque.
class TDialGaugeReadout
{
public:
    enum TSegment { sgA, sgB, sgC, sgD, sgE, sgF, sgG, SegmentCount };
    // The character code of the minus sign.
    static constexpr int MinusSign = -1;

    // One character cell of a laid-out value.
    struct TCell
    {
        int Character = 0;        // 0..9, or MinusSign
        TGPPointF Origin;         // top-left, single precision
        bool PointAfter = false;  // decimal point at the lower right
    };

    // A segment's closed outline: the first point repeated at the end
    // (five points for a to f, seven for g).
    struct TSegmentPolygon
    {
        std::array<TGPPointF, 7> Points{};
        int Count = 0;
    };

    // Formats value with the gauge's ValueFormat and draws its cells from the
    // text rectangle's left and top. Throws EConvertError when the picture is
    // refused ("Format string too long").
    static void DrawValue(TGPGraphics &graphics, const TDialGaugeState &gauge, const QRectF &textRect,
                          double value);
    // One cell: character 0..9, or -1 for the minus sign; origin is the
    // cell's top-left; pointAfter adds the decimal point; cellHeight is Hc.
    // Nothing is drawn when Digit.Color is clNone.
    static void DrawDigit(TGPGraphics &graphics, const TDialGaugeState &gauge, int character, float x,
                          float y, bool pointAfter, int cellHeight);
    // The segments into premultiplied pixels at ratio dpr, only within clip
    // (device pixels), without a painter; the decimal point is left to
    // DrawDecimalPoint. False, with nothing drawn, for an outline the fill
    // cannot take.
    static bool FillSegments(QImage &pixels, const QRect &clip, qreal dpr, const TDialGaugeState &gauge,
                             int character, float x, float y, int cellHeight);
    // The decimal point of the cell at (x, y), as DrawDigit draws it last.
    static void DrawDecimalPoint(TGPGraphics &graphics, const TDialGaugeState &gauge, float x, float y,
                                 int cellHeight);

    // --- geometry -----------------------------------------------------------
    // The cells DrawValue draws, in order. Characters of the text other than
    // digits, "-", "." and "," take no room. A negative value starts
    // Width/17 further left, also when its text carries no sign. Throws as
    // DrawValue.
    static std::vector<TCell> LayoutValue(const TDialGaugeState &gauge, const QRectF &textRect,
                                          double value);
    // The text rectangle's height rounded half to even; 0 when not finite.
    static int CellHeight(const QRectF &textRect);
    static TSegmentPolygon SegmentPolygon(TSegment segment, float x, float y, int cellHeight);
    // Whether the segment belongs to the character (0..9 or MinusSign).
    static bool SegmentLit(TSegment segment, int character);
    // The square the decimal point is inscribed in.
    static TGPRectF DecimalPointRect(float x, float y, int cellHeight);
    // Bounds of every segment's outline of a cell (logical), the same
    // numbers the outlines are made of.
    static QRectF SegmentBounds(float x, float y, int cellHeight);
};
