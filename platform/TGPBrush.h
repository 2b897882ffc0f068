// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QPen>

#include <optional>

#include "platform/TGdiplusBase.h"

// Base of the brushes. Made directly it has no object of its own: its status
// is NotImplemented and a fill with it draws nothing. A pen's brush query can
// hand one out that does carry a fill (a kind with no class of its own).
class TGPBrush : public TGdiplusBase
{
public:
    TGPBrush();
    ~TGPBrush() override;

protected:
    // For the kinds that make their object themselves: no status yet.
    enum class Made { ByKind };
    explicit TGPBrush(Made) {}
    explicit TGPBrush(const QBrush &brush) : m_brush(brush) {}

    static TBrushType typeOf(const QBrush &brush);

    // Text is drawn with a pen; one made on first use serves every string
    // drawn with this brush. Only for a brush that has an object.
    const QPen &textPen() const;

    // Empty when there is no object to fill with.
    std::optional<QBrush> m_brush;
    mutable std::optional<QPen> m_textPen;

    friend class TGPGraphics;
    friend class TGPPen;
};
