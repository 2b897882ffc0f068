// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPBrush.h"

class TGPGraphicsPath;

// A brush that blends from a centre to a path's boundary. There is no such
// fill here: the brush keeps no object, its status is NotImplemented, and
// every fill with it draws nothing (the surface records InvalidParameter).
class TGPPathGradientBrush : public TGPBrush
{
public:
    explicit TGPPathGradientBrush(const TGPGraphicsPath *path);
    TGPPathGradientBrush(const TGPPointF *points, int count);

    // Colours at blend positions 0..1. No colours or a count below 1:
    // InvalidParameter; otherwise InvalidParameter as well, as there is
    // nothing to set them on.
    TStatus SetInterpolationColors(const ARGB *presetColors, const float *blendPositions, int count);
};
