// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include <optional>

#include "platform/TGdiplusBase.h"

class TGPFontFamily;

// A font of a family at a size. Points are 1/72 inch; every image surface is
// 96 dots per inch, so a size in points draws as many pixels as on a
// 96-dpi screen. Pixel and world sizes count those pixels. Style bits are
// FontStyle::Bold, Italic, Underline, Strikeout.
class TGPFont : public TGdiplusBase
{
public:
    // A missing family, a size that is not positive, or the Display unit:
    // InvalidParameter.
    TGPFont(const TGPFontFamily *family, float emSize, int style = FontStyle::Regular,
            TUnit unit = TUnit::Point);
    ~TGPFont() override;

    // The size in points.
    float GetSizeInPoints() const;
    int GetStyle() const { return m_style; }

private:
    std::optional<QFont> m_font;
    int m_style = FontStyle::Regular;

    friend class TGPGraphics;
};
