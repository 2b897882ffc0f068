#include "gauge/DialGaugePainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeFacePainter.h"
#include "gauge/DialGaugeNeedlePainter.h"
#include "gauge/DialGaugeReadout.h"
#include "gauge/DialGaugeScalePainter.h"
#include "platform/SysErrors.h"
#include "platform/VectorDraw.h"

namespace {

constexpr QImage::Format BufferFormat = QImage::Format_ARGB32_Premultiplied;

// Qt 6.4's raster engine hands a blend of 96 spans or more (a smoothed edge
// leaves about one span per pixel it crosses in a row) to its global thread
// pool and waits for it; on two cores the hand-offs cost several times the
// blend, and limiting the pool to one thread does not avoid them. Large
// drawings that are neither solid nor vertical gradients are therefore made
// in bands of rows that stay below that; the pixels are the same.
constexpr double SpansPerBand = 80;
// Rows of the scaled face per draw: one span a row.
constexpr int ScaledBand = 64;
// Rows of the caps per draw: a circle's rows hold few spans.
constexpr int CentreBand = 12;

QSize DeviceSize(const TDialGaugeState &gauge, qreal dpr)
{
    return QSize(int(std::ceil(gauge.Width() * dpr)), int(std::ceil(gauge.Height() * dpr)));
}

// True when the image had to be (re)allocated.
bool Ensure(QImage &image, const QSize &size, qreal dpr)
{
    if (image.size() == size && image.format() == BufferFormat) {
        image.setDevicePixelRatio(dpr);
        return false;
    }
    image = QImage(size, BufferFormat);
    image.setDevicePixelRatio(dpr);
    return true;
}

// A view on rows [top, bottom) of image, sharing its pixels. The image must
// stay unshared and unresized while the view is used.
QImage RowView(QImage &image, int top, int bottom, qreal dpr)
{
    if (bottom <= top)
        return QImage();
    QImage view(image.bits() + qsizetype(top) * image.bytesPerLine(), image.width(), bottom - top,
                image.bytesPerLine(), BufferFormat);
    view.setDevicePixelRatio(dpr);
    return view;
}

QImage RectView(QImage &image, const QRect &rect, qreal dpr)
{
    if (rect.isEmpty())
        return QImage();
    QImage view(image.bits() + qsizetype(rect.top()) * image.bytesPerLine() + qsizetype(rect.left()) * 4,
                rect.width(), rect.height(), image.bytesPerLine(), BufferFormat);
    view.setDevicePixelRatio(dpr);
    return view;
}

// Spans a smoothed fill of the polygon leaves in device row y: about one per
// pixel an edge crosses in the row, one more at each end, and the inside.
double SpansInRow(const TArrayOfPointF &points, int count, qreal dpr, int y)
{
    double spans = 1;
    for (int i = 0; i < count; ++i) {
        const QPointF a = points[i] * dpr;
        const QPointF b = points[(i + 1) % count] * dpr;
        const double top = std::min(a.y(), b.y());
        const double bottom = std::max(a.y(), b.y());
        if (bottom < y || top >= y + 1)
            continue;
        const double dx = std::abs(b.x() - a.x());
        const double dy = bottom - top;
        const double overlap = std::min(bottom, y + 1.0) - std::max(top, double(y));
        spans += (dy < 1 ? dx : dx * overlap / dy) + 2;
    }
    return spans;
}

// Boundaries of bands of device rows [top, bottom) in which neither the body
// nor the shine reaches SpansPerBand; just {top, bottom} when one band does.
std::vector<int> BandRows(const TArrayOfPointF &outline, int top, int bottom, qreal dpr)
{
    std::vector<int> bounds{top};
    double body = 0;
    double shine = 0;
    for (int y = top; y < bottom; ++y) {
        const double rowBody = SpansInRow(outline, int(outline.size()), dpr, y);
        const double rowShine = SpansInRow(outline, 3, dpr, y);
        if (y > bounds.back() && (body + rowBody > SpansPerBand || shine + rowShine > SpansPerBand)) {
            bounds.push_back(y);
            body = 0;
            shine = 0;
        }
        body += rowBody;
        shine += rowShine;
    }
    bounds.push_back(bottom);
    return bounds;
}

TGPRectF SingleRect(const QRectF &rect)
{
    return TGPRectF(float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height()));
}

void Smooth(TGPGraphics &surface)
{
    surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
    surface.SetTextRenderingHint(TTextRenderingHint::AntiAlias);
}

} // namespace

TDialGaugePainter::TDialGaugePainter(const TDialGauge &gauge) : TDialGaugePainter(*TDialGaugeState::Of(&gauge)) {}

