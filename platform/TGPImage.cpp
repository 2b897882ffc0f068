// SPDX-License-Identifier: MIT
#include "platform/TGPImage.h"

TGPImage::TGPImage() = default;

TGPImage::~TGPImage() = default;

int TGPImage::GetWidth() const
{
    return m_image ? m_image->width() : 0;
}

int TGPImage::GetHeight() const
{
    return m_image ? m_image->height() : 0;
}
