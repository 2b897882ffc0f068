// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPBrush.h"

// One colour everywhere.
class TGPSolidBrush : public TGPBrush
{
public:
    explicit TGPSolidBrush(ARGB color);

    ARGB GetColor() const;

private:
    explicit TGPSolidBrush(const QBrush &brush) : TGPBrush(brush) {}
    friend class TGPPen;
};
