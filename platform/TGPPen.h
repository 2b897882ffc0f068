// SPDX-License-Identifier: MIT
#pragma once

#include <QPen>

#include <memory>
#include <optional>

#include "platform/TGdiplusBase.h"

class TGPBrush;

// Stroke of a given width in pixels, centred on the outline, with flat caps
// and mitred joins (miter limit 10). By default the dash style is Solid.
class TGPPen : public TGdiplusBase
{
public:
    // A negative or non-finite width: InvalidParameter. Width 0 strokes the
    // thinnest visible line.
    explicit TGPPen(ARGB color, float width = 1.0f);
    // Strokes with the brush's fill. A missing brush or one without an
    // object: InvalidParameter.
    explicit TGPPen(const TGPBrush *brush, float width = 1.0f);
    ~TGPPen() override;

    // Solid, Dash, Dot, DashDot, DashDotDot; Custom needs a pattern this
    // layer does not offer: InvalidParameter.
    TStatus SetDashStyle(TDashStyle style);
    TDashStyle GetDashStyle() const { return m_dashStyle; }

    float GetWidth() const;
    TBrushType GetFillType() const;
    // A new brush of the class for the pen's fill type: TGPSolidBrush,
    // TGPHatchBrush, TGPTextureBrush, TGPLinearGradientBrush, or the base
    // TGPBrush for any other kind. Null when the pen has no object.
    std::unique_ptr<TGPBrush> GetBrush() const;

private:
    void make(const QBrush &brush, float width);

    std::optional<QPen> m_pen;
    TDashStyle m_dashStyle = TDashStyle::Solid;

    friend class TGPGraphics;
};
