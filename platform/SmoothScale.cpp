// SPDX-License-Identifier: MIT
#include "platform/SmoothScale.h"

#include <QTransform>

#include "platform/PixelCompose.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace SmoothScale {

namespace {

constexpr int FixedScale = 1 << 16;
constexpr int HalfPoint = 1 << 15;
// The raster engine fetches a row's pixels in pieces of this many, each
// piece starting from a freshly computed sample position.
constexpr int FetchLength = 2048;

bool WholeNumber(double v)
{
    return std::isfinite(v) && v == std::floor(v) && std::abs(v) < (1 << 24);
}

// The texture's fixed-point sample position for device coordinate c, as the
// raster engine computes it at the start of a fetch.
bool Sample(double scale, double offset, double c, int &fixed)
{
    const double position = (scale * c + offset) * FixedScale;
    if (!(position >= std::numeric_limits<int>::min() && position <= std::numeric_limits<int>::max()))
        return false;
    fixed = int(position) - HalfPoint;
    return true;
}

// Top and bottom rows blended with 1/256 weights; each channel kept in
// its byte.
inline QRgb Mix(QRgb a, QRgb b, uint weight)
{
    const uint inverse = 256 - weight;
    const uint rb = (((a & 0xff00ff) * inverse + (b & 0xff00ff) * weight) >> 8) & 0xff00ff;
    const uint ag = ((((a >> 8) & 0xff00ff) * inverse + ((b >> 8) & 0xff00ff) * weight) >> 8) & 0xff00ff;
    return rb | (ag << 8);
}

// Mix of upper and lower for length pixels, four at a time where the
// processor can, with the same arithmetic.
void MixRows(QRgb *out, const QRgb *upper, const QRgb *lower, int length, uint weight)
{
    int x = 0;
#if defined(__x86_64__)
    const __m128i down = _mm_set1_epi16(short(weight));
    const __m128i up = _mm_set1_epi16(short(256 - weight));
    const __m128i low = _mm_set1_epi32(0x00ff00ff);
    for (; x + 4 <= length; x += 4) {
        const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i *>(upper + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lower + x));
        const __m128i rb = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(t, low), up),
                                                        _mm_mullo_epi16(_mm_and_si128(b, low), down)), 8);
        const __m128i ag = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(t, 8), up),
                                         _mm_mullo_epi16(_mm_srli_epi16(b, 8), down));
        const __m128i mixed = _mm_or_si128(rb, _mm_andnot_si128(low, ag));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), mixed);
    }
#endif
    for (; x < length; ++x)
        out[x] = Mix(upper[x], lower[x], weight);
}

