// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>

#include <vector>

#include "gauge/DialGaugeTypes.h"

class QImage;
class QRect;
class TDialGaugeState;
class TGPGraphics;

// The elements of the needle layer, drawn unscaled in the control's
// coordinates over the finished face: body, shine, the two centre caps and
// the inner circle's gloss over all of them. A colour of clNone switches off
// exactly the element it belongs to.
class TDialGaugeNeedlePainter
{
public:
    // The needle outline for value, filled opaque in Needle.Color, then the
    // shine over its clockwise half (tip, side point, centre) as an opaque
    // gradient from ShineColor at the tip to ShineColorTo at the centre.
    static void DrawNeedleBody(TGPGraphics &layer, const TDialGaugeState &gauge, double value);
    // The same for the needle with this outline into premultiplied pixels
    // at ratio dpr, without a painter; clips are rectangles (device pixels)
    // that hold all of its pixels. False, with nothing drawn, for an outline only a painter
    // draws as the layer would (edges that cross).
    static bool FillNeedleBody(QImage &pixels, const std::vector<QRect> &clips, qreal dpr,
                               const TDialGaugeState &gauge, const TArrayOfPointF &outline);
    // Outer cap (DialWidth/5, vertical gradient) then inner cap (DialWidth/7,
    // diagonal gradient), both centred on the whole-pixel point (cx, cy).
    static void DrawNeedleCenter(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy);
    // Each cap alone.
    static void DrawOuterCap(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy);
    static void DrawInnerCap(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy);
    // Upper highlight and lower reflection on the dial.
    static void DrawGloss(TGPGraphics &layer, const TDialGaugeState &gauge);

    // Where caps and gloss can leave pixels, with a margin for smoothing.
    static QRectF CentreAndGlossBounds(const TDialGaugeState &gauge);
    // Where the caps can leave pixels, with a margin for smoothing.
    static QRectF CentreBounds(const TDialGaugeState &gauge);
};
