// SPDX-License-Identifier: MIT
#include "platform/TGPGraphicsPath.h"

#include <QtMath>

#include <cmath>

namespace {

bool validRect(double x, double y, double w, double h)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0;
}

// The ellipse's parametric angle whose point lies on the ray at angle
// degrees, kept in the same turn, so that it grows with the ray's angle.
double parametricAngle(double degrees, double rx, double ry)
{
    if (rx == ry)
        return degrees;
    const double r = qDegreesToRadians(degrees);
    const double t = qRadiansToDegrees(std::atan2(rx * std::sin(r), ry * std::cos(r)));
    return t + 360.0 * std::round((degrees - t) / 360.0);
}

} // namespace

TGPGraphicsPath::TGPGraphicsPath(TFillMode fillMode)
{
    switch (fillMode) {
    case TFillMode::Alternate: m_path.setFillRule(Qt::OddEvenFill); break;
    case TFillMode::Winding: m_path.setFillRule(Qt::WindingFill); break;
    default:
        m_path.setFillRule(Qt::OddEvenFill);
        SetStatus(TStatus::InvalidParameter);
        break;
    }
}

TGPGraphicsPath::~TGPGraphicsPath() = default;

void TGPGraphicsPath::appendArc(QPainterPath &path, const QRectF &rect, double startAngle, double sweepAngle,
                                bool connect)
{
    const double rx = rect.width() / 2, ry = rect.height() / 2;
    const double start = parametricAngle(startAngle, rx, ry);
    const double sweep = std::abs(sweepAngle) >= 360
        ? std::copysign(360.0, sweepAngle)
        : parametricAngle(startAngle + sweepAngle, rx, ry) - start;
    if (!connect)
        path.arcMoveTo(rect, -start);
    path.arcTo(rect, -start, -sweep);
}

TStatus TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                                float sweepAngle)
{
    if (!validRect(x, y, width, height) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return SetStatus(TStatus::InvalidParameter);
    appendArc(m_path, QRectF(x, y, width, height), startAngle, sweepAngle, m_figureOpen);
    m_figureOpen = true;
    return TStatus::Ok;
}

TStatus TGPGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    if (!validRect(x, y, width, height))
        return SetStatus(TStatus::InvalidParameter);
    m_path.addEllipse(QRectF(x, y, width, height));
    m_figureOpen = false;
    return TStatus::Ok;
}

TStatus TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle,
                                float sweepAngle)
{
    if (!validRect(x, y, width, height) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return SetStatus(TStatus::InvalidParameter);
    const QRectF rect(x, y, width, height);
    m_path.moveTo(rect.center());
    appendArc(m_path, rect, startAngle, sweepAngle, true);
    m_path.closeSubpath();
    m_figureOpen = false;
    return TStatus::Ok;
}
