// SPDX-License-Identifier: MIT
#include "platform/PixelCompose.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// One row: four pixels at a time where the processor can, with the same
// rounding per channel as the scalar form.
void OverRow(QRgb *dest, const QRgb *source, int length)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    const __m128i low = _mm_set1_epi32(0x00ff00ff);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi16(0xff);
    for (; x + 4 <= length; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xffff)
            continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, opaque), opaque)) == 0xffff) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dest + x), s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(dest + x));
        // 255 - alpha, in both 16-bit halves of each pixel.
        __m128i alpha = _mm_srli_epi32(s, 24);
        alpha = _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16));
        alpha = _mm_sub_epi16(full, alpha);
        __m128i rb = _mm_mullo_epi16(_mm_and_si128(d, low), alpha);
        __m128i ag = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 8), low), alpha);
        rb = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(rb, _mm_srli_epi16(rb, 8)), half), 8);
        ag = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(ag, _mm_srli_epi16(ag, 8)), half), 8);
        const __m128i below = _mm_or_si128(rb, _mm_slli_epi16(ag, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dest + x), _mm_add_epi32(s, below));
    }
#endif
    for (; x < length; ++x)
        Over(dest[x], source[x]);
}

} // namespace

void Over(QImage &to, const QImage &from, const QRect &rect)
{
    const QRect part = rect & to.rect() & from.rect();
    if (part.isEmpty())
        return;
    uchar *const destBits = to.bits();
    const uchar *const sourceBits = from.constBits();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        QRgb *dest = reinterpret_cast<QRgb *>(destBits + y * to.bytesPerLine()) + part.left();
        const QRgb *source = reinterpret_cast<const QRgb *>(sourceBits + y * from.bytesPerLine()) + part.left();
        OverRow(dest, source, part.width());
    }
}

} // namespace PixelCompose
