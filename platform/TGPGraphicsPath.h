// SPDX-License-Identifier: MIT
#pragma once

#include <QPainterPath>

#include "platform/TGdiplusBase.h"

// Figures to fill or stroke. Angles are degrees, 0 pointing right and growing
// clockwise on the screen (y down); on an ellipse an angle names the
// direction of the ray from the centre, not the parametric angle. A negative
// sweep runs anticlockwise; a sweep of 360 or more is the whole ellipse.
// Rectangles need a positive width and height (else InvalidParameter and
// nothing is added). By default the fill mode is Alternate (even-odd).
class TGPGraphicsPath : public TGdiplusBase
{
public:
    explicit TGPGraphicsPath(TFillMode fillMode = TFillMode::Alternate);
    ~TGPGraphicsPath() override;

    // Adds to the current figure; when the figure is open, a straight line
    // joins its end to the arc's start, otherwise the arc starts a figure.
    TStatus AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    TStatus AddArc(const TGPRectF &rect, float startAngle, float sweepAngle)
    {
        return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
    }
    // A closed figure of its own.
    TStatus AddEllipse(float x, float y, float width, float height);
    TStatus AddEllipse(const TGPRectF &rect) { return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height); }
    // A closed slice: centre, arc, back to the centre.
    TStatus AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
    TStatus AddPie(const TGPRectF &rect, float startAngle, float sweepAngle)
    {
        return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
    }

private:
    // Appends an arc with the conventions above to a Qt path, which counts
    // anticlockwise and parametrically. Joins it to the current figure when
    // connect is set, else moves to its start.
    static void appendArc(QPainterPath &path, const QRectF &rect, double startAngle, double sweepAngle,
                          bool connect);

    QPainterPath m_path;
    bool m_figureOpen = false;

    friend class TGPGraphics;
};