// Pixels of out from neighbouring columns: column (fx >> 16) - first and the
// next, weighted by the fraction's top byte, fx stepping by step.
void MixColumns(QRgb *out, int length, const QRgb *columns, int first, int fx, int step)
{
    int x = 0;
#if defined(__x86_64__)
    const __m128i low = _mm_set1_epi32(0x00ff00ff);
    const __m128i byte = _mm_set1_epi32(0xff);
    const __m128i full = _mm_set1_epi32(256);
    const __m128i steps = _mm_set1_epi32(4 * step);
    __m128i position = _mm_setr_epi32(fx, fx + step, fx + 2 * step, fx + 3 * step);
    for (; x + 4 <= length; x += 4) {
        const int k0 = (fx >> 16) - first;
        const int k1 = ((fx + step) >> 16) - first;
        const int k2 = ((fx + 2 * step) >> 16) - first;
        const int k3 = ((fx + 3 * step) >> 16) - first;
        fx += 4 * step;
        // Each pixel's pair of columns, side by side.
        const __m128i pairs01 = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(columns + k0)),
                                                   _mm_loadl_epi64(reinterpret_cast<const __m128i *>(columns + k1)));
        const __m128i pairs23 = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(columns + k2)),
                                                   _mm_loadl_epi64(reinterpret_cast<const __m128i *>(columns + k3)));
        __m128i right = _mm_and_si128(_mm_srli_epi32(position, 8), byte);
        right = _mm_or_si128(right, _mm_slli_epi32(right, 16));
        const __m128i left = _mm_sub_epi16(_mm_or_si128(full, _mm_slli_epi32(full, 16)), right);
        const __m128i weights01 = _mm_unpacklo_epi32(left, right);
        const __m128i weights23 = _mm_unpackhi_epi32(left, right);
        const __m128i rb01 = _mm_mullo_epi16(_mm_and_si128(pairs01, low), weights01);
        const __m128i rb23 = _mm_mullo_epi16(_mm_and_si128(pairs23, low), weights23);
        const __m128i ag01 = _mm_mullo_epi16(_mm_srli_epi16(pairs01, 8), weights01);
        const __m128i ag23 = _mm_mullo_epi16(_mm_srli_epi16(pairs23, 8), weights23);
        auto sum = [](__m128i a, __m128i b) {
            const __m128 fa = _mm_castsi128_ps(a);
            const __m128 fb = _mm_castsi128_ps(b);
            return _mm_add_epi16(_mm_castps_si128(_mm_shuffle_ps(fa, fb, _MM_SHUFFLE(2, 0, 2, 0))),
                                 _mm_castps_si128(_mm_shuffle_ps(fa, fb, _MM_SHUFFLE(3, 1, 3, 1))));
        };
        const __m128i rb = _mm_srli_epi16(sum(rb01, rb23), 8);
        const __m128i ag = _mm_andnot_si128(low, sum(ag01, ag23));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), _mm_or_si128(rb, ag));
        position = _mm_add_epi32(position, steps);
    }
#endif
    for (; x < length; ++x, fx += step) {
        const int k = (fx >> 16) - first;
        out[x] = Mix(columns[k], columns[k + 1], uint(fx & 0xffff) >> 8);
    }
}

#if defined(__x86_64__)
// The same with AVX2: eight pixels of rows at a time.
__attribute__((target("avx2"))) void MixRowsWide(QRgb *out, const QRgb *upper, const QRgb *lower, int length,
                                                 uint weight)
{
    int x = 0;
    const __m256i down = _mm256_set1_epi16(short(weight));
    const __m256i up = _mm256_set1_epi16(short(256 - weight));
    const __m256i low = _mm256_set1_epi32(0x00ff00ff);
    for (; x + 8 <= length; x += 8) {
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(upper + x));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lower + x));
        const __m256i rb = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(t, low), up),
                                                              _mm256_mullo_epi16(_mm256_and_si256(b, low), down)),
                                             8);
        const __m256i ag = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(t, 8), up),
                                            _mm256_mullo_epi16(_mm256_srli_epi16(b, 8), down));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + x), _mm256_or_si256(rb, _mm256_andnot_si256(low, ag)));
    }
    _mm256_zeroupper();
    for (; x < length; ++x)
        out[x] = Mix(upper[x], lower[x], weight);
}

