// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPBrush.h"

// Colour 1 blending into colour 2 along a line; beyond the two ends the
// blend repeats (tiled), on both sides. Colours blend channel by channel on
// the straight (not premultiplied) values.
class TGPLinearGradientBrush : public TGPBrush
{
public:
    // Colour 1 at point1, colour 2 at point2. Equal points: InvalidParameter.
    TGPLinearGradientBrush(const TGPPointF &point1, const TGPPointF &point2, ARGB color1, ARGB color2);
    // Over a rectangle, in the direction of mode. The diagonal modes blend
    // along lines parallel to the other diagonal, so the two remaining
    // corners get the mid colour also when the rectangle is not square.
    // A rectangle without area: InvalidParameter.
    TGPLinearGradientBrush(const TGPRectF &rect, ARGB color1, ARGB color2, TLinearGradientMode mode);

private:
    explicit TGPLinearGradientBrush(const QBrush &brush) : TGPBrush(brush) {}
    void make(const QPointF &start, const QPointF &stop, ARGB color1, ARGB color2);
    friend class TGPPen;
};