TDialGaugePainter::TDialGaugePainter(const TDialGaugeState &gauge) : m_gauge(gauge) {}

TDialGaugePainter::~TDialGaugePainter() = default;

void TDialGaugePainter::invalidate()
{
    m_cacheValid = false;
}

void TDialGaugePainter::SetCaching(bool on)
{
    m_caching = on;
    m_cacheValid = false;
    DropViews();
}

void TDialGaugePainter::DropViews()
{
    m_faceStripView = QImage();
    m_upperStripView = QImage();
    m_scaledStripView = QImage();
    m_glossView = QImage();
}

void TDialGaugePainter::paint(QPainter &painter)
{
    // Qt must never see an exception leave a paint event.
    try {
        TGPGraphics target(painter);
        Smooth(target);
        const QPaintDevice *device = painter.device();
        PaintGauge(target, device ? device->devicePixelRatio() : 1.0);
    } catch (const Exception &error) {
        Report(error);
    } catch (const std::exception &error) {
        Report(Exception(QString::fromLocal8Bit(error.what())));
    }
}

void TDialGaugePainter::Report(const Exception &error)
{
    // A window over the gauge makes it paint again: the same failure again
    // is not news. EAbort ends a handler silently.
    if (error.message() == m_lastFailure || dynamic_cast<const EAbort *>(&error))
        return;
    m_lastFailure = error.message();
    if (m_report)
        m_report(error);
}

void TDialGaugePainter::PaintGauge(TGPGraphics &target, qreal dpr)
{
    if (!EnsureBuffers(dpr))
        return;
    if (m_caching)
        PaintCached(target, dpr);
    else
        PaintStraight(target);
}

bool TDialGaugePainter::EnsureBuffers(qreal dpr)
{
    const QSize size = DeviceSize(m_gauge, dpr);
    if (size.isEmpty())
        return false;
    bool moved = Ensure(m_face, size, dpr);
    moved = Ensure(m_needleLayer, size, dpr) || moved;
    if (m_caching) {
        moved = Ensure(m_scaledFace, size, dpr) || moved;
        moved = Ensure(m_upper, size, dpr) || moved;
        moved = Ensure(m_bodyLayer, size, dpr) || moved;
    }
    // Views point into the old pixels.
    if (moved) {
        m_cacheValid = false;
        DropViews();
    }
    // Out of memory for a huge control: nothing is painted.
    const bool allocated = !m_face.isNull() && !m_needleLayer.isNull();
    return allocated && (!m_caching || (!m_scaledFace.isNull() && !m_upper.isNull() && !m_bodyLayer.isNull()));
}

// --- the straight paint --------------------------------------------------------

void TDialGaugePainter::PaintStraight(TGPGraphics &target)
{
    const QSize size = m_face.size();
    {
        TGPBitmap face(m_face, size.width(), size.height());
        {
            TGPGraphics surface(&face);
            surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
            PaintLowerLayers(surface);
            DrawReadout(surface);
            PaintUpperLayers(surface);
        }
        target.DrawImage(&face, SingleRect(m_gauge.DialRect()));
    }
    DrawNeedle(target);
}

void TDialGaugePainter::PaintLowerLayers(TGPGraphics &face)
{
    TDialGaugeFacePainter::PaintInnerCircle(face, m_gauge);
    TDialGaugeFacePainter::PaintOuterCircle(face, m_gauge);
    TDialGaugeFacePainter::PaintOuterRim(face, m_gauge);
    TDialGaugeScalePainter::PaintSections(face, m_gauge);
    TDialGaugeScalePainter::PaintScale(face, m_gauge);
    TDialGaugeScalePainter::PaintArcLayers(face, m_gauge);
    TDialGaugeFacePainter::PaintValueBox(face, m_gauge);
}

void TDialGaugePainter::DrawReadout(TGPGraphics &face)
{
    if (!TDialGaugeFacePainter::ShowsReadout(m_gauge))
        return;
    const QString format = m_gauge.ValueFormat();
    // Reported once; the rest of the dial goes on painting without digits.
    if (m_refusedFormat && *m_refusedFormat == format)
        return;
    try {
        TDialGaugeReadout::DrawValue(face, m_gauge, TDialGaugeFacePainter::DigitRect(m_gauge),
                                     m_gauge.Value());
        m_refusedFormat.reset();
    } catch (const Exception &error) {
        m_refusedFormat = format;
        m_lastFailure.clear();
        Report(error);
    } catch (const std::exception &error) {
        m_refusedFormat = format;
        m_lastFailure.clear();
        Report(Exception(QString::fromLocal8Bit(error.what())));
    }
}