// Four pixels of columns at a time: a step of at most two columns keeps a
// pixel's pair and the next three pixels' pairs within eight columns of the
// first, picked out of one load. columns must hold eight past the last read.
__attribute__((target("avx2"))) void MixColumnsWide(QRgb *out, int length, const QRgb *columns, int first, int fx,
                                                    int step)
{
    // Which columns each four pixels pick and their weights. Every row of a
    // draw asks for the same stretch, so they are worked out once.
    struct alignas(32) TGroup
    {
        __m256i pick;
        __m256i weights;
        int column;
    };
    struct TGroups
    {
        int length = -1, first = 0, fx = 0, step = 0;
        std::vector<TGroup> groups;
    };
    thread_local TGroups kept;
    const int count = length / 4;
    if (kept.length != length || kept.first != first || kept.fx != fx || kept.step != step) {
        kept = {length, first, fx, step, {}};
        kept.groups.resize(std::size_t(count));
        const __m256i next = _mm256_setr_epi32(0, 1, 0, 1, 0, 1, 0, 1);
        const __m256i full = _mm256_set1_epi32(256);
        const __m128i byte = _mm_set1_epi32(0xff);
        const __m128i steps = _mm_set1_epi32(4 * step);
        __m128i position = _mm_setr_epi32(fx, fx + step, fx + 2 * step, fx + 3 * step);
        int at = fx;
        for (TGroup &group : kept.groups) {
            const int column = at >> 16;
            at += 4 * step;
            const __m256i offsets =
                _mm256_cvtepu32_epi64(_mm_sub_epi32(_mm_srli_epi32(position, 16), _mm_set1_epi32(column)));
            group.pick = _mm256_add_epi32(_mm256_or_si256(offsets, _mm256_slli_epi64(offsets, 32)), next);
            const __m256i right = _mm256_cvtepu32_epi64(_mm_and_si128(_mm_srli_epi32(position, 8), byte));
            const __m256i both = _mm256_or_si256(right, _mm256_slli_epi64(right, 32));
            const __m256i weights = _mm256_blend_epi32(_mm256_sub_epi32(full, both), both, 0xaa);
            group.weights = _mm256_or_si256(weights, _mm256_slli_epi32(weights, 16));
            group.column = column - first;
            position = _mm_add_epi32(position, steps);
        }
    }
    const __m256i low = _mm256_set1_epi32(0x00ff00ff);
    for (int g = 0; g < count; ++g) {
        const TGroup &group = kept.groups[std::size_t(g)];
        const __m256i window = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(columns + group.column));
        const __m256i pairs = _mm256_permutevar8x32_epi32(window, group.pick);
        const __m256i rb = _mm256_mullo_epi16(_mm256_and_si256(pairs, low), group.weights);
        const __m256i ag = _mm256_mullo_epi16(_mm256_srli_epi16(pairs, 8), group.weights);
        // Per 128-bit half: red-blue of two pixels, then their alpha-green.
        const __m256i sums = _mm256_hadd_epi32(rb, ag);
        const __m256i mixed = _mm256_or_si256(_mm256_srli_epi16(sums, 8),
                                              _mm256_andnot_si256(low, _mm256_unpackhi_epi64(sums, sums)));
        const __m256i packed = _mm256_permute4x64_epi64(mixed, _MM_SHUFFLE(3, 1, 2, 0));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 4 * g), _mm256_castsi256_si128(packed));
    }
    _mm256_zeroupper();
    fx += 4 * count * step;
    for (int x = 4 * count; x < length; ++x, fx += step) {
        const int k = (fx >> 16) - first;
        out[x] = Mix(columns[k], columns[k + 1], uint(fx & 0xffff) >> 8);
    }
}
#endif

using RowsFunction = void (*)(QRgb *, const QRgb *, const QRgb *, int, uint);
using ColumnsFunction = void (*)(QRgb *, int, const QRgb *, int, int, int);

struct Functions
{
    RowsFunction rows = MixRows;
    ColumnsFunction columns = MixColumns;
};

Functions ForProcessor()
{
    Functions functions;
#if defined(__x86_64__)
    if (PixelCompose::WideRegisters())
        functions = {MixRowsWide, MixColumnsWide};
#endif
    return functions;
}

// How a draw reaches from device pixels to texture samples.
struct TMapping
{
    double m11 = 0, m22 = 0, dx = 0, dy = 0;
    int step = 0;
    // The device pixels the stretched image covers within the target.
    QRect drawn;
    // Where a row's span starts: the drawn rectangle's entry into the image.
    int runStart = 0;
};

