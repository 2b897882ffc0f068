// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeNeedlePainter.h"

#include <QImage>
#include <QVarLengthArray>

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeSolidBrush.h"
#include "platform/PolygonFill.h"
#include "platform/VectorDraw.h"

namespace {

TGPPointF SinglePoint(const QPointF &point)
{
    return TGPPointF(float(point.x()), float(point.y()));
}

struct CapLook
{
    double diameter;
    TColor color;
    TColor colorTo;
    int opacity;
    TLinearGradientMode mode;
};

// The gradient reaches a pixel beyond the cap left and right and two above
// it, and ends level with its bottom.
void DrawCap(TGPGraphics &layer, const CapLook &cap, int cx, int cy)
{
    if (cap.color == clNone || cap.colorTo == clNone)
        return;
    const double d = cap.diameter;
    const TGPRectF ellipse(float(cx - d / 2), float(cy - d / 2), float(d), float(d));
    const TGPRectF gradient(ellipse.X - 1, ellipse.Y - 2, ellipse.Width + 2, ellipse.Height + 2);
    const TGPLinearGradientBrush brush(gradient, ArgbFromColor(cap.opacity, cap.color),
                                       ArgbFromColor(cap.opacity, cap.colorTo), cap.mode);
    layer.FillEllipse(&brush, ellipse);
}

TGPRectF UpperGlossRect(const TDialGaugeState &gauge)
{
    const double x = gauge.DialLeft();
    const double y = gauge.DialTop();
    const double w = gauge.DialWidth();
    const double h = gauge.DialHeight();
    return TGPRectF(float(x + 0.1 * w), float(y + 0.07 * h), float(0.8 * w), float(0.7 * h));
}

TGPRectF LowerGlossRect(const TDialGaugeState &gauge)
{
    const double x = gauge.DialLeft();
    const double y = gauge.DialTop();
    const double w = gauge.DialWidth();
    const double h = gauge.DialHeight();
    return TGPRectF(float(x + 0.25 * w), float(y + 0.77 * h), float(0.5 * w), float(0.2 * h));
}

TGPRectF Grown(const TGPRectF &rect)
{
    return TGPRectF(rect.X - 1, rect.Y - 1, rect.Width + 2, rect.Height + 2);
}

} // namespace

void TDialGaugeNeedlePainter::DrawNeedleBody(TGPGraphics &layer, const TDialGaugeState &gauge, double value)
{
    const TDialGaugeNeedle &needle = *gauge.Needle();
    const TArrayOfPointF outline = gauge.NeedleOutline(value);
    TGPPointFArray points;
    points.reserve(std::size_t(outline.size()));
    for (const QPointF &point : outline)
        points.push_back(SinglePoint(point));

    if (needle.Color() != clNone) {
        const TDialGaugeSolidBrush body(ArgbFromColor(255, needle.Color()));
        layer.FillPolygon(&body, points);
    }
    // Drawn also without a body.
    if (needle.ShineColor() != clNone && needle.ShineColorTo() != clNone) {
        const TGPLinearGradientBrush shine(points[0], points[2], ArgbFromColor(255, needle.ShineColor()),
                                           ArgbFromColor(255, needle.ShineColorTo()));
        layer.FillPolygon(&shine, points.data(), 3);
    }
}

bool TDialGaugeNeedlePainter::FillNeedleBody(QImage &pixels, const std::vector<QRect> &clips, qreal dpr,
                                             const TDialGaugeState &gauge, const TArrayOfPointF &outline)
{
    const TDialGaugeNeedle &needle = *gauge.Needle();
    QVarLengthArray<QPointF, 8> points;
    for (const QPointF &point : outline) {
        const TGPPointF single = SinglePoint(point);
        points.append(QPointF(single.X, single.Y));
    }
    const bool body = needle.Color() != clNone;
    const bool shine = needle.ShineColor() != clNone && needle.ShineColorTo() != clNone;
    if (points.size() < 3 || (body && !TPolygonFill::IsSimple(points.data(), int(points.size())))
        || (shine && !TPolygonFill::IsSimple(points.data(), 3)))
        return false;
    // The clip rectangles hold every pixel the needle reaches: one fill
    // over all of them draws only inside them.
    QRect clip;
    for (const QRect &rect : clips)
        clip |= rect;
    if (body) {
        TPolygonFill fill = TPolygonFill::Solid(ArgbFromColor(255, needle.Color()));
        fill.Fill(pixels, clip, points.data(), int(points.size()), dpr);
    }
    if (shine) {
        TPolygonFill fill = TPolygonFill::Linear(points[0], points[2], ArgbFromColor(255, needle.ShineColor()),
                                                 ArgbFromColor(255, needle.ShineColorTo()));
        fill.Fill(pixels, clip, points.data(), 3, dpr);
    }
    return true;
}

void TDialGaugeNeedlePainter::DrawNeedleCenter(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy)
{
    DrawOuterCap(layer, gauge, cx, cy);
    DrawInnerCap(layer, gauge, cx, cy);
}

void TDialGaugeNeedlePainter::DrawOuterCap(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy)
{
    const TDialGaugeNeedle &needle = *gauge.Needle();
    // Both diameters follow the dial's width, also on a dial that is not round.
    DrawCap(layer,
            CapLook{gauge.DialWidth() / 5.0, needle.OuterCenterColor(), needle.OuterCenterColorTo(),
                    needle.OuterCenterOpacity(), TLinearGradientMode::Vertical},
            cx, cy);
}

void TDialGaugeNeedlePainter::DrawInnerCap(TGPGraphics &layer, const TDialGaugeState &gauge, int cx, int cy)
{
    const TDialGaugeNeedle &needle = *gauge.Needle();
    DrawCap(layer,
            CapLook{gauge.DialWidth() / 7.0, needle.InnerCenterColor(), needle.InnerCenterColorTo(),
                    needle.InnerCenterOpacity(), TLinearGradientMode::ForwardDiagonal},
            cx, cy);
}

void TDialGaugeNeedlePainter::DrawGloss(TGPGraphics &layer, const TDialGaugeState &gauge)
{
    const TDialGaugeGloss &gloss = *gauge.InnerCircle()->Gloss();
    if (gloss.Color() == clNone)
        return;
    const ARGB lit = ArgbFromColor(gloss.Opacity(), gloss.Color());
    const ARGB clear = ArgbFromColor(0, 0);

    const TGPRectF upper = UpperGlossRect(gauge);
    const TGPLinearGradientBrush upperBrush(Grown(upper), lit, clear, TLinearGradientMode::Vertical);
    layer.FillEllipse(&upperBrush, upper);

    const TGPRectF lower = LowerGlossRect(gauge);
    const TGPLinearGradientBrush lowerBrush(Grown(lower), clear, lit, TLinearGradientMode::Vertical);
    layer.FillEllipse(&lowerBrush, lower);
}

QRectF TDialGaugeNeedlePainter::CentreBounds(const TDialGaugeState &gauge)
{
    const QPointF centre = gauge.ScaleCenter();
    const double d = std::abs(gauge.DialWidth() / 5.0);
    return QRectF(centre.x() - d / 2, centre.y() - d / 2, d, d).adjusted(-2, -2, 2, 2);
}

QRectF TDialGaugeNeedlePainter::CentreAndGlossBounds(const TDialGaugeState &gauge)
{
    QRectF bounds = CentreBounds(gauge);
    bounds |= UpperGlossRect(gauge).toQRectF().normalized().adjusted(-2, -2, 2, 2);
    bounds |= LowerGlossRect(gauge).toQRectF().normalized().adjusted(-2, -2, 2, 2);
    return bounds;
}
