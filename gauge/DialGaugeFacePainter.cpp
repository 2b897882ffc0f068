// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeFacePainter.h"

#include <optional>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeSolidBrush.h"
#include "platform/VectorDraw.h"

void TDialGaugeFacePainter::PaintInnerCircle(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeInnerCircle &circle = *gauge.InnerCircle();
    if (circle.Color() == clNone)
        return;
    const TDialGaugeSolidBrush brush(ArgbFromColor(circle.Opacity(), circle.Color()));
    face.FillEllipseI(&brush, gauge.DialLeft(), gauge.DialTop(), gauge.DialWidth(), gauge.DialHeight());
}

void TDialGaugeFacePainter::PaintOuterCircle(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeOuterCircle &circle = *gauge.OuterCircle();
    if (circle.Color() == clNone)
        return;
    const TDialGaugeSolidBrush brush(ArgbFromColor(circle.Opacity(), circle.Color()));
    // The stroke is centred on the ellipse: half the ring lies outside the dial.
    const TGPPen pen(&brush, float(gauge.DialWidth() * circle.Width()));
    const QRectF dial = gauge.DialRect();
    face.DrawEllipse(&pen, float(dial.x()), float(dial.y()), float(dial.width()), float(dial.height()));
}

void TDialGaugeFacePainter::PaintOuterRim(TGPGraphics &face, const TDialGaugeState &gauge)
{
    const TDialGaugeOuterRim &rim = *gauge.OuterRim();
    if (rim.Color() == clNone)
        return;
    const TDialGaugeSolidBrush brush(ArgbFromColor(rim.Opacity(), rim.Color()));
    const TGPPen pen(&brush, float(rim.Width()));
    face.DrawEllipseI(&pen, gauge.DialLeft(), gauge.DialTop(), gauge.DialWidth(), gauge.DialHeight());
}

bool TDialGaugeFacePainter::ShowsReadout(const TDialGaugeState &gauge)
{
    return gauge.Digit()->Visible() && gauge.Digit()->BackGroundColor() != clNone;
}

bool TDialGaugeFacePainter::HasUpperLayers(const TDialGaugeState &gauge)
{
    const bool text = gauge.Digit()->Visible() && !gauge.DialText().isEmpty();
    return text || (gauge.TabStop() && gauge.HasFocus());
}

QRectF TDialGaugeFacePainter::ValueBoxRect(const TDialGaugeState &gauge)
{
    const double w = gauge.Width();
    const double h = gauge.Height();
    return QRectF(w / 2 - w / 5, h / 1.23, w / 2.5, h / 9);
}

QRectF TDialGaugeFacePainter::DigitRect(const TDialGaugeState &gauge)
{
    const double w = gauge.Width();
    const double h = gauge.Height();
    return QRectF(w / 2 - w / 7, h / 1.21, w / 4, h / 12);
}

void TDialGaugeFacePainter::PaintValueBox(TGPGraphics &face, const TDialGaugeState &gauge)
{
    if (!ShowsReadout(gauge))
        return;
    const TDialGaugeDigit &digit = *gauge.Digit();
    const TDialGaugeSolidBrush brush(ArgbFromColor(digit.BackGroundOpacity(), digit.BackGroundColor()));
    const QRectF box = ValueBoxRect(gauge);
    face.FillRectangle(&brush, float(box.x()), float(box.y()), float(box.width()), float(box.height()));
}

void TDialGaugeFacePainter::PaintDialText(TGPGraphics &face, const TDialGaugeState &gauge)
{
    if (!gauge.Digit()->Visible() || gauge.DialText().isEmpty())
        return;
    const TDialGaugeFont &font = *gauge.Font();
    const TGPSolidBrush brush(ArgbFromColor(255, font.Color()));
    DrawGaugeText(face, gauge, gauge.DialText(), true, nullptr, TGPPointF(), &brush, font);
}

void TDialGaugeFacePainter::PaintFocusCircle(TGPGraphics &face, const TDialGaugeState &gauge)
{
    if (!gauge.TabStop() || !gauge.HasFocus())
        return;
    const QRectF dial = gauge.DialRect();
    DrawFocusCircle(face, TGPRectF(float(dial.x() - 3), float(dial.y() - 3), float(dial.width() + 6),
                                   float(dial.height() + 6)));
}

void TDialGaugeFacePainter::DrawGaugeText(TGPGraphics &surface, const TDialGaugeState &gauge,
                                          const QString &text, bool centred,
                                          const TGPStringFormat *format, const TGPPointF &origin,
                                          const TGPBrush *brush, const TDialGaugeFont &font)
{
    // Strike-out does not reach the drawing layer's style.
    int style = FontStyle::Regular;
    if (font.Style().testFlag(fsBold))
        style |= FontStyle::Bold;
    if (font.Style().testFlag(fsItalic))
        style |= FontStyle::Italic;
    if (font.Style().testFlag(fsUnderline))
        style |= FontStyle::Underline;

    std::optional<TGPFontFamily> family(std::in_place, font.Name());
    const TStatus found = family->GetLastStatus();
    if (found == TStatus::FontFamilyNotFound || found == TStatus::FontStyleNotFound)
        family.emplace(QStringLiteral("Arial"));
    const TGPFont drawFont(&*family, float(font.Size()), style, TUnit::Point);

    if (!centred) {
        surface.DrawString(text, &drawFont, origin, format, brush);
        return;
    }
    TGPRectF bounds;
    if (surface.MeasureString(text, &drawFont, TGPPointF(), format, &bounds) != TStatus::Ok)
        return;
    const TGPRectF layout(float(gauge.Width() / 2.0 - bounds.Width / 2.0), float(gauge.Height() / 1.5),
                          bounds.Width, bounds.Height);
    surface.DrawString(text, &drawFont, layout, format, brush);
}

void TDialGaugeFacePainter::DrawFocusCircle(TGPGraphics &surface, const TGPRectF &rect)
{
    TGPGraphicsPath path(TFillMode::Alternate);
    path.AddEllipse(rect);
    surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
    const TDialGaugeSolidBrush brush(ArgbFromColor(255, clBlack));
    TGPPen pen(&brush, 1.0f);
    pen.SetDashStyle(TDashStyle::Dot);
    surface.DrawPath(&pen, &path);
}
