// SPDX-License-Identifier: MIT
#include "platform/TGPGraphics.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QVarLengthArray>

#include <cmath>

#include "platform/TGPBrush.h"
#include "platform/TGPFont.h"
#include "platform/TGPGraphicsPath.h"
#include "platform/TGPImage.h"
#include "platform/TGPPen.h"
#include "platform/TGPStringFormat.h"

namespace {

// The pixels of image within rect (inside it), shared, not copied.
QImage PartView(const QImage &image, const QRect &rect)
{
    return QImage(image.constBits() + qsizetype(rect.top()) * image.bytesPerLine()
                      + qsizetype(rect.left()) * (image.depth() / 8),
                  rect.width(), rect.height(), image.bytesPerLine(), image.format());
}

template<class... T>
bool finite(T... values)
{
    return (std::isfinite(double(values)) && ...);
}

} // namespace

TGPGraphics::TGPGraphics(QPainter &painter) : m_borrowed(true)
{
    if (!painter.isActive()) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    m_painter = &painter;
    m_savedHints = painter.renderHints();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

TGPGraphics::TGPGraphics(QPaintDevice *device)
{
    begin(device);
}

TGPGraphics::TGPGraphics(TGPImage *image)
{
    if (!image || !image->m_image) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    begin(image->m_image);
}

TGPGraphics::~TGPGraphics()
{
    if (!m_borrowed || !m_painter)
        return;
    if (m_penTouched)
        m_painter->setPen(m_savedPen);
    if (m_brushTouched)
        m_painter->setBrush(m_savedBrush);
    if (m_savedFont)
        m_painter->setFont(*m_savedFont);
    m_painter->setRenderHints(~m_savedHints, false);
    m_painter->setRenderHints(m_savedHints, true);
}

void TGPGraphics::begin(QPaintDevice *device)
{
    if (!device) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    if (device->paintingActive()) {
        SetStatus(TStatus::ObjectBusy);
        return;
    }
    if (device->devType() == QInternal::Image && static_cast<QImage *>(device)->isNull()) {
        SetStatus(TStatus::InvalidParameter);
        return;
    }
    QPainter &painter = m_own.emplace();
    if (!painter.begin(device)) {
        m_own.reset();
        SetStatus(TStatus::GenericError);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter = &painter;
}

QPainter *TGPGraphics::painterFor(const TGPPen *pen)
{
    if (!m_painter || !pen || !pen->m_pen) {
        SetStatus(TStatus::InvalidParameter);
        return nullptr;
    }
    return m_painter;
}

QPainter *TGPGraphics::painterFor(const TGPBrush *brush)
{
    if (!m_painter || !brush || !brush->m_brush) {
        SetStatus(TStatus::InvalidParameter);
        return nullptr;
    }
    return m_painter;
}

void TGPGraphics::usePen(const QPen &pen)
{
    if (m_borrowed && !m_penTouched)
        m_savedPen = m_painter->pen();
    m_penTouched = true;
    m_painter->setPen(pen);
}

void TGPGraphics::useBrush(const QBrush &brush)
{
    if (m_borrowed && !m_brushTouched)
        m_savedBrush = m_painter->brush();
    m_brushTouched = true;
    m_painter->setBrush(brush);
}

void TGPGraphics::useFont(const QFont &font)
{
    if (m_borrowed && !m_savedFont)
        m_savedFont = m_painter->font();
    m_painter->setFont(font);
}

TStatus TGPGraphics::SetSmoothingMode(TSmoothingMode mode)
{
    if (!m_painter)
        return SetStatus(TStatus::InvalidParameter);
    switch (mode) {
    case TSmoothingMode::HighQuality:
    case TSmoothingMode::AntiAlias:
    case TSmoothingMode::AntiAlias8x8:
        m_painter->setRenderHint(QPainter::Antialiasing, true);
        return TStatus::Ok;
    case TSmoothingMode::Default:
    case TSmoothingMode::HighSpeed:
    case TSmoothingMode::Off:
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        return TStatus::Ok;
    default:
        return SetStatus(TStatus::InvalidParameter);
    }
}

TStatus TGPGraphics::SetTextRenderingHint(TTextRenderingHint hint)
{
    if (!m_painter)
        return SetStatus(TStatus::InvalidParameter);
    switch (hint) {
    case TTextRenderingHint::SystemDefault:
    case TTextRenderingHint::AntiAliasGridFit:
    case TTextRenderingHint::AntiAlias:
    case TTextRenderingHint::ClearTypeGridFit:
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
        return TStatus::Ok;
    case TTextRenderingHint::SingleBitPerPixelGridFit:
    case TTextRenderingHint::SingleBitPerPixel:
        m_painter->setRenderHint(QPainter::TextAntialiasing, false);
        return TStatus::Ok;
    default:
        return SetStatus(TStatus::InvalidParameter);
    }
}

TStatus TGPGraphics::FillRectangle(const TGPBrush *brush, float x, float y, float width, float height)
{
    if (width == 0 || height == 0)
        return TStatus::Ok;
    QPainter *painter = painterFor(brush);
    if (!painter)
        return TStatus::InvalidParameter;
    if (!finite(x, y, width, height))
        return SetStatus(TStatus::InvalidParameter);
    painter->fillRect(QRectF(x, y, width, height), *brush->m_brush);
    return TStatus::Ok;
}

TStatus TGPGraphics::FillEllipse(const TGPBrush *brush, float x, float y, float width, float height)
{
    if (!painterFor(brush))
        return TStatus::InvalidParameter;
    if (!finite(x, y, width, height))
        return SetStatus(TStatus::InvalidParameter);
    usePen(QPen(Qt::NoPen));
    useBrush(*brush->m_brush);
    m_painter->drawEllipse(QRectF(x, y, width, height));
    return TStatus::Ok;
}

TStatus TGPGraphics::FillEllipseI(const TGPBrush *brush, int x, int y, int width, int height)
{
    return FillEllipse(brush, float(x), float(y), float(width), float(height));
}

TStatus TGPGraphics::DrawEllipse(const TGPPen *pen, float x, float y, float width, float height)
{
    if (!painterFor(pen))
        return TStatus::InvalidParameter;
    if (!finite(x, y, width, height))
        return SetStatus(TStatus::InvalidParameter);
    usePen(*pen->m_pen);
    useBrush(QBrush(Qt::NoBrush));
    m_painter->drawEllipse(QRectF(x, y, width, height));
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawEllipseI(const TGPPen *pen, int x, int y, int width, int height)
{
    return DrawEllipse(pen, float(x), float(y), float(width), float(height));
}

TStatus TGPGraphics::DrawArc(const TGPPen *pen, float x, float y, float width, float height,
                             float startAngle, float sweepAngle)
{
    if (!painterFor(pen))
        return TStatus::InvalidParameter;
    if (!finite(x, y, width, height, startAngle, sweepAngle) || !(width > 0) || !(height > 0))
        return SetStatus(TStatus::InvalidParameter);
    QPainterPath arc;
    TGPGraphicsPath::appendArc(arc, QRectF(x, y, width, height), startAngle, sweepAngle, false);
    m_painter->strokePath(arc, *pen->m_pen);
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawLine(const TGPPen *pen, float x1, float y1, float x2, float y2)
{
    if (!painterFor(pen))
        return TStatus::InvalidParameter;
    if (!finite(x1, y1, x2, y2))
        return SetStatus(TStatus::InvalidParameter);
    usePen(*pen->m_pen);
    m_painter->drawLine(QLineF(x1, y1, x2, y2));
    return TStatus::Ok;
}

TStatus TGPGraphics::FillPolygon(const TGPBrush *brush, const TGPPointF *points, int count)
{
    if (!painterFor(brush))
        return TStatus::InvalidParameter;
    if (!points || count < 1)
        return SetStatus(TStatus::InvalidParameter);
    QVarLengthArray<QPointF, 16> qtPoints(count);
    for (int i = 0; i < count; ++i) {
        if (!finite(points[i].X, points[i].Y))
            return SetStatus(TStatus::InvalidParameter);
        qtPoints[i] = points[i].toQPointF();
    }
    usePen(QPen(Qt::NoPen));
    useBrush(*brush->m_brush);
    m_painter->drawPolygon(qtPoints.constData(), count, Qt::OddEvenFill);
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawPath(const TGPPen *pen, const TGPGraphicsPath *path)
{
    if (!painterFor(pen))
        return TStatus::InvalidParameter;
    if (!path)
        return SetStatus(TStatus::InvalidParameter);
    m_painter->strokePath(path->m_path, *pen->m_pen);
    return TStatus::Ok;
}

TStatus TGPGraphics::FillPath(const TGPBrush *brush, const TGPGraphicsPath *path)
{
    if (!painterFor(brush))
        return TStatus::InvalidParameter;
    if (!path)
        return SetStatus(TStatus::InvalidParameter);
    m_painter->fillPath(path->m_path, *brush->m_brush);
    return TStatus::Ok;
}

TStatus TGPGraphics::layoutString(const QString &text, const TGPFont *font, const QRectF &layout,
                                  const TGPStringFormat *format, const TGPBrush *brush)
{
    if (!painterFor(brush))
        return TStatus::InvalidParameter;
    if (!font || !font->m_font)
        return SetStatus(TStatus::InvalidParameter);
    if (!finite(layout.x(), layout.y(), layout.width(), layout.height()))
        return SetStatus(TStatus::InvalidParameter);
    if (text.isEmpty())
        return TStatus::Ok;
    const bool sized = layout.width() > 0 && layout.height() > 0;
    const int flags = format ? format->qtFlags(sized)
                             : Qt::AlignLeft | Qt::AlignTop | (sized ? 0 : Qt::TextDontClip);
    usePen(brush->textPen());
    useFont(*font->m_font);
    m_painter->drawText(layout, flags, text);
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawString(const QString &text, const TGPFont *font, const TGPRectF &layoutRect,
                                const TGPStringFormat *format, const TGPBrush *brush)
{
    return layoutString(text, font, layoutRect.toQRectF(), format, brush);
}

TStatus TGPGraphics::DrawString(const QString &text, const TGPFont *font, const TGPPointF &origin,
                                const TGPStringFormat *format, const TGPBrush *brush)
{
    return layoutString(text, font, QRectF(origin.toQPointF(), QSizeF(0, 0)), format, brush);
}

TStatus TGPGraphics::MeasureString(const QString &text, const TGPFont *font, const TGPPointF &origin,
                                   const TGPStringFormat *format, TGPRectF *boundingBox)
{
    if (!m_painter || !font || !font->m_font || !boundingBox || !finite(origin.X, origin.Y))
        return SetStatus(TStatus::InvalidParameter);
    if (text.isEmpty()) {
        *boundingBox = TGPRectF(origin.X, origin.Y, 0, 0);
        return TStatus::Ok;
    }
    const int flags = format ? format->qtFlags(false) : Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const QFontMetricsF metrics(*font->m_font, m_painter->device());
    const QRectF box = metrics.boundingRect(QRectF(origin.toQPointF(), QSizeF(0, 0)), flags, text);
    *boundingBox = TGPRectF(float(box.x()), float(box.y()), float(box.width()), float(box.height()));
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawImageI(const TGPImage *image, int x, int y)
{
    if (!m_painter || !image || !image->m_image)
        return SetStatus(TStatus::InvalidParameter);
    // Pixel for pixel an image needs no filter, and with the smoothing hint
    // set Qt 6.4 blends it on a slower path that it splits over its thread
    // pool. Same pixels either way.
    const bool oneToOne = m_painter->deviceTransform().type() <= QTransform::TxTranslate
        && image->m_image->devicePixelRatio() == 1.0;
    const bool smooth = m_painter->testRenderHint(QPainter::SmoothPixmapTransform);
    if (oneToOne)
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(QPoint(x, y), *image->m_image);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawImage(const TGPImage *image, float x, float y, float width, float height)
{
    if (!m_painter || !image || !image->m_image || !finite(x, y, width, height))
        return SetStatus(TStatus::InvalidParameter);
    const QImage &pixels = *image->m_image;
    m_painter->drawImage(QRectF(x, y, width, height), pixels, QRectF(pixels.rect()));
    return TStatus::Ok;
}

TStatus TGPGraphics::DrawImagePart(const TGPImage *image, const TGPRect &rect)
{
    if (!m_painter || !image || !image->m_image)
        return SetStatus(TStatus::InvalidParameter);
    if (rect.Width <= 0 || rect.Height <= 0)
        return TStatus::Ok;
    const QImage &pixels = *image->m_image;
    const qreal ratio = pixels.devicePixelRatio();
    const QRect logical(rect.X, rect.Y, rect.Width, rect.Height);
    const QTransform device = m_painter->deviceTransform();
    const QRectF mapped = device.mapRect(QRectF(logical));
    const QRect part = mapped.toRect();
    const bool oneToOne = device.type() <= QTransform::TxScale && qFuzzyCompare(device.m11(), ratio)
        && qFuzzyCompare(device.m22(), ratio) && QRectF(part) == mapped;
    // Moved by whole pixels only, and clipped to one rectangle at most
    // already: the part goes straight on, with no state of its own to save.
    const QPaintEngine *engine = m_painter->paintEngine();
    if (oneToOne && ratio == 1.0 && device.type() <= QTransform::TxTranslate && !m_painter->hasClipping() && engine
        && engine->systemClip().rectCount() <= 1) {
        const QRect source = logical & pixels.rect();
        if (source.isEmpty())
            return TStatus::Ok;
        const QImage view = PartView(pixels, source);
        // The smoothing hint would take Qt off its plain blit (see DrawImageI).
        const bool smooth = m_painter->testRenderHint(QPainter::SmoothPixmapTransform);
        if (smooth)
            m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_painter->drawImage(source.topLeft(), view);
        if (smooth)
            m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        return TStatus::Ok;
    }
    m_painter->save();
    // A clip of one rectangle keeps Qt on its plain blit, even inside a
    // paint event whose region has many.
    m_painter->setClipRect(logical, Qt::IntersectClip);
    if (oneToOne) {
        // Device pixels straight onto device pixels: the surface's own
        // scaling is undone (exactly, as it is a ratio the image carries).
        const QTransform toDevice = m_painter->worldTransform().inverted() * device;
        m_painter->setWorldTransform(QTransform::fromTranslate(device.dx(), device.dy()) * toDevice.inverted());
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QPoint origin(qRound(device.dx()), qRound(device.dy()));
        const QRect source = part.translated(-origin) & pixels.rect();
        const QImage view = PartView(pixels, source);
        if (!view.isNull())
            m_painter->drawImage(QPointF(source.topLeft() + origin) - QPointF(device.dx(), device.dy()), view);
    } else {
        m_painter->drawImage(QPointF(0, 0), pixels);
    }
    m_painter->restore();
    return TStatus::Ok;
}

TStatus TGPGraphics::TranslateTransform(float dx, float dy)
{
    if (!m_painter || !finite(dx, dy))
        return SetStatus(TStatus::InvalidParameter);
    m_painter->translate(dx, dy);
    return TStatus::Ok;
}

TStatus TGPGraphics::SetClip(const TGPRectF &rect)
{
    if (!m_painter || !finite(rect.X, rect.Y) || !finite(rect.Width, rect.Height))
        return SetStatus(TStatus::InvalidParameter);
    m_painter->setClipRect(QRectF(rect.X, rect.Y, rect.Width, rect.Height));
    return TStatus::Ok;
}
