// SPDX-License-Identifier: MIT
#include "platform/TGPFont.h"

#include <cmath>

#include "platform/TGPFontFamily.h"

namespace {

// Points per unit; 0 for a unit that does not size a font.
double pointsPerUnit(TUnit unit)
{
    switch (unit) {
    case TUnit::World:
    case TUnit::Pixel: return 72.0 / 96.0;
    case TUnit::Point: return 1.0;
    case TUnit::Inch: return 72.0;
    case TUnit::Document: return 72.0 / 300.0;
    case TUnit::Millimeter: return 72.0 / 25.4;
    default: return 0;
    }
}

} // namespace

TGPFont::TGPFont(const TGPFontFamily *family, float emSize, int style, TUnit unit) : m_style(style)
{
    const double perUnit = pointsPerUnit(unit);
    if (!family || !(emSize > 0) || !std::isfinite(emSize) || perUnit == 0) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    QFont &font = m_font.emplace(family->m_name);
    font.setPointSizeF(emSize * perUnit);
    font.setBold(style & FontStyle::Bold);
    font.setItalic(style & FontStyle::Italic);
    font.setUnderline(style & FontStyle::Underline);
    font.setStrikeOut(style & FontStyle::Strikeout);
}

TGPFont::~TGPFont() = default;

float TGPFont::GetSizeInPoints() const
{
    if (!m_font) {
        SetStatus(TStatus::InvalidParameter);
        return 0;
    }
    return float(m_font->pointSizeF());
}