bool Map(const QImage &target, const QImage &source, const QRectF &rect, qreal dpr, TMapping &map)
{
    constexpr QImage::Format Format = QImage::Format_ARGB32_Premultiplied;
    if (target.format() != Format || source.format() != Format || source.isNull() || !(dpr > 0))
        return false;
    const int width = source.width();
    const int height = source.height();
    const double left = rect.left() * dpr;
    const double top = rect.top() * dpr;
    const double right = rect.right() * dpr;
    const double bottom = rect.bottom() * dpr;
    // Smoothed edges off whole pixels come from the rasteriser's coverage,
    // which this does not reproduce.
    if (!(rect.width() > 0 && rect.height() > 0) || !WholeNumber(left) || !WholeNumber(top) || !WholeNumber(right)
        || !WholeNumber(bottom))
        return false;

    // The painter's own transform from device to texture, in its order of
    // operations, nudged as the raster engine nudges it.
    QTransform toDevice = QTransform::fromScale(dpr, dpr);
    toDevice.translate(rect.x(), rect.y());
    toDevice.scale(rect.width() / width, rect.height() / height);
    QTransform nudge;
    nudge.translate(1.0 / 65536, 1.0 / 65536);
    bool invertible = false;
    const QTransform toTexture = (nudge * toDevice).inverted(&invertible);
    if (!invertible || !toTexture.isAffine() || toTexture.m12() != 0 || toTexture.m21() != 0)
        return false;
    map.m11 = toTexture.m11();
    map.m22 = toTexture.m22();
    map.dx = toTexture.dx();
    map.dy = toTexture.dy();
    if (!(map.m11 * map.m11 < 1e4 && map.m22 * map.m22 < 1e4 && map.m11 * map.m11 > 1.0 / 65536
          && map.m22 * map.m22 > 1.0 / 65536 && std::abs(map.dx) < 1e4 && std::abs(map.dy) < 1e4))
        return false;
    map.step = int(map.m11 * FixedScale);
    // Shrinking by 2 or more the engine averages differently.
    if (map.step <= 0 || map.step > 2 * FixedScale)
        return false;
    map.drawn = QRect(QPoint(int(left), int(top)), QPoint(int(right) - 1, int(bottom) - 1)) & target.rect();
    map.runStart = map.drawn.left();
    return true;
}

// Every sample position of work's pixels fits the engine's fixed point.
bool SamplesFit(const TMapping &map, const QRect &work)
{
    if (work.isEmpty())
        return true;
    for (int y : {work.top(), work.bottom()}) {
        int fy = 0;
        if (!Sample(map.m22, map.dy, y + 0.5, fy))
            return false;
    }
    for (int x = map.runStart; x <= work.right(); x += FetchLength) {
        int fx = 0;
        if (!Sample(map.m11, map.dx, x + 0.5, fx)
            || double(fx) + double(map.step) * std::min(FetchLength, map.drawn.right() + 1 - x)
                > std::numeric_limits<int>::max())
            return false;
    }
    return true;
}

// The first of the two texture rows (or columns) a device row samples,
// clamped as the engine clamps it; the second is the next one, but at the
// edges, where both are the edge.
std::pair<int, int> Taps(int fixed, int size)
{
    const int first = fixed >> 16;
    if (first < 0)
        return {0, 0};
    if (first >= size - 1)
        return {size - 1, size - 1};
    return {first, first + 1};
}

// The sample position of column x, stepped from where its fetch piece starts.
int ColumnSample(const TMapping &map, int x)
{
    const int pieceStart = map.runStart + (x - map.runStart) / FetchLength * FetchLength;
    int fx = 0;
    Sample(map.m11, map.dx, pieceStart + 0.5, fx);
    return fx + (x - pieceStart) * map.step;
}

} // namespace

