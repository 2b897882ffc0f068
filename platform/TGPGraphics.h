// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>

#include <optional>

#include "platform/TGdiplusBase.h"

class QPaintDevice;
class QString;
class TGPBrush;
class TGPFont;
class TGPGraphicsPath;
class TGPImage;
class TGPPen;
class TGPStringFormat;

// A drawing surface. Coordinates are pixels of the target, x to the right, y
// down. Angles are degrees, 0 pointing right, growing clockwise on the
// screen; on an ellipse they name the direction of the ray from the centre.
// Every call returns its status and keeps a failure: a surface without a
// painter, a missing pen, brush, font, path or image, a pen or brush that has
// no object, or coordinates that are not finite give InvalidParameter, and
// the call draws nothing.
//
// On a painter of its own, by default anti-aliasing is off (smoothing
// Default) and text is smoothed; a borrowed painter keeps its own hints until
// they are set. Images drawn into a rectangle are always filtered bilinearly.
class TGPGraphics : public TGdiplusBase
{
public:
    // On a painter that is already painting (a widget's paint event, an image
    // the caller keeps open): nothing is re-created. The painter's render
    // hints, pen, brush and font are given back as found when the surface is
    // released. The painter must outlive the surface.
    explicit TGPGraphics(QPainter &painter);
    // With a painter of its own on a paint device: a widget during its paint
    // event, or an image. No device: InvalidParameter; a device that another
    // painter is painting: ObjectBusy; a device Qt cannot paint: GenericError.
    explicit TGPGraphics(QPaintDevice *device);
    // With a painter of its own on a bitmap's pixels. No bitmap or one
    // without an image: InvalidParameter; a bitmap already painted on:
    // ObjectBusy.
    explicit TGPGraphics(TGPImage *image);
    ~TGPGraphics() override;

    // AntiAlias, AntiAlias8x8 and HighQuality smooth edges; Default,
    // HighSpeed and Off do not. Anything else: InvalidParameter.
    TStatus SetSmoothingMode(TSmoothingMode mode);
    // The anti-aliased hints (AntiAliasGridFit, AntiAlias, ClearTypeGridFit)
    // smooth text, the single-bit ones do not, SystemDefault restores the
    // painter's default (smoothed).
    TStatus SetTextRenderingHint(TTextRenderingHint hint);

    // A rectangle of zero width or height is not filled and is no failure.
    TStatus FillRectangle(const TGPBrush *brush, float x, float y, float width, float height);
    TStatus FillRectangle(const TGPBrush *brush, const TGPRectF &rect)
    {
        return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
    }

    // Ellipses inscribed in the rectangle; the I forms take whole pixels.
    TStatus FillEllipse(const TGPBrush *brush, float x, float y, float width, float height);
    TStatus FillEllipse(const TGPBrush *brush, const TGPRectF &rect)
    {
        return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
    }
    TStatus FillEllipseI(const TGPBrush *brush, int x, int y, int width, int height);
    TStatus FillEllipseI(const TGPBrush *brush, const TGPRect &rect)
    {
        return FillEllipseI(brush, rect.X, rect.Y, rect.Width, rect.Height);
    }
    TStatus DrawEllipse(const TGPPen *pen, float x, float y, float width, float height);
    TStatus DrawEllipse(const TGPPen *pen, const TGPRectF &rect)
    {
        return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
    }
    TStatus DrawEllipseI(const TGPPen *pen, int x, int y, int width, int height);
    TStatus DrawEllipseI(const TGPPen *pen, const TGPRect &rect)
    {
        return DrawEllipseI(pen, rect.X, rect.Y, rect.Width, rect.Height);
    }

    // The arc of the ellipse in the rectangle from startAngle over
    // sweepAngle (negative: anticlockwise). The rectangle needs a positive
    // width and height.
    TStatus DrawArc(const TGPPen *pen, float x, float y, float width, float height, float startAngle,
                    float sweepAngle);
    TStatus DrawArc(const TGPPen *pen, const TGPRectF &rect, float startAngle, float sweepAngle)
    {
        return DrawArc(pen, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
    }
    TStatus DrawLine(const TGPPen *pen, float x1, float y1, float x2, float y2);
    TStatus DrawLine(const TGPPen *pen, const TGPPointF &p1, const TGPPointF &p2)
    {
        return DrawLine(pen, p1.X, p1.Y, p2.X, p2.Y);
    }

    // Even-odd fill; the last point is joined to the first. No points: InvalidParameter.
    TStatus FillPolygon(const TGPBrush *brush, const TGPPointF *points, int count);
    TStatus FillPolygon(const TGPBrush *brush, const TGPPointFArray &points)
    {
        return FillPolygon(brush, points.data(), int(points.size()));
    }
    TStatus DrawPath(const TGPPen *pen, const TGPGraphicsPath *path);
    TStatus FillPath(const TGPBrush *brush, const TGPGraphicsPath *path);

    // Text in the brush's fill, placed in the layout rectangle by the format
    // (no format: left and top, clipped). A rectangle without size places it
    // around its corner and clips nothing.
    TStatus DrawString(const QString &text, const TGPFont *font, const TGPRectF &layoutRect,
                       const TGPStringFormat *format, const TGPBrush *brush);
    // Text placed around the origin by the format; with centre alignment
    // the text's top centre sits on the origin.
    TStatus DrawString(const QString &text, const TGPFont *font, const TGPPointF &origin,
                       const TGPStringFormat *format, const TGPBrush *brush);
    // The rectangle that DrawString at this origin lays the text out in:
    // its advance width and line height. Empty text: a rectangle without
    // size at the origin.
    TStatus MeasureString(const QString &text, const TGPFont *font, const TGPPointF &origin,
                          const TGPStringFormat *format, TGPRectF *boundingBox);

    // The whole image at its own size, top-left corner at (x, y).
    TStatus DrawImageI(const TGPImage *image, int x, int y);
    // The whole image scaled into the rectangle.
    TStatus DrawImage(const TGPImage *image, float x, float y, float width, float height);
    TStatus DrawImage(const TGPImage *image, const TGPRectF &rect)
    {
        return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
    }
    // The part of an image that lies under rect, for an image that covers the
    // surface from its origin at the image's device pixel ratio (a picture
    // made for this surface). Pixel for pixel, unfiltered, where the surface
    // maps to its device by that ratio and a translation; otherwise drawn
    // through the transform. Nothing outside rect is touched.
    TStatus DrawImagePart(const TGPImage *image, const TGPRect &rect);

    // Moves the origin of everything drawn later by (dx, dy).
    TStatus TranslateTransform(float dx, float dy);
    // Limits everything drawn later to rect (replacing any clip).
    TStatus SetClip(const TGPRectF &rect);

private:
    void begin(QPaintDevice *device);
    // Null (with InvalidParameter recorded) when the surface, pen or brush
    // cannot draw.
    QPainter *painterFor(const TGPPen *pen);
    QPainter *painterFor(const TGPBrush *brush);
    void usePen(const QPen &pen);
    void useBrush(const QBrush &brush);
    void useFont(const QFont &font);
    TStatus layoutString(const QString &text, const TGPFont *font, const QRectF &layout,
                         const TGPStringFormat *format, const TGPBrush *brush);

    QPainter *m_painter = nullptr;   // null: no surface
    std::optional<QPainter> m_own;

    // What a borrowed painter held before, given back on release.
    QPainter::RenderHints m_savedHints;
    QPen m_savedPen;
    QBrush m_savedBrush;
    std::optional<QFont> m_savedFont;
    bool m_borrowed = false;
    bool m_penTouched = false;
    bool m_brushTouched = false;
};
