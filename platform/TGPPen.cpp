// SPDX-License-Identifier: MIT
#include "platform/TGPPen.h"

#include <QColor>

#include <cmath>

#include "platform/TGPHatchBrush.h"
#include "platform/TGPLinearGradientBrush.h"
#include "platform/TGPSolidBrush.h"
#include "platform/TGPTextureBrush.h"

TGPPen::TGPPen(ARGB color, float width)
{
    make(QBrush(QColor::fromRgba(color)), width);
}

TGPPen::TGPPen(const TGPBrush *brush, float width)
{
    if (!brush || !brush->m_brush) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    make(*brush->m_brush, width);
}

TGPPen::~TGPPen() = default;

void TGPPen::make(const QBrush &brush, float width)
{
    if (!(width >= 0) || !std::isfinite(width)) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    m_pen.emplace(brush, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    m_pen->setMiterLimit(10);
}

TStatus TGPPen::SetDashStyle(TDashStyle style)
{
    if (!m_pen)
        return SetStatus(TStatus::InvalidParameter);
    Qt::PenStyle qtStyle;
    switch (style) {
    case TDashStyle::Solid: qtStyle = Qt::SolidLine; break;
    case TDashStyle::Dash: qtStyle = Qt::DashLine; break;
    case TDashStyle::Dot: qtStyle = Qt::DotLine; break;
    case TDashStyle::DashDot: qtStyle = Qt::DashDotLine; break;
    case TDashStyle::DashDotDot: qtStyle = Qt::DashDotDotLine; break;
    default: return SetStatus(TStatus::InvalidParameter);
    }
    m_pen->setStyle(qtStyle);
    m_dashStyle = style;
    return TStatus::Ok;
}

float TGPPen::GetWidth() const
{
    if (!m_pen) {
        SetStatus(TStatus::InvalidParameter);
        return 0;
    }
    return float(m_pen->widthF());
}

TBrushType TGPPen::GetFillType() const
{
    if (!m_pen) {
        SetStatus(TStatus::InvalidParameter);
        return TBrushType::SolidColor;
    }
    return TGPBrush::typeOf(m_pen->brush());
}

std::unique_ptr<TGPBrush> TGPPen::GetBrush() const
{
    if (!m_pen) {
        SetStatus(TStatus::InvalidParameter);
        return nullptr;
    }
    const QBrush &brush = m_pen->brush();
    switch (TGPBrush::typeOf(brush)) {
    case TBrushType::SolidColor:
        return std::unique_ptr<TGPBrush>(new TGPSolidBrush(brush));
    case TBrushType::HatchFill:
        return std::unique_ptr<TGPBrush>(new TGPHatchBrush(brush));
    case TBrushType::TextureFill:
        return std::unique_ptr<TGPBrush>(new TGPTextureBrush(brush));
    case TBrushType::LinearGradient:
        return std::unique_ptr<TGPBrush>(new TGPLinearGradientBrush(brush));
    case TBrushType::PathGradient:
        break;
    }
    return std::unique_ptr<TGPBrush>(new TGPBrush(brush));
}
