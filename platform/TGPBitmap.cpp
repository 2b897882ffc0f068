// SPDX-License-Identifier: MIT
#include "platform/TGPBitmap.h"

namespace {

QImage::Format qtFormat(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::Argb32:
    case TPixelFormat::PArgb32: return QImage::Format_ARGB32_Premultiplied;
    case TPixelFormat::Rgb32: return QImage::Format_RGB32;
    default: return QImage::Format_Invalid;
    }
}

} // namespace

TGPBitmap::TGPBitmap(int width, int height, TPixelFormat format)
{
    make(m_own, width, height, format);
}

TGPBitmap::TGPBitmap(QImage &buffer, int width, int height, TPixelFormat format)
{
    make(buffer, width, height, format);
}

TGPBitmap::TGPBitmap(const QImage &pixels)
{
    if (pixels.isNull()) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    m_own = pixels;
    m_image = &m_own;
}

TGPBitmap::~TGPBitmap() = default;

void TGPBitmap::make(QImage &target, int width, int height, TPixelFormat format)
{
    const QImage::Format qt = qtFormat(format);
    if (width < 1 || height < 1 || qt == QImage::Format_Invalid) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    if (target.width() != width || target.height() != height || target.format() != qt) {
        target = QImage(width, height, qt);
        if (target.isNull()) {
            SetStatus(TStatus::OutOfMemory);
            return;
        }
    }
    // Premultiplied zero is transparent black; an RGB32 bitmap starts black.
    target.fill(qt == QImage::Format_RGB32 ? 0xFF000000u : 0u);
    m_image = &target;
}