bool Readers(const QImage &target, const QImage &source, const QRectF &rect, qreal dpr, const QRect &sourceRect,
             QRect &readers)
{
    TMapping map;
    if (!Map(target, source, rect, dpr, map) || !SamplesFit(map, map.drawn))
        return false;
    readers = QRect();
    if (map.drawn.isEmpty() || sourceRect.isEmpty())
        return true;
    int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    for (int y = map.drawn.top(); y <= map.drawn.bottom(); ++y) {
        int fy = 0;
        Sample(map.m22, map.dy, y + 0.5, fy);
        const auto [first, second] = Taps(fy, source.height());
        if (second >= sourceRect.top() && first <= sourceRect.bottom()) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    int left = std::numeric_limits<int>::max(), right = std::numeric_limits<int>::min();
    for (int x = map.drawn.left(); x <= map.drawn.right(); ++x) {
        const auto [first, second] = Taps(ColumnSample(map, x), source.width());
        if (second >= sourceRect.left() && first <= sourceRect.right()) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (top <= bottom && left <= right)
        readers = QRect(QPoint(left, top), QPoint(right, bottom));
    return true;
}

bool Draw(QImage &target, const QImage &source, const QRectF &rect, qreal dpr, const QRect &area)
{
    TMapping map;
    if (!Map(target, source, rect, dpr, map))
        return false;
    const int width = source.width();
    const int height = source.height();
    const int step = map.step;
    const QRect drawn = map.drawn;
    const QRect part = area & target.rect();
    const QRect work = part & drawn;

    // Check every sample position first: nothing is drawn unless all of it is.
    if (!SamplesFit(map, work))
        return false;

    // Nothing to lay: a target shared with another image stays shared.
    if (part.isEmpty())
        return true;
    PixelCompose::SettleRegisters();
    static const Functions mix = ForProcessor();
    // Every row samples the same columns: where each fetch piece starts in
    // the texture and which columns it reads.
    struct TPiece
    {
        int from, to, fx, first, last;
    };
    thread_local std::vector<TPiece> pieces;
    pieces.clear();
    std::size_t widest = 0;
    for (int from = work.left(); from <= work.right();) {
        const int pieceStart = map.runStart + (from - map.runStart) / FetchLength * FetchLength;
        const int to = std::min(work.right() + 1, pieceStart + FetchLength);
        const int fx = ColumnSample(map, from);
        const int first = fx >> 16;
        const int last = (fx + (to - 1 - from) * step) >> 16;
        pieces.push_back({from, to, fx, first, last});
        widest = std::max(widest, std::size_t(last - first + 2));
        from = to;
    }
    // Room for the wide loop's loads past the last column.
    thread_local std::vector<QRgb> columns;
    columns.resize(widest + 8);
    uchar *const targetBits = target.bits();
    const qsizetype targetStride = target.bytesPerLine();
    const uchar *const sourceBits = source.constBits();
    const qsizetype sourceStride = source.bytesPerLine();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(targetBits + y * targetStride);
        if (y < drawn.top() || y > drawn.bottom() || work.isEmpty()) {
            std::fill(row + part.left(), row + part.right() + 1, 0u);
            continue;
        }
        std::fill(row + part.left(), row + work.left(), 0u);
        std::fill(row + work.right() + 1, row + part.right() + 1, 0u);

        int fy = 0;
        Sample(map.m22, map.dy, y + 0.5, fy);
        const auto [y1, y2] = Taps(fy, height);
        const uint disty = uint(fy & 0xffff) >> 8;
        const QRgb *upper = reinterpret_cast<const QRgb *>(sourceBits + y1 * sourceStride);
        const QRgb *lower = reinterpret_cast<const QRgb *>(sourceBits + y2 * sourceStride);

        for (const TPiece &piece : pieces) {
            const int first = piece.first;
            const int last = piece.last;
            // The columns this stretch reads, each blended down the rows
            // once; columns off the image repeat its edge.
            const int inFrom = std::max(first, 0);
            const int inTo = std::min(last + 1, width - 1);
            for (int c = first; c <= std::min(last + 1, -1); ++c)
                columns[std::size_t(c - first)] = Mix(upper[0], lower[0], disty);
            if (inTo >= inFrom)
                mix.rows(columns.data() + (inFrom - first), upper + inFrom, lower + inFrom, inTo + 1 - inFrom, disty);
            for (int c = std::max(first, width); c <= last + 1; ++c)
                columns[std::size_t(c - first)] = Mix(upper[width - 1], lower[width - 1], disty);
            mix.columns(row + piece.from, piece.to - piece.from, columns.data(), first, piece.fx, step);
        }
    }
    return true;
}

} // namespace SmoothScale
