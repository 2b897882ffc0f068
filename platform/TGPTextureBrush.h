// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPBrush.h"

// An image fill; only a pen's brush query hands one out.
class TGPTextureBrush : public TGPBrush
{
private:
    explicit TGPTextureBrush(const QBrush &brush);
    friend class TGPPen;
};
