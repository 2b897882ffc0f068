// SPDX-License-Identifier: MIT
#include "platform/PixelCompose.h"

#include <QByteArray>

#include "platform/Occupancy.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace PixelCompose {

// Row pointers from the bits and stride taken once: scanLine() checks for
// sharing at every row, and neither call is inlined.
void Copy(QImage &to, const QImage &from, const QRect &rect)
{
    Copy(to, rect, from, QPoint(0, 0));
}

void Copy(QImage &to, const QRect &rect, const QImage &from, const QPoint &origin)
{
    const QRect part = rect & to.rect() & from.rect().translated(origin);
    if (part.isEmpty())
        return;
    uchar *const destBits = to.bits();
    const uchar *const sourceBits = from.constBits();
    const qsizetype destStride = to.bytesPerLine();
    const qsizetype sourceStride = from.bytesPerLine();
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memcpy(destBits + y * destStride + qsizetype(part.left()) * 4,
                    sourceBits + (y - origin.y()) * sourceStride + qsizetype(part.left() - origin.x()) * 4,
                    std::size_t(part.width()) * 4);
}

void Clear(QImage &image, const QRect &rect)
{
    const QRect part = rect & image.rect();
    if (part.isEmpty())
        return;
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memset(bits + y * stride + qsizetype(part.left()) * 4, 0, std::size_t(part.width()) * 4);
}

namespace {

#if defined(__x86_64__)
__attribute__((target("avx"))) void ZeroUpper()
{
    _mm256_zeroupper();
}
#endif

} // namespace

bool WideRegisters()
{
#if defined(__x86_64__)
    static const bool wide = [] {
        const QByteArray disabled = ' ' + qgetenv("QT_NO_CPU_FEATURE");
        return __builtin_cpu_supports("avx2") && !disabled.contains(" avx2");
    }();
    return wide;
#else
    return false;
#endif
}

void SettleRegisters()
{
#if defined(__x86_64__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        ZeroUpper();
#endif
}

namespace {

// One row: four pixels at a time where the processor can, with the same
// rounding per channel as the scalar form.
void OverRow(QRgb *dest, const QRgb *source, int length)
{
    int x = 0;
#if defined(__x86_64__)
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

#if defined(__x86_64__)
// Eight premultiplied pixels s over d, rounded per channel as the scalar form.
__attribute__((target("avx2"))) inline __m256i Over8(__m256i d, __m256i s)
{
    const __m256i low = _mm256_set1_epi32(0x00ff00ff);
    const __m256i half = _mm256_set1_epi16(0x80);
    const __m256i full = _mm256_set1_epi16(0xff);
    __m256i alpha = _mm256_srli_epi32(s, 24);
    alpha = _mm256_or_si256(alpha, _mm256_slli_epi32(alpha, 16));
    alpha = _mm256_sub_epi16(full, alpha);
    __m256i rb = _mm256_mullo_epi16(_mm256_and_si256(d, low), alpha);
    __m256i ag = _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(d, 8), low), alpha);
    rb = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(rb, _mm256_srli_epi16(rb, 8)), half), 8);
    ag = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(ag, _mm256_srli_epi16(ag, 8)), half), 8);
    return _mm256_add_epi32(s, _mm256_or_si256(rb, _mm256_slli_epi16(ag, 8)));
}

// The same eight pixels at a time, on processors that have AVX2.
__attribute__((target("avx2"))) void OverRowWide(QRgb *dest, const QRgb *source, int length)
{
    int x = 0;
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
    for (; x + 8 <= length; x += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(source + x));
        if (_mm256_testz_si256(s, s))
            continue;
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(s, opaque), opaque)) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(dest + x), s);
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(dest + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dest + x), Over8(d, s));
    }
    // The compiler leaves the wide registers' upper halves dirty before a
    // tail call; every SSE instruction after that, ours or Qt's, would pay
    // for the transition until something clears them.
    _mm256_zeroupper();
    OverRow(dest + x, source + x, length - x);
}
#endif

