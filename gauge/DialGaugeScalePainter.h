// SPDX-License-Identifier: MIT
#pragma once

class TDialGaugeState;
class TGPGraphics;

// The scale layers of the dial face, drawn on the face bitmap between the
// rim and the read-out: value bands, ticks with their labels, the coloured
// arc and the threshold band over it. An item whose colour is clNone is not
// drawn.
class TDialGaugeScalePainter
{
public:
    // Sections in collection order, later ones over earlier ones: a ring
    // segment between the outer ellipse and the inner circle, or a pie down
    // to the centre when InnerMargin is 0 or less. An EndValue below the
    // StartValue sweeps anticlockwise.
    //
    // A section's gloss is not drawn: the gradient it was given ignores the
    // gloss's own colour and opacity (a fixed red-to-grey haze), so every
    // section would come out stained; the property only stays for storage.
    static void PaintSections(TGPGraphics &face, const TDialGaugeState &gauge);
    // Walks the scale table: ticks with their pens and, after each division
    // tick, its label (whatever the tick's colour) with its top centre on
    // the anchor. Labels are always opaque.
    static void PaintScale(TGPGraphics &face, const TDialGaugeState &gauge);
    // The arc over the threshold's own range (by angles or by values) on
    // ArcRect, Width/40 wide; then the band, Width/50 wide, over it.
    static void PaintArcLayers(TGPGraphics &face, const TDialGaugeState &gauge);
};
