// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TGPImage.h"

// A bitmap of width x height pixels, fully transparent when made.
// By default the pixel format is TPixelFormat::Argb32.
// A width or height below 1 or an unknown format: InvalidParameter; an image
// too large to allocate: OutOfMemory. There is then no image: a surface on
// it cannot be made and drawing it draws nothing.
class TGPBitmap : public TGPImage
{
public:
    TGPBitmap(int width, int height, TPixelFormat format = TPixelFormat::Argb32);
    // Works in the caller's buffer, which it leaves holding the bitmap's
    // pixels and must outlive it. A buffer of the right size and format is
    // cleared and reused, anything else is replaced; so a buffer kept between
    // paints costs no allocation. Keep no other copy of the buffer, or
    // painting on it detaches (and allocates).
    TGPBitmap(QImage &buffer, int width, int height, TPixelFormat format = TPixelFormat::Argb32);
    // Shares existing pixels (no copy), e.g. a picture cached between paints,
    // to draw them. A null image: InvalidParameter.
    explicit TGPBitmap(const QImage &pixels);
    ~TGPBitmap() override;

private:
    void make(QImage &target, int width, int height, TPixelFormat format);
};