void OverGroupPixel(QRgb &frame, QRgb below, QRgb group, const QRgb *const *layers, int layerCount, int x)
{
    if (group == 0)
        return;
    for (int layer = 0; layer < layerCount; ++layer)
        Over(group, layers[layer][x]);
    Over(below, group);
    frame = below;
}

void OverGroupRow(QRgb *frame, const QRgb *below, const QRgb *group, const QRgb *const *layers, int layerCount,
                  int length)
{
    for (int x = 0; x < length; ++x)
        OverGroupPixel(frame[x], below[x], group[x], layers, layerCount, x);
}

#if defined(__x86_64__)
// The pixels whose lanes are set in lanes; the others read as 0 and are
// not touched, even past the end of an image.
__attribute__((target("avx2"))) inline __m256i LoadLanes(const QRgb *pixels, __m256i lanes)
{
    return _mm256_maskload_epi32(reinterpret_cast<const int *>(pixels), lanes);
}

__attribute__((target("avx2"))) void OverGroupRowWide(QRgb *frame, const QRgb *below, const QRgb *group,
                                                      const QRgb *const *layers, int layerCount, int length)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    for (int x = 0; x < length; x += 8) {
        // The last few pixels of a row go through the same lanes, masked:
        // a needle's rows rarely come in eights.
        const __m256i in = _mm256_cmpgt_epi32(_mm256_set1_epi32(length - x), lanes);
        __m256i g = LoadLanes(group + x, in);
        if (_mm256_testz_si256(g, g))
            continue;
        const __m256i empty = _mm256_cmpeq_epi32(g, zero);
        for (int layer = 0; layer < layerCount; ++layer) {
            // Nothing over it leaves it as it is; the caps and gloss are
            // mostly empty.
            const __m256i l = LoadLanes(layers[layer] + x, in);
            if (!_mm256_testz_si256(l, l))
                g = Over8(g, l);
        }
        const __m256i shown = Over8(LoadLanes(below + x, in), g);
        // Where the group was transparent the frame keeps its pixel.
        _mm256_maskstore_epi32(reinterpret_cast<int *>(frame + x), _mm256_andnot_si256(empty, in), shown);
    }
    _mm256_zeroupper();
}
#endif

using RowFunction = void (*)(QRgb *, const QRgb *, int);

RowFunction OverRowFor()
{
#if defined(__x86_64__)
    if (WideRegisters())
        return OverRowWide;
#endif
    return OverRow;
}

} // namespace

void OverGroup(QRgb *frame, const QRgb *below, const QRgb *group, const QRgb *const *layers, int layerCount,
               int length)
{
#if defined(__x86_64__)
    if (WideRegisters()) {
        OverGroupRowWide(frame, below, group, layers, layerCount, length);
        return;
    }
#endif
    OverGroupRow(frame, below, group, layers, layerCount, length);
}

void Over(QImage &to, const QImage &from, const QRect &rect)
{
    static const TOccupancy everything;
    Over(to, from, rect, everything);
}

void Over(QImage &to, const QImage &from, const QRect &rect, const TOccupancy &occupied)
{
    const QRect part = rect & to.rect() & from.rect();
    if (part.isEmpty())
        return;
    static const RowFunction overRow = OverRowFor();
    uchar *const destBits = to.bits();
    const uchar *const sourceBits = from.constBits();
    const qsizetype destStride = to.bytesPerLine();
    const qsizetype sourceStride = from.bytesPerLine();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        QRgb *dest = reinterpret_cast<QRgb *>(destBits + y * destStride);
        const QRgb *source = reinterpret_cast<const QRgb *>(sourceBits + y * sourceStride);
        occupied.ForEachRun(y, part.left(), part.right() + 1,
                            [&](int left, int right) { overRow(dest + left, source + left, right - left); });
    }
}

} // namespace PixelCompose
