// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "platform/TGdiplusBase.h"

// Pixels that a surface can draw. Holds an image of its own or works in an
// image that its maker lends it; there is no image when making it failed.
class TGPImage : public TGdiplusBase
{
public:
    ~TGPImage() override;

    // 0 when there is no image.
    int GetWidth() const;
    int GetHeight() const;

protected:
    TGPImage();

    // The pixels, or null. Points at m_own or at a lent image.
    QImage *m_image = nullptr;
    QImage m_own;

    friend class TGPGraphics;
};
