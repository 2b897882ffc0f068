// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeScalePainter.h"

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeFacePainter.h"
#include "gauge/DialGaugeSolidBrush.h"
#include "platform/NumberText.h"
#include "platform/VectorDraw.h"

namespace {

TGPRectF SingleRect(const QRectF &rect)
{
    return TGPRectF(float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height()));
}

} // namespace

void TDialGaugeScalePainter::PaintSections(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeSections &sections = *gauge.Sections();
    for (int i = 0; i < sections.Count(); ++i) {
        const TDialGaugeSection &section = *sections.Items(i);
        if (section.Color() == clNone)
            continue;
        const double start = gauge.ValueToAngle(section.StartValue());
        const double sweep = gauge.ValueToAngle(section.EndValue()) - start;
        const TGPRectF outer = SingleRect(gauge.SectionOuterRect(section));
        TGPGraphicsPath path(TFillMode::Alternate);
        if (section.InnerMargin() > 0) {
            // From the band's end back to its start on the outside, then out
            // again on the inside; the fill closes the figure.
            path.AddArc(outer, float(start + sweep), float(-sweep));
            path.AddArc(SingleRect(gauge.SectionInnerRect(section)), float(start), float(sweep));
        } else {
            path.AddPie(outer, float(start), float(sweep));
        }
        const TDialGaugeSolidBrush brush(ArgbFromColor(section.Opacity(), section.Color()));
        face.FillPath(&brush, &path);
    }
}

void TDialGaugeScalePainter::PaintScale(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeFont &font = *gauge.ValueFont();
    const TGPSolidBrush labelBrush(ArgbFromColor(255, font.Color()));
    TGPStringFormat labelFormat(StringFormatFlags::NoClip, 0);
    labelFormat.SetAlignment(TStringAlignment::Center);
    const TGPPen divisionPen(ArgbFromColor(255, gauge.DivisionColor()), float(gauge.DivisionWidth()));
    const TGPPen subDivisionPen(ArgbFromColor(255, gauge.SubDivisionColor()),
                                float(gauge.SubDivisionWidth()));
    const bool divisions = gauge.DivisionColor() != clNone;
    const bool subDivisions = gauge.SubDivisionColor() != clNone;

    for (const ScaleMark &mark : gauge.ScaleTable()) {
        const TGPPointF outer(float(mark.OuterX), float(mark.OuterY));
        const TGPPointF inner(float(mark.InnerX), float(mark.InnerY));
        switch (mark.Kind) {
        case mkSubDivision:
            if (subDivisions)
                face.DrawLine(&subDivisionPen, outer, inner);
            break;
        case mkDivision:
            if (divisions)
                face.DrawLine(&divisionPen, outer, inner);
            // Right after its own tick, so a later tick can cross it.
            TDialGaugeFacePainter::DrawGaugeText(face, gauge, FormatNumberText(mark.LabelValue), false,
                                                 &labelFormat,
                                                 TGPPointF(float(mark.LabelX), float(mark.LabelY)),
                                                 &labelBrush, font);
            break;
        case mkNone:
            break;
        }
    }
}

void TDialGaugeScalePainter::PaintArcLayers(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeArc &arc = *gauge.Arc();
    const TDialGaugeThreshold &threshold = *arc.Threshold();
    const TGPRectF arcRect = SingleRect(gauge.ArcRect());
    if (arc.Color() != clNone) {
        const TDialGaugeSolidBrush brush(ArgbFromColor(arc.Opacity(), arc.Color()));
        const TGPPen pen(&brush, float(gauge.Width() / 40.0));
        double start = threshold.StartAngle();
        double sweep = threshold.SweepAngle();
        if (threshold.ThresholdKind() == tkValue) {
            start = gauge.ValueToAngle(threshold.StartValue());
            sweep = gauge.ValueToAngle(threshold.EndValue()) - start;
        }
        face.DrawArc(&pen, arcRect, float(start), float(sweep));
    }
    if (threshold.Color() != clNone) {
        const TDialGaugeSolidBrush brush(ArgbFromColor(threshold.Opacity(), threshold.Color()));
        const TGPPen pen(&brush, float(gauge.Width() / 50.0));
        face.DrawArc(&pen, arcRect, float(gauge.ThresholdBandStart()), float(gauge.ThresholdBandSweep()));
    }
}
