// SPDX-License-Identifier: MIT
#include "platform/PixelCompose.h"

#include <cstring>

namespace PixelCompose {

void Copy(QImage &to, const QImage &from, const QRect &rect)
{
    const QRect part = rect & to.rect() & from.rect();
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memcpy(to.scanLine(y) + qsizetype(part.left()) * 4, from.constScanLine(y) + qsizetype(part.left()) * 4,
                    std::size_t(part.width()) * 4);
}

void Clear(QImage &image, const QRect &rect)
{
    const QRect part = rect & image.rect();
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memset(image.scanLine(y) + qsizetype(part.left()) * 4, 0, std::size_t(part.width()) * 4);
}

void Over(QImage &to, const QImage &from, const QRect &rect)
{
    const QRect part = rect & to.rect() & from.rect();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        QRgb *dest = reinterpret_cast<QRgb *>(to.scanLine(y)) + part.left();
        const QRgb *source = reinterpret_cast<const QRgb *>(from.constScanLine(y)) + part.left();
        for (int x = 0; x < part.width(); ++x)
            Over(dest[x], source[x]);
    }
}

} // namespace PixelCompose
