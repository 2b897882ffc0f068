// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPLinearGradientBrush.h"

// One colour everywhere, like TGPSolidBrush, for the gauge's large fills and
// strokes. Qt 6.4's raster engine splits a solid fill of many spans over its
// global thread pool and waits for it; on a two-core machine the hand-offs
// cost two to three times the fill itself, and limiting the pool to one
// thread does not avoid them. A gradient of a single colour takes the
// single-threaded path and draws the same pixels.
class TDialGaugeSolidBrush : public TGPLinearGradientBrush
{
public:
    explicit TDialGaugeSolidBrush(ARGB color);
};
