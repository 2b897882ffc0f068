// SPDX-License-Identifier: MIT
#include "platform/TGPSolidBrush.h"

#include <QColor>

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(QBrush(QColor::fromRgba(color))) {}

ARGB TGPSolidBrush::GetColor() const
{
    return m_brush ? m_brush->color().rgba() : 0;
}
