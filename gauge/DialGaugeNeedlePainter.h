#pragma once

#include <QRectF>

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
    // With rise, everything is drawn that many pixels higher (for a layer
    // that holds only some rows of the control).
    static void DrawNeedleBody(TGPGraphics &layer, const TDialGaugeState &gauge, double value,
                               float rise = 0);
    // Outer cap (DialWidth/5, vertical gradient) then inner cap (DialWidth/7,
    // diagonal gradient), both centred on the whole-pixel point (cx, cy);
    // rise as above.
    static void DrawNeedleCenter(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy,
                                 float rise = 0);
    // Upper highlight and lower reflection on the dial.
    static void DrawGloss(TGPGraphics &layer, const TDialGaugeState &gauge);

    // Where caps and gloss can leave pixels, with a margin for smoothing.
    static QRectF CentreAndGlossBounds(const TDialGaugeState &gauge);
    // Where the caps can leave pixels, with a margin for smoothing.
    static QRectF CentreBounds(const TDialGaugeState &gauge);
};
