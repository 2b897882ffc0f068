// SPDX-License-Identifier: MIT
#include "platform/TGPBrush.h"

TGPBrush::TGPBrush()
{
    SetStatus(TStatus::NotImplemented);
}

TGPBrush::~TGPBrush() = default;

TBrushType TGPBrush::typeOf(const QBrush &brush)
{
    switch (brush.style()) {
    case Qt::LinearGradientPattern:
        return TBrushType::LinearGradient;
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        return TBrushType::PathGradient;
    case Qt::TexturePattern:
        return TBrushType::TextureFill;
    case Qt::SolidPattern:
    case Qt::NoBrush:
        return TBrushType::SolidColor;
    default:
        return TBrushType::HatchFill;
    }
}

const QPen &TGPBrush::textPen() const
{
    if (!m_textPen)
        m_textPen.emplace(*m_brush, 0);
    return *m_textPen;
}
