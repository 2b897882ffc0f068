// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>

// An image stretched into a rectangle the way the raster engine draws it
// with smooth pixmap transform: its fixed-point sample positions, its two
// 1/256-weighted linear passes and the edge clamping, so the pixels equal a
// painter's to the bit. Unlike a painter it can redo any part of the result
// alone, with the sample positions the whole draw would use there.
namespace SmoothScale {

// Draws source (premultiplied ARGB32) stretched over rect (logical, at
// ratio dpr) into target's device pixels within area, as a painter draws
// it from the top-left of target over transparent pixels: afterwards area
// holds exactly what clearing it and drawing would leave. Returns false,
// leaving target alone, where the painter would take another path (a
// rectangle off whole device pixels, a shrink by 2 or more, a mirror, huge
// coordinates); a painter must draw it then.
bool Draw(QImage &target, const QImage &source, const QRectF &rect, qreal dpr, const QRect &area);

// The target's device pixels whose samples read any of source's pixels in
// sourceRect, as Draw with the same arguments lays them, into readers (empty
// when none do). Each pixel reads a 2 x 2 block of the source, so what
// reads sourceRect reads nothing more than a pixel beyond it. Returns false
// where Draw would not draw.
bool Readers(const QImage &target, const QImage &source, const QRectF &rect, qreal dpr, const QRect &sourceRect,
             QRect &readers);

} // namespace SmoothScale