void TDialGaugePainter::PaintUpperLayers(TGPGraphics &face)
{
    TDialGaugeFacePainter::PaintDialText(face, m_gauge);
    TDialGaugeFacePainter::PaintFocusCircle(face, m_gauge);
}

void TDialGaugePainter::DrawNeedle(TGPGraphics &target)
{
    const QPointF centre = m_gauge.ScaleCenter();
    TGPBitmap layer(m_needleLayer, m_needleLayer.width(), m_needleLayer.height());
    {
        TGPGraphics surface(&layer);
        Smooth(surface);
        TDialGaugeNeedlePainter::DrawNeedleBody(surface, m_gauge, m_gauge.Value());
        TDialGaugeNeedlePainter::DrawNeedleCenter(surface, m_gauge, int(centre.x()), int(centre.y()));
        TDialGaugeNeedlePainter::DrawGloss(surface, m_gauge);
    }
    target.DrawImageI(&layer, 0, 0);
}

// --- the cached paint ----------------------------------------------------------
//
// Source-over compositing regroups: the kept face (lower layers, digits,
// upper layers) drawn over the parent, then body and shine, then the kept
// caps and gloss give the straight picture to within a level of rounding
// per blend.

void TDialGaugePainter::PaintCached(TGPGraphics &target, qreal dpr)
{
    const CacheKey key = MakeKey(dpr);
    if (!m_cacheValid || !(key == m_key)) {
        m_key = key;
        BuildCache(dpr);
    }
    RedrawReadoutStrip();
    {
        const TGPBitmap face(m_scaledFace);
        target.DrawImageI(&face, 0, 0);
    }
    DrawNeedleBody(target, dpr);
    const TGPBitmap gloss(m_glossView);
    target.DrawImageI(&gloss, m_glossOrigin.x(), m_glossOrigin.y());
}

void TDialGaugePainter::BuildCache(qreal dpr)
{
    ++m_cacheBuilds;
    m_cacheValid = true;
    DropViews();
    const int width = m_face.width();
    const int height = m_face.height();

    // Rows the digits can reach: the cell height is the digit rectangle's
    // height rounded, plus smoothing.
    const QRectF digits = TDialGaugeFacePainter::DigitRect(m_gauge);
    const double cellBottom = digits.top() + std::max(digits.height(), std::nearbyint(digits.height()));
    m_stripTop = std::clamp(int(std::floor((digits.top() - 2) * dpr)), 0, height);
    m_stripBottom = std::clamp(int(std::ceil((cellBottom + 2) * dpr)), m_stripTop, height);
    // Scaled rows that sample those rows, with a margin for the filter.
    const double scale = m_gauge.Height() > 0 ? double(m_gauge.DialHeight()) / m_gauge.Height() : 1.0;
    const double offset = m_gauge.DialTop() * dpr;
    m_scaledTop = std::clamp(int(std::floor(offset + m_stripTop * scale)) - 2, 0, height);
    m_scaledBottom = std::clamp(int(std::ceil(offset + m_stripBottom * scale)) + 2, m_scaledTop, height);

    {
        TGPBitmap face(m_face, width, height);
        TGPGraphics surface(&face);
        surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
        PaintLowerLayers(surface);
    }
    const QSize stripSize(width, m_stripBottom - m_stripTop);
    if (m_lowerStrip.size() != stripSize && !stripSize.isEmpty())
        m_lowerStrip = QImage(stripSize, BufferFormat);
    if (!stripSize.isEmpty())
        std::memcpy(m_lowerStrip.bits(), m_face.constScanLine(m_stripTop),
                    std::size_t(m_lowerStrip.sizeInBytes()));

    m_hasUpper = TDialGaugeFacePainter::HasUpperLayers(m_gauge);
    if (m_hasUpper) {
        TGPBitmap upper(m_upper, width, height);
        {
            TGPGraphics surface(&upper);
            surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
            PaintUpperLayers(surface);
        }
        TGPGraphics surface(&m_face);
        surface.DrawImageI(&upper, 0, 0);
    }

    // In bands (see ScaledBand); each samples the whole face, so no seams.
    for (int top = 0; top < height; top += ScaledBand) {
        QImage band = RowView(m_scaledFace, top, std::min(top + ScaledBand, height), dpr);
        DrawScaledFace(band, top);
    }

    m_needleLayer.fill(0);
    // The caps in bands (see CentreBand), the gloss over them whole.
    const QPointF centre = m_gauge.ScaleCenter();
    const QRect caps = TDialGaugeNeedlePainter::CentreBounds(m_gauge).toAlignedRect();
    const int capsTop = std::clamp(int(std::floor(caps.top() * dpr)), 0, height);
    const int capsBottom = std::clamp(int(std::ceil((caps.bottom() + 1) * dpr)), capsTop, height);
    for (int top = capsTop; top < capsBottom; top += CentreBand) {
        QImage rows = RowView(m_needleLayer, top, std::min(top + CentreBand, capsBottom), dpr);
        TGPGraphics surface(&rows);
        Smooth(surface);
        TDialGaugeNeedlePainter::DrawNeedleCenter(surface, m_gauge, int(centre.x()), int(centre.y()),
                                                  float(top / dpr));
    }
    {
        TGPGraphics surface(&m_needleLayer);
        Smooth(surface);
        TDialGaugeNeedlePainter::DrawGloss(surface, m_gauge);
    }
    // Only where caps and gloss can be, on whole logical pixels so that it
    // is drawn one to one; at a ratio that does not allow that, whole.
    const QRect logical = TDialGaugeNeedlePainter::CentreAndGlossBounds(m_gauge).toAlignedRect();
    const QRectF device(logical.x() * dpr, logical.y() * dpr, logical.width() * dpr, logical.height() * dpr);
    m_glossOrigin = QPoint(0, 0);
    m_glossView = RectView(m_needleLayer, m_needleLayer.rect(), dpr);
    if (device.toRect() == device && m_needleLayer.rect().contains(device.toRect())) {
        m_glossOrigin = logical.topLeft();
        m_glossView = RectView(m_needleLayer, device.toRect(), dpr);
    }

    m_faceStripView = RowView(m_face, m_stripTop, m_stripBottom, dpr);
    m_upperStripView = RowView(m_upper, m_stripTop, m_stripBottom, dpr);
    m_scaledStripView = RowView(m_scaledFace, m_scaledTop, m_scaledBottom, dpr);
}

