// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeSolidBrush.h"

// The colour is the same at both ends, so where the gradient lies does not matter.
TDialGaugeSolidBrush::TDialGaugeSolidBrush(ARGB color)
    : TGPLinearGradientBrush(TGPPointF(0, 0), TGPPointF(0, 1), color, color)
{
}
