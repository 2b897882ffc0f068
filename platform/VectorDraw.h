// SPDX-License-Identifier: MIT
#pragma once

// The vector drawing layer the gauge paints with: thin wrappers over
// QPainter and QImage that keep the last failing status instead of throwing.

#include "platform/Colors.h"
#include "platform/TGPBitmap.h"
#include "platform/TGPBrush.h"
#include "platform/TGPFont.h"
#include "platform/TGPFontFamily.h"
#include "platform/TGPGraphics.h"
#include "platform/TGPGraphicsPath.h"
#include "platform/TGPHatchBrush.h"
#include "platform/TGPImage.h"
#include "platform/TGPLinearGradientBrush.h"
#include "platform/TGPPathGradientBrush.h"
#include "platform/TGPPen.h"
#include "platform/TGPSolidBrush.h"
#include "platform/TGPStringFormat.h"
#include "platform/TGPTextureBrush.h"
#include "platform/TGPTypes.h"
#include "platform/TGdiplusBase.h"

// 0xAARRGGBB from an opacity and a colour value. Only the low eight bits of
// the opacity count (300 acts as 44, -1 as 255). A system colour is looked
// up in the application palette at each call.
ARGB ArgbFromColor(int opacity, TColor color);

// 0xAARRGGBB from four channels; each keeps its low eight bits.
constexpr ARGB ArgbFromChannels(int a, int r, int g, int b)
{
    return (ARGB(a) & 0xFF) << 24 | (ARGB(r) & 0xFF) << 16 | (ARGB(g) & 0xFF) << 8 | (ARGB(b) & 0xFF);
}