void TDialGaugePainter::RedrawReadoutStrip()
{
    // Without a read-out the kept face is already whole.
    if (m_faceStripView.isNull() || !TDialGaugeFacePainter::ShowsReadout(m_gauge))
        return;
    std::memcpy(m_faceStripView.bits(), m_lowerStrip.constBits(), std::size_t(m_lowerStrip.sizeInBytes()));
    {
        TGPGraphics surface(&m_face);
        surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
        DrawReadout(surface);
    }
    if (m_hasUpper) {
        TGPGraphics surface(&m_faceStripView);
        const TGPBitmap upper(m_upperStripView);
        surface.DrawImageI(&upper, 0, 0);
    }
    if (!m_scaledStripView.isNull())
        DrawScaledFace(m_scaledStripView, m_scaledTop);
}

void TDialGaugePainter::DrawScaledFace(QImage &rows, int top)
{
    std::memset(rows.bits(), 0, std::size_t(rows.sizeInBytes()));
    TGPGraphics surface(&rows);
    Smooth(surface);
    const TGPBitmap face(m_face);
    const QRectF dial = m_gauge.DialRect();
    const qreal dpr = rows.devicePixelRatio();
    surface.DrawImage(&face, float(dial.x()), float(dial.y() - top / dpr), float(dial.width()),
                      float(dial.height()));
}

// The shine's gradient runs along the needle, so it is a generic blend (see
// SpansPerBand). Where one blend would get too many spans, body and shine are
// drawn in bands of rows into a layer of their own, then the layer over target.
void TDialGaugePainter::DrawNeedleBody(TGPGraphics &target, qreal dpr)
{
    const double value = m_gauge.Value();
    const TArrayOfPointF outline = m_gauge.NeedleOutline(value);
    const QRect logical = QPolygonF(outline)
                              .boundingRect()
                              .adjusted(-2, -2, 2, 2)
                              .toAlignedRect()
                              .intersected(QRect(0, 0, m_gauge.Width(), m_gauge.Height()));
    // Bands need the layer's rows on whole logical pixels.
    const std::vector<int> bands = logical.isEmpty() || dpr != std::floor(dpr)
        ? std::vector<int>()
        : BandRows(outline, int(logical.top() * dpr), int((logical.bottom() + 1) * dpr), dpr);
    if (bands.size() < 3) {
        TDialGaugeNeedlePainter::DrawNeedleBody(target, m_gauge, value);
        return;
    }
    const QRect device(int(logical.x() * dpr), bands.front(), int(logical.width() * dpr),
                       bands.back() - bands.front());
    for (int y = device.top(); y <= device.bottom(); ++y)
        std::memset(m_bodyLayer.scanLine(y) + qsizetype(device.left()) * 4, 0, std::size_t(device.width()) * 4);
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
        QImage rows = RowView(m_bodyLayer, bands[i], bands[i + 1], dpr);
        TGPGraphics surface(&rows);
        Smooth(surface);
        TDialGaugeNeedlePainter::DrawNeedleBody(surface, m_gauge, value, float(bands[i] / dpr));
    }
    const TGPBitmap layer(RectView(m_bodyLayer, device, dpr));
    target.DrawImageI(&layer, logical.x(), logical.y());
}

