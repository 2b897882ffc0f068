// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>

#include <array>

// Fills a simple polygon into premultiplied ARGB32 pixels with the result
// Qt's raster engine gives for an anti-aliased odd-even fill with source-over
// (coverage from the outline's exact area at 1/64 pixel, the same colour
// arithmetic), without a painter. For small shapes drawn at every frame,
// where a painter's set-up and the engine's hand-offs to its thread pool
// cost many times the fill itself.
class TPolygonFill
{
public:
    // A solid colour; ARGB, not premultiplied.
    static TPolygonFill Solid(QRgb color);
    // A linear gradient from color1 at point1 to color2 at point2 (logical
    // coordinates), repeated beyond them.
    static TPolygonFill Linear(const QPointF &point1, const QPointF &point2, QRgb color1, QRgb color2);

    // On: the same outlines come back (a read-out's segments), so a solid
    // fill keeps each small outline's coverage, per thread, and only blends
    // it the next time. Off (the default) for outlines that move at every
    // frame, which would only fill and flush the store.
    void SetRepeated(bool on) { m_repeated = on; }

    // Fills the polygon (logical points; the last joins the first) into
    // image, touching only the device pixels in clip. A logical point p lies
    // at p * scale in the image. False, with nothing drawn, for a polygon
    // it cannot fill as Qt would: fewer than three points, a point that is
    // not finite, or edges that cross.
    bool Fill(QImage &image, const QRect &clip, const QPointF *points, int count, double scale);

    // True when no two edges of the polygon cross or touch apart from
    // neighbours at their shared point.
    static bool IsSimple(const QPointF *points, int count);

private:
    TPolygonFill() = default;
    // A device pixel's place in the gradient, in 1/256 of a table step,
    // from its column and what its row adds (the same for the whole row).
    double RowTerm(int y) const;
    int Position(int x, double rowTerm) const;
    QRgb Shade(int position) const;

    bool m_linear = false;
    bool m_repeated = false;
    // No colour of the gradient has any transparency.
    bool m_opaque = false;
    QRgb m_color = 0;
    // Linear: the gradient's position is (p - start).m_direction / |d|^2.
    double m_dx = 0, m_dy = 0, m_offset = 0;
    std::array<QRgb, 1024> m_table{};
    double m_scale = 1;
    // 1 / m_scale where that is exact, else 0.
    double m_inverse = 0;
    int m_step = 0;
    class TCells;
};
