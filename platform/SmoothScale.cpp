// SPDX-License-Identifier: MIT
#include "platform/SmoothScale.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

} // namespace

bool Draw(QImage &target, const QImage &source, const QRectF &rect, qreal dpr, const QRect &area)
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
    const double m11 = toTexture.m11();
    const double m22 = toTexture.m22();
    const double dx = toTexture.dx();
    const double dy = toTexture.dy();
    if (!(m11 * m11 < 1e4 && m22 * m22 < 1e4 && m11 * m11 > 1.0 / 65536 && m22 * m22 > 1.0 / 65536
          && std::abs(dx) < 1e4 && std::abs(dy) < 1e4))
        return false;
    const int step = int(m11 * FixedScale);
    // Shrinking by 2 or more the engine averages differently.
    if (step <= 0 || step > 2 * FixedScale)
        return false;

    const QRect drawn = QRect(QPoint(int(left), int(top)), QPoint(int(right) - 1, int(bottom) - 1)) & target.rect();
    const QRect part = area & target.rect();
    // A row's span starts where the drawn rectangle enters the image.
    const int runStart = drawn.left();
    const QRect work = part & drawn;

    // Check every sample position first: nothing is drawn unless all of it is.
    if (!work.isEmpty()) {
        for (int y : {work.top(), work.bottom()}) {
            int fy = 0;
            if (!Sample(m22, dy, y + 0.5, fy))
                return false;
        }
        for (int x = runStart; x <= work.right(); x += FetchLength) {
            int fx = 0;
            if (!Sample(m11, dx, x + 0.5, fx)
                || double(fx) + double(step) * std::min(FetchLength, drawn.right() + 1 - x) > std::numeric_limits<int>::max())
                return false;
        }
    }

    thread_local std::vector<QRgb> columns;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(target.scanLine(y));
        if (y < drawn.top() || y > drawn.bottom() || work.isEmpty()) {
            std::fill(row + part.left(), row + part.right() + 1, 0u);
            continue;
        }
        std::fill(row + part.left(), row + work.left(), 0u);
        std::fill(row + work.right() + 1, row + part.right() + 1, 0u);

        int fy = 0;
        Sample(m22, dy, y + 0.5, fy);
        int y1 = fy >> 16;
        int y2 = y1 + 1;
        if (y1 < 0)
            y1 = y2 = 0;
        else if (y1 >= height - 1)
            y1 = y2 = height - 1;
        const uint disty = uint(fy & 0xffff) >> 8;
        const QRgb *upper = reinterpret_cast<const QRgb *>(source.constScanLine(y1));
        const QRgb *lower = reinterpret_cast<const QRgb *>(source.constScanLine(y2));

        for (int from = work.left(); from <= work.right();) {
            const int pieceStart = runStart + (from - runStart) / FetchLength * FetchLength;
            const int to = std::min(work.right() + 1, pieceStart + FetchLength);
            int fx = 0;
            Sample(m11, dx, pieceStart + 0.5, fx);
            fx += (from - pieceStart) * step;
            // The columns this stretch reads, each blended down the rows once.
            const int first = fx >> 16;
            const int last = (fx + (to - 1 - from) * step) >> 16;
            columns.resize(std::size_t(last - first + 2));
            for (int c = first; c <= last + 1; ++c) {
                const int x = std::clamp(c, 0, width - 1);
                columns[std::size_t(c - first)] = Mix(upper[x], lower[x], disty);
            }
            for (int x = from; x < to; ++x, fx += step) {
                const std::size_t k = std::size_t((fx >> 16) - first);
                row[x] = Mix(columns[k], columns[k + 1], uint(fx & 0xffff) >> 8);
            }
            from = to;
        }
    }
    return true;
}

} // namespace SmoothScale
