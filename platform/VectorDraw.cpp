// SPDX-License-Identifier: MIT
#include "platform/VectorDraw.h"

ARGB ArgbFromColor(int opacity, TColor color)
{
    return (ARGB(opacity) & 0xFF) << 24 | (ColorToRgb(color) & 0xFFFFFF);
}