// --- cache key -------------------------------------------------------------------

TDialGaugePainter::CacheKey TDialGaugePainter::MakeKey(qreal dpr) const
{
    CacheKey key;
    std::vector<double> &n = key.numbers;
    n.reserve(96);
    const TDialGaugeState &g = m_gauge;
    // A colour as it will be drawn, system colours resolved; clNone apart.
    auto colour = [&n](int opacity, TColor color) {
        n.push_back(color == clNone ? -1.0 : double(ArgbFromColor(opacity, color)));
    };
    auto font = [&](const TDialGaugeFont &f) {
        key.texts.push_back(f.Name());
        n.push_back(f.Size());
        n.push_back(double(f.Style().toInt()));
        colour(255, f.Color());
    };

    n.insert(n.end(), {dpr, double(g.Width()), double(g.Height()), double(g.DialLeft()),
                       double(g.DialTop()), double(g.DialWidth()), double(g.DialHeight())});
    const QRectF dial = g.DialRect();
    n.insert(n.end(), {dial.x(), dial.y(), dial.width(), dial.height()});

    colour(g.InnerCircle()->Opacity(), g.InnerCircle()->Color());
    colour(g.OuterCircle()->Opacity(), g.OuterCircle()->Color());
    n.push_back(g.OuterCircle()->Width());
    colour(g.OuterRim()->Opacity(), g.OuterRim()->Color());
    n.push_back(g.OuterRim()->Width());

    const TDialGaugeSections &sections = *g.Sections();
    n.push_back(sections.Count());
    for (int i = 0; i < sections.Count(); ++i) {
        const TDialGaugeSection &s = *sections.Items(i);
        colour(s.Opacity(), s.Color());
        n.insert(n.end(), {g.ValueToAngle(s.StartValue()), g.ValueToAngle(s.EndValue()),
                           double(s.OuterMargin()), double(s.InnerMargin())});
    }

    // The scale table follows from these and the dial's geometry.
    n.insert(n.end(), {double(g.MinimumValue()), double(g.MaximumValue()), double(g.Arc()->StartAngle()),
                       double(g.Arc()->StopAngle()), double(g.DivisionCount()),
                       double(g.SubDivisionCount()), double(g.DivisionWidth()),
                       double(g.SubDivisionWidth())});
    colour(255, g.DivisionColor());
    colour(255, g.SubDivisionColor());
    font(*g.ValueFont());

    const TDialGaugeArc &arc = *g.Arc();
    const TDialGaugeThreshold &threshold = *arc.Threshold();
    colour(arc.Opacity(), arc.Color());
    colour(threshold.Opacity(), threshold.Color());
    n.insert(n.end(), {double(threshold.ThresholdKind()), double(threshold.StartAngle()),
                       double(threshold.SweepAngle()), g.ValueToAngle(threshold.StartValue()),
                       g.ValueToAngle(threshold.EndValue()), g.ThresholdBandStart(),
                       g.ThresholdBandSweep()});
    const QRectF arcRect = g.ArcRect();
    n.insert(n.end(), {arcRect.x(), arcRect.y(), arcRect.width(), arcRect.height()});

    const TDialGaugeDigit &digit = *g.Digit();
    n.push_back(digit.Visible());
    colour(digit.BackGroundOpacity(), digit.BackGroundColor());
    key.texts.push_back(g.DialText());
    font(*g.Font());
    n.push_back(g.TabStop());
    n.push_back(g.HasFocus());

    const TDialGaugeNeedle &needle = *g.Needle();
    colour(needle.OuterCenterOpacity(), needle.OuterCenterColor());
    colour(needle.OuterCenterOpacity(), needle.OuterCenterColorTo());
    colour(needle.InnerCenterOpacity(), needle.InnerCenterColor());
    colour(needle.InnerCenterOpacity(), needle.InnerCenterColorTo());
    const TDialGaugeGloss &gloss = *g.InnerCircle()->Gloss();
    colour(gloss.Opacity(), gloss.Color());
    return key;
}
