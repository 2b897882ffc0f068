// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPBrush.h"

// A patterned fill; only a pen's brush query hands one out.
class TGPHatchBrush : public TGPBrush
{
private:
    explicit TGPHatchBrush(const QBrush &brush);
    friend class TGPPen;
};
