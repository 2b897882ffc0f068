// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGdiplusBase.h"

// How a text sits in its layout rectangle, or around its origin when the
// rectangle has no size. Alignment Near/Center/Far places the text's left
// edge, centre or right edge on the rectangle's (or origin's) x; the line
// alignment does the same vertically (Near: the text's top). By default both
// are Near, and text is clipped to a layout rectangle that has a size unless
// StringFormatFlags::NoClip is set. Lines break only where the text has a
// line break.
class TGPStringFormat : public TGdiplusBase
{
public:
    explicit TGPStringFormat(int formatFlags = 0, int language = 0);
    ~TGPStringFormat() override;

    TStatus SetAlignment(TStringAlignment align);
    TStringAlignment GetAlignment() const { return m_alignment; }
    TStatus SetLineAlignment(TStringAlignment align);
    TStringAlignment GetLineAlignment() const { return m_lineAlignment; }
    int GetFormatFlags() const { return m_flags; }

private:
    // Qt text flags for a layout rectangle; sized says whether it has a size.
    int qtFlags(bool sized) const;

    int m_flags;
    TStringAlignment m_alignment = TStringAlignment::Near;
    TStringAlignment m_lineAlignment = TStringAlignment::Near;

    friend class TGPGraphics;
};
