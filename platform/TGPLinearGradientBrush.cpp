// SPDX-License-Identifier: MIT
#include "platform/TGPLinearGradientBrush.h"

#include <QLinearGradient>

#include <cmath>

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF &point1, const TGPPointF &point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(Made::ByKind)
{
    if (!std::isfinite(point1.X) || !std::isfinite(point1.Y) || !std::isfinite(point2.X)
        || !std::isfinite(point2.Y) || point1 == point2) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    make(point1.toQPointF(), point2.toQPointF(), color1, color2);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF &rect, ARGB color1, ARGB color2,
                                               TLinearGradientMode mode)
    : TGPBrush(Made::ByKind)
{
    const double x = rect.X, y = rect.Y, w = rect.Width, h = rect.Height;
    if (!std::isfinite(x) || !std::isfinite(y) || !(w > 0 && std::isfinite(w))
        || !(h > 0 && std::isfinite(h))) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    // Diagonals: the blend value is (dx/w + dy/h) / 2, whose lines run parallel
    // to the other diagonal. A Qt gradient from s to s + d has the value
    // (p - s).d / |d|^2, so d = n / |n|^2 with n = (1/2w, 1/2h).
    const double nx = 0.5 / w, ny = 0.5 / h, n2 = nx * nx + ny * ny;
    switch (mode) {
    case TLinearGradientMode::Horizontal:
        make(QPointF(x, y), QPointF(x + w, y), color1, color2);
        break;
    case TLinearGradientMode::Vertical:
        make(QPointF(x, y), QPointF(x, y + h), color1, color2);
        break;
    case TLinearGradientMode::ForwardDiagonal:
        make(QPointF(x, y), QPointF(x + nx / n2, y + ny / n2), color1, color2);
        break;
    case TLinearGradientMode::BackwardDiagonal:
        make(QPointF(x + w, y), QPointF(x + w - nx / n2, y + ny / n2), color1, color2);
        break;
    default:
        SetStatus(TStatus::InvalidParameter);
        break;
    }
}

void TGPLinearGradientBrush::make(const QPointF &start, const QPointF &stop, ARGB color1, ARGB color2)
{
    QLinearGradient gradient(start, stop);
    gradient.setColorAt(0, QColor::fromRgba(color1));
    gradient.setColorAt(1, QColor::fromRgba(color2));
    gradient.setSpread(QGradient::RepeatSpread);
    m_brush.emplace(gradient);
}
