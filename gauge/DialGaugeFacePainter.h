// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>
#include <QString>

#include "platform/TGPTypes.h"

class TDialGaugeState;
class TDialGaugeFont;
class TGPBrush;
class TGPGraphics;
class TGPStringFormat;

// The dial face's own layers: disc, ring, rim, read-out box, dial text and
// focus circle. All draw on the face bitmap, whose coordinates are the
// control's client coordinates; a layer whose colour is clNone is skipped.
class TDialGaugeFacePainter
{
public:
    // The dial's background disc, inscribed in the whole-pixel dial rectangle.
    static void PaintInnerCircle(TGPGraphics &face, const TDialGaugeState &gauge);
    // A ring centred on the dial's edge, DialWidth x OuterCircle.Width wide.
    static void PaintOuterCircle(TGPGraphics &face, const TDialGaugeState &gauge);
    // A thin line on the same ellipse, over the ring.
    static void PaintOuterRim(TGPGraphics &face, const TDialGaugeState &gauge);
    // The read-out's translucent box, when the read-out is shown.
    static void PaintValueBox(TGPGraphics &face, const TDialGaugeState &gauge);
    // DialText centred below the middle of the control; shown with the read-out.
    static void PaintDialText(TGPGraphics &face, const TDialGaugeState &gauge);
    // The dotted circle 3 pixels outside the dial, while a tab-stop gauge has
    // the focus.
    static void PaintFocusCircle(TGPGraphics &face, const TDialGaugeState &gauge);

    // Whether the read-out (box and digits) is drawn at all.
    static bool ShowsReadout(const TDialGaugeState &gauge);
    // Whether the dial text or the focus circle draws anything.
    static bool HasUpperLayers(const TDialGaugeState &gauge);
    // The box and the rectangle whose left, top and height place the digits,
    // both from the control's size.
    static QRectF ValueBoxRect(const TDialGaugeState &gauge);
    static QRectF DigitRect(const TDialGaugeState &gauge);

    // One text in the font's family (the "Arial" substitute when the family
    // is not installed), size in whole points and style. Centred: measured
    // with format and laid out with its top at two thirds of the control's
    // height, centred horizontally on the control. Otherwise drawn at origin,
    // where format decides how the text sits around it.
    static void DrawGaugeText(TGPGraphics &surface, const TDialGaugeState &gauge, const QString &text,
                              bool centred, const TGPStringFormat *format, const TGPPointF &origin,
                              const TGPBrush *brush, const TDialGaugeFont &font);
    // Dotted, one pixel wide, black ellipse inscribed in rect.
    static void DrawFocusCircle(TGPGraphics &surface, const TGPRectF &rect);
};
