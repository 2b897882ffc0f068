// SPDX-License-Identifier: MIT
#include "platform/TGPPathGradientBrush.h"

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath *) {}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPointF *, int) {}

TStatus TGPPathGradientBrush::SetInterpolationColors(const ARGB *, const float *, int)
{
    return SetStatus(TStatus::InvalidParameter);
}
