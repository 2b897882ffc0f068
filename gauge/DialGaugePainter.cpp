// SPDX-License-Identifier: MIT
#include "gauge/DialGaugePainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QScopeGuard>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeFirstFrame.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeFacePainter.h"
#include "gauge/DialGaugeNeedlePainter.h"
#include "gauge/DialGaugeReadout.h"
#include "gauge/DialGaugeScalePainter.h"
#include "platform/NumberText.h"
#include "platform/PixelCompose.h"
#include "platform/SmoothScale.h"
#include "platform/SysErrors.h"
#include "platform/VectorDraw.h"

namespace {

constexpr QImage::Format BufferFormat = QImage::Format_ARGB32_Premultiplied;

// Qt 6.4's raster engine hands a blend of 96 spans or more (a smoothed edge
// leaves about one span per pixel it crosses in a row) to its global thread
// pool and waits for it; on two busy cores the hand-offs cost many times the
// blend, and limiting the pool to one thread does not avoid them. Opaque
// solid fills and vertical gradients never take that path; where the face
// cannot be scaled without a painter, it is drawn in bands of rows that stay
// below it, each row drawn exactly as the whole face draws it.
// Rows of the scaled face per draw: one span a row.
constexpr int ScaledBand = 64;
// Rows per rectangle of the needle's extent: thin bands keep the
// rectangles close around a slanting needle.
constexpr int NeedleBand = 4;
// Smoothing reaches this far (device pixels) beyond a shape's outline.
constexpr int Fringe = 2;
// Read-out cells kept drawn: every digit in every place of a six-place
// read-out, before all are dropped.
constexpr std::size_t KeptCellPictures = 64;

// A view on part of image, sharing its pixels, at the given ratio. The image
// must stay unshared and unresized while the view is used.
QImage View(QImage &image, const QRect &rect, qreal dpr = 1)
{
    const QRect part = rect & image.rect();
    if (part.isEmpty())
        return QImage();
    QImage view(image.bits() + qsizetype(part.top()) * image.bytesPerLine() + qsizetype(part.left()) * 4,
                part.width(), part.height(), image.bytesPerLine(), BufferFormat);
    view.setDevicePixelRatio(dpr);
    return view;
}


using PixelCompose::Clear;
using PixelCompose::Copy;

// True when the image had to be (re)allocated.
bool Ensure(QImage &image, const QSize &size)
{
    if (image.size() == size && image.format() == BufferFormat)
        return false;
    // Every user writes the pixels it reads first.
    image = QImage(size, BufferFormat);
    return true;
}

// A polygon's edges in device coordinates, upper end first, each with its
// slope worked out once: a needle is asked for the columns of many bands.
struct TDeviceEdge
{
    QPointF a, b;
    double slope;
};

std::vector<TDeviceEdge> DeviceEdges(const TArrayOfPointF &points, qreal dpr)
{
    std::vector<TDeviceEdge> edges;
    const int n = int(points.size());
    edges.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        QPointF a = points[i] * dpr;
        QPointF b = points[(i + 1) % n] * dpr;
        if (a.y() > b.y())
            std::swap(a, b);
        edges.push_back({a, b, b.y() == a.y() ? 0.0 : (b.x() - a.x()) / (b.y() - a.y())});
    }
    return edges;
}

// The x-range (device) of the polygon's part in device rows [top, bottom).
std::pair<double, double> ColumnsInRows(const std::vector<TDeviceEdge> &edges, int top, int bottom)
{
    double left = HUGE_VAL;
    double right = -HUGE_VAL;
    for (const TDeviceEdge &edge : edges) {
        const QPointF &a = edge.a;
        const QPointF &b = edge.b;
        if (b.y() < top || a.y() > bottom)
            continue;
        if (b.y() == a.y()) {
            left = std::min({left, a.x(), b.x()});
            right = std::max({right, a.x(), b.x()});
            continue;
        }
        for (const double y : {std::max<double>(top, a.y()), std::min<double>(bottom, b.y())}) {
            const double x = a.x() + (y - a.y()) * edge.slope;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return {left, right};
}

bool SameCell(const TDialGaugeReadout::TCell &a, const TDialGaugeReadout::TCell &b)
{
    return a.Character == b.Character && a.PointAfter == b.PointAfter && a.Origin.X == b.Origin.X
        && a.Origin.Y == b.Origin.Y;
}

TGPRectF SingleRect(const QRectF &rect)
{
    return TGPRectF(float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height()));
}

// image's pixels within rect are those of part.
bool SamePixels(const QImage &image, const QRect &rect, const QImage &part)
{
    if (part.size() != rect.size() || !image.rect().contains(rect))
        return false;
    const std::size_t bytes = std::size_t(rect.width()) * 4;
    for (int y = 0; y < rect.height(); ++y) {
        if (std::memcmp(image.constScanLine(rect.top() + y) + std::size_t(rect.left()) * 4, part.constScanLine(y),
                        bytes) != 0)
            return false;
    }
    return true;
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
    for (TKept &kept : m_kept)
        kept.valid = false;
    m_belowLayer = LayerCount;
    m_framed = false;
    m_cellPictures.clear();
    m_scaledCells.clear();
    m_faceStale = QRect();
}

void TDialGaugePainter::SetCaching(bool on)
{
    m_caching = on;
    invalidate();
}

quint64 TDialGaugePainter::CacheBuildCount() const
{
    quint64 builds = 0;
    for (const TKept &kept : m_kept)
        builds += kept.builds;
    return builds;
}

QSize TDialGaugePainter::LogicalSize() const
{
    return QSize(m_gauge.Width(), m_gauge.Height());
}

void TDialGaugePainter::paint(QPainter &painter)
{
    // Qt must never see an exception leave a paint event.
    try {
        TGPGraphics target(painter);
        Smooth(target);
        const QPaintDevice *device = painter.device();
        PaintGauge(target, device ? device->devicePixelRatio() : 1.0, nullptr);
    } catch (const Exception &error) {
        Report(error);
    } catch (const std::exception &error) {
        Report(Exception(QString::fromLocal8Bit(error.what())));
    }
}

void TDialGaugePainter::paint(QPainter &painter, const QRegion &region)
{
    try {
        TGPGraphics target(painter);
        Smooth(target);
        const QPaintDevice *device = painter.device();
        PaintGauge(target, device ? device->devicePixelRatio() : 1.0, &region);
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

void TDialGaugePainter::PaintGauge(TGPGraphics &target, qreal dpr, const QRegion *region)
{
    // Used by the first paint at a size. One that went stale is dropped
    // once its thread is done, never waited for.
    std::unique_ptr<TDialGaugeFirstFrame> prepared = std::move(m_firstFrame);
    const auto park = qScopeGuard([this, &prepared] {
        if (prepared && !prepared->Finished())
            m_firstFrame = std::move(prepared);
    });
    if (m_caching && m_straightFirst && Cold(dpr)) {
        // Nothing kept at this size yet. Making every layer's pixels costs
        // many times a straight paint, most of it the system handing out
        // fresh memory, which at start-up delays the first window: the
        // first picture is painted straight, and the layers are made at
        // the next paint or when the host warms them up.
        m_caching = false;
        const bool sized = EnsureBuffers(dpr);
        m_caching = true;
        if (sized) {
            QImage face;
            QImage needle;
            if (prepared && prepared->Take(m_gauge, dpr, face, needle)) {
                LayStraightFace(target, face);
                LayStraightNeedle(target, needle);
                ++m_firstFramesLaid;
            } else {
                PaintStraight(target);
            }
            m_straightSize = m_deviceSize;
            m_warmUpWanted = true;
        }
        return;
    }
    if (!EnsureBuffers(dpr))
        return;
    if (m_caching)
        PaintCached(&target, dpr, region);
    else
        PaintStraight(target);
}

bool TDialGaugePainter::Cold(qreal dpr) const
{
    const QSize logical = LogicalSize();
    const QSize size(int(std::ceil(logical.width() * dpr)), int(std::ceil(logical.height() * dpr)));
    return m_frame.size() != size && m_straightSize != size;
}

bool TDialGaugePainter::TakeWarmUpWish()
{
    return std::exchange(m_warmUpWanted, false);
}

void TDialGaugePainter::WarmUp()
{
    if (!m_caching || m_frame.size() == m_deviceSize || m_deviceSize.isEmpty())
        return;
    try {
        if (EnsureBuffers(m_dpr))
            PaintCached(nullptr, m_dpr, nullptr);
    } catch (const Exception &error) {
        Report(error);
    } catch (const std::exception &error) {
        Report(Exception(QString::fromLocal8Bit(error.what())));
    }
}

bool TDialGaugePainter::EnsureBuffers(qreal dpr)
{
    const QSize logical = LogicalSize();
    const QSize size(int(std::ceil(logical.width() * dpr)), int(std::ceil(logical.height() * dpr)));
    if (size.isEmpty())
        return false;
    if (size != m_deviceSize || dpr != m_dpr)
        invalidate();
    m_deviceSize = size;
    m_dpr = dpr;
    bool allocated;
    if (!m_caching) {
        // Made at each paint by TGPBitmap, which reuses what fits.
        allocated = true;
    } else {
        // The layers' own images are made when a layer draws something.
        bool moved = false;
        for (QImage *image : {&m_faceBase, &m_face, &m_scaled, &m_still, &m_frame, &m_needleGroup})
            moved = Ensure(*image, size) || moved;
        if (moved)
            invalidate();
        allocated = !m_frame.isNull() && !m_needleGroup.isNull() && !m_faceBase.isNull() && !m_face.isNull()
            && !m_scaled.isNull() && !m_still.isNull();
    }
    // Out of memory for a huge control: nothing is painted.
    return allocated;
}

// --- the straight paint --------------------------------------------------------

void TDialGaugePainter::PaintStraight(TGPGraphics &target)
{
    // One buffer for both layers: the face is laid before the needle is drawn.
    DrawStraightFace(m_straightLayer);
    LayStraightFace(target, m_straightLayer);
    DrawStraightNeedle(m_straightLayer);
    LayStraightNeedle(target, m_straightLayer);
}

void TDialGaugePainter::DrawStraightFace(QImage &buffer)
{
    TGPBitmap face(buffer, m_deviceSize.width(), m_deviceSize.height());
    buffer.setDevicePixelRatio(m_dpr);
    TGPGraphics surface(&face);
    surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
    PaintLowerLayers(surface);
    DrawReadout(surface);
    PaintUpperLayers(surface);
}

void TDialGaugePainter::DrawStraightNeedle(QImage &buffer)
{
    const QPointF centre = m_gauge.ScaleCenter();
    TGPBitmap layer(buffer, m_deviceSize.width(), m_deviceSize.height());
    buffer.setDevicePixelRatio(m_dpr);
    TGPGraphics surface(&layer);
    Smooth(surface);
    TDialGaugeNeedlePainter::DrawNeedleBody(surface, m_gauge, m_gauge.Value());
    TDialGaugeNeedlePainter::DrawNeedleCenter(surface, m_gauge, int(centre.x()), int(centre.y()));
    TDialGaugeNeedlePainter::DrawGloss(surface, m_gauge);
}

void TDialGaugePainter::LayStraightFace(TGPGraphics &target, const QImage &face) const
{
    const TGPBitmap bitmap(face);
    target.DrawImage(&bitmap, SingleRect(m_gauge.DialRect()));
}

void TDialGaugePainter::LayStraightNeedle(TGPGraphics &target, const QImage &needle)
{
    const TGPBitmap bitmap(needle);
    target.DrawImageI(&bitmap, 0, 0);
}

bool TDialGaugePainter::DrawStraightLayers(qreal dpr, QImage &face, QImage &needle)
{
    m_caching = false;
    if (!EnsureBuffers(dpr))
        return false;
    DrawStraightFace(face);
    DrawStraightNeedle(needle);
    return !face.isNull() && !needle.isNull() && !m_refusedFormat && m_lastFailure.isEmpty();
}

void TDialGaugePainter::PrepareFirstPaint(qreal dpr)
{
    m_firstFrame.reset();
    if (!m_caching || !m_straightFirst || !Cold(dpr))
        return;
    auto frame = std::make_unique<TDialGaugeFirstFrame>(m_gauge, dpr);
    if (frame->Started())
        m_firstFrame = std::move(frame);
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

// --- the cached paint ----------------------------------------------------------
//
// Source-over compositing regroups: the layers composed in their order, the
// needle's body and shine over the scaled face and the caps and gloss over
// those give the straight picture to within a level of rounding per blend.

void TDialGaugePainter::PaintCached(TGPGraphics *target, qreal dpr, const QRegion *region)
{
    bool faceChanged = false;
    TLayer lowest = LayerCount;
    for (const TLayer layer : {lyDisc, lyRing, lyRim, lySections, lyScale, lyArc, lyBox}) {
        if (Refresh(layer, dpr) && !faceChanged) {
            faceChanged = true;
            lowest = layer;
        }
    }
    if (faceChanged)
        ComposeFaceBase(lowest);
    faceChanged = Refresh(lyUpper, dpr) || faceChanged;
    const bool digitsChanged = Refresh(lyDigits, dpr);
    const bool capsChanged = Refresh(lyCaps, dpr);

    const double value = m_gauge.Value();
    std::vector<TDialGaugeReadout::TCell> cells = LayoutCells(value);
    if (faceChanged || !m_framed) {
        m_shownCells = std::move(cells);
        ComposeFace(QRect());
        Rescale(QRect());
        ComposeStill(QRect());
        m_framed = false;
    } else if (digitsChanged || capsChanged || !ReplaceScaledCells(cells)) {
        // The read-out's cells that differ, old and new.
        QRect changed;
        const std::size_t count = std::max(cells.size(), m_shownCells.size());
        for (std::size_t i = 0; i < count; ++i) {
            const bool same = !digitsChanged && i < cells.size() && i < m_shownCells.size()
                && SameCell(cells[i], m_shownCells[i]);
            if (same)
                continue;
            if (i < cells.size())
                changed |= CellRect(cells[i]);
            if (i < m_shownCells.size())
                changed |= CellRect(m_shownCells[i]);
        }
        m_shownCells = std::move(cells);
        if (digitsChanged) {
            m_cellPictures.clear();
            m_scaledCells.clear();
        }
        // The scaled face samples around what changed: the face there must
        // show the cells it shows.
        const QRect composed = m_faceStale.isNull() ? changed : changed | m_faceStale;
        if (capsChanged) {
            ComposeFace(composed);
            m_faceStale = QRect();
            Rescale(changed.isEmpty() ? QRect(0, 0, 0, 0) : changed);
            ComposeStill(QRect());
            m_framed = false;
        } else if (!changed.isEmpty()) {
            ComposeFace(composed);
            m_faceStale = QRect();
            const QRect scaled = Rescale(changed);
            ShowScaled(scaled);
        }
    }

    MakeKey(TLayer(LayerCount), dpr, m_scratchKey);
    const bool needleLook = !(m_scratchKey == m_needleKey);
    if (!m_framed) {
        Copy(m_frame, m_still, m_frame.rect());
        m_needleRects.clear();
        DrawNeedleIntoFrame(value);
    } else if (needleLook || !(value == m_framedValue)) {
        for (const QRect &rect : m_needleRects)
            RestoreFrame(rect);
        DrawNeedleIntoFrame(value);
    }
    if (needleLook)
        std::swap(m_needleKey, m_scratchKey);
    m_framed = true;
    m_framedValue = value;

    if (!target)
        return;
    // Qt's blit is SSE code too.
    PixelCompose::SettleRegisters();
    m_frame.setDevicePixelRatio(dpr);
    {
        // Gone before the ratio is set back: a ratio set on a shared image
        // copies all of its pixels.
        const TGPBitmap frame(m_frame);
        const QRect whole(QPoint(0, 0), LogicalSize());
        if (!region) {
            // Outside the dial the face is scaled into, the caps and gloss,
            // and the needle, the frame is transparent and lays nothing on
            // the target.
            QRectF content = m_gauge.DialRect().normalized() | TDialGaugeNeedlePainter::CentreAndGlossBounds(m_gauge);
            for (const QRect &rect : m_needleRects)
                content |= QRectF(rect.x() / dpr, rect.y() / dpr, rect.width() / dpr, rect.height() / dpr);
            const QRect shown = content.adjusted(-1, -1, 1, 1).toAlignedRect() & whole;
            if (!shown.isEmpty())
                target->DrawImagePart(&frame, TGPRect(shown.x(), shown.y(), shown.width(), shown.height()));
        } else {
            for (const QRect &rect : *region) {
                const QRect part = rect & whole;
                if (!part.isEmpty())
                    target->DrawImagePart(&frame, TGPRect(part.x(), part.y(), part.width(), part.height()));
            }
        }
    }
    m_frame.setDevicePixelRatio(1);
}

// --- layer keys --------------------------------------------------------------------
//
// LayerCount stands for the needle's body and shine, drawn at every frame
// but kept in the frame while nothing of it changes.

void TDialGaugePainter::MakeKey(TLayer layer, qreal dpr, TKey &key) const
{
    std::vector<double> &n = key.numbers;
    n.clear();
    key.texts.clear();
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
    // Every layer depends on the size and the dial's place.
    n.insert(n.end(), {dpr, double(g.Width()), double(g.Height()), double(g.DialLeft()), double(g.DialTop()),
                       double(g.DialWidth()), double(g.DialHeight())});
    // The scale's angles, as sections, scale, arc and needle map values.
    auto angles = [&] {
        n.insert(n.end(), {double(g.MinimumValue()), double(g.MaximumValue()), double(g.Arc()->StartAngle()),
                           double(g.Arc()->StopAngle())});
    };

    switch (layer) {
    case lyDisc:
        colour(g.InnerCircle()->Opacity(), g.InnerCircle()->Color());
        break;
    case lyRing:
        colour(g.OuterCircle()->Opacity(), g.OuterCircle()->Color());
        n.push_back(g.OuterCircle()->Width());
        break;
    case lyRim:
        colour(g.OuterRim()->Opacity(), g.OuterRim()->Color());
        n.push_back(g.OuterRim()->Width());
        break;
    case lySections: {
        angles();
        const TDialGaugeSections &sections = *g.Sections();
        n.push_back(sections.Count());
        for (int i = 0; i < sections.Count(); ++i) {
            const TDialGaugeSection &s = *sections.Items(i);
            colour(s.Opacity(), s.Color());
            n.insert(n.end(), {s.StartValue(), s.EndValue(), double(s.OuterMargin()), double(s.InnerMargin())});
        }
        break;
    }
    case lyScale:
        // The scale table follows from these and the dial's geometry.
        angles();
        n.insert(n.end(), {double(g.DivisionCount()), double(g.SubDivisionCount()), double(g.DivisionWidth()),
                           double(g.SubDivisionWidth())});
        colour(255, g.DivisionColor());
        colour(255, g.SubDivisionColor());
        font(*g.ValueFont());
        // Labels are written with the regional decimal symbol.
        key.texts.push_back(QString(DecimalSeparator()));
        break;
    case lyArc: {
        angles();
        const TDialGaugeArc &arc = *g.Arc();
        const TDialGaugeThreshold &threshold = *arc.Threshold();
        colour(arc.Opacity(), arc.Color());
        colour(threshold.Opacity(), threshold.Color());
        n.insert(n.end(), {double(threshold.ThresholdKind()), double(threshold.StartAngle()),
                           double(threshold.SweepAngle()), threshold.StartValue(), threshold.EndValue(),
                           g.ThresholdBandStart(), g.ThresholdBandSweep()});
        const QRectF arcRect = g.ArcRect();
        n.insert(n.end(), {arcRect.x(), arcRect.y(), arcRect.width(), arcRect.height()});
        break;
    }
    case lyBox: {
        const TDialGaugeDigit &digit = *g.Digit();
        n.push_back(TDialGaugeFacePainter::ShowsReadout(g));
        colour(digit.BackGroundOpacity(), digit.BackGroundColor());
        break;
    }
    case lyUpper:
        n.push_back(g.Digit()->Visible());
        key.texts.push_back(g.DialText());
        font(*g.Font());
        n.push_back(g.TabStop() && g.HasFocus());
        break;
    case lyDigits:
        // Only what a cell's picture reads; the text and its places are
        // laid out at every paint.
        colour(255, g.Digit()->Color());
        colour(40, g.InnerCircle()->Color());
        break;
    case lyCaps: {
        const TDialGaugeNeedle &needle = *g.Needle();
        colour(needle.OuterCenterOpacity(), needle.OuterCenterColor());
        colour(needle.OuterCenterOpacity(), needle.OuterCenterColorTo());
        colour(needle.InnerCenterOpacity(), needle.InnerCenterColor());
        colour(needle.InnerCenterOpacity(), needle.InnerCenterColorTo());
        const TDialGaugeGloss &gloss = *g.InnerCircle()->Gloss();
        colour(gloss.Opacity(), gloss.Color());
        break;
    }
    case LayerCount: {
        angles();
        const TDialGaugeNeedle &needle = *g.Needle();
        colour(255, needle.Color());
        colour(255, needle.ShineColor());
        colour(255, needle.ShineColorTo());
        break;
    }
    }
}

bool TDialGaugePainter::Refresh(TLayer layer, qreal dpr)
{
    TKept &kept = m_kept[std::size_t(layer)];
    MakeKey(layer, dpr, m_scratchKey);
    if (kept.valid && m_scratchKey == kept.key)
        return false;
    std::swap(kept.key, m_scratchKey);
    kept.valid = true;
    ++kept.builds;
    BuildLayer(layer, dpr);
    if (kept.empty || layer == lyDigits)
        kept.occupied.Reset();
    else
        kept.occupied.Measure(kept.image);
    return true;
}

void TDialGaugePainter::BuildLayer(TLayer layer, qreal dpr)
{
    TKept &kept = m_kept[std::size_t(layer)];
    const TDialGaugeState &g = m_gauge;
    if (layer == lyDigits) {
        // Drawn at every change of the read-out; kept is only its look.
        kept.empty = false;
        return;
    }
    // A layer that draws nothing is left out of every composition and
    // needs no pixels; one without memory for them draws nothing either.
    kept.empty = LayerEmpty(layer);
    if (!kept.empty) {
        Ensure(kept.image, m_deviceSize);
        kept.empty = kept.image.isNull();
    }
    if (kept.empty)
        return;
    kept.image.fill(0);
    if (layer == lyCaps) {
        // Each part in an image of its own: over the needle they go one
        // after the other, as the straight paint draws them there (a soft
        // edge over a soft edge rounds differently once grouped).
        const QPointF centre = g.ScaleCenter();
        for (std::size_t part = 0; part < m_capParts.size(); ++part) {
            QImage &image = m_capParts[part];
            if (!m_capPartUsed[part])
                continue;
            Ensure(image, m_deviceSize);
            if (image.isNull()) {
                m_capPartUsed[part] = false;
                continue;
            }
            image.fill(0);
            QImage pixels = View(image, image.rect(), dpr);
            TGPGraphics surface(&pixels);
            Smooth(surface);
            if (part == 0)
                TDialGaugeNeedlePainter::DrawOuterCap(surface, g, int(centre.x()), int(centre.y()));
            else if (part == 1)
                TDialGaugeNeedlePainter::DrawInnerCap(surface, g, int(centre.x()), int(centre.y()));
            else
                TDialGaugeNeedlePainter::DrawGloss(surface, g);
            m_capPartOccupied[part].Measure(image);
        }
        // The parts drawn over each other give what drawing them into one
        // image gives.
        for (std::size_t part = 0; part < m_capParts.size(); ++part)
            if (m_capPartUsed[part])
                PixelCompose::Over(kept.image, m_capParts[part], kept.image.rect());
        return;
    }

    QImage pixels = View(kept.image, kept.image.rect(), dpr);
    TGPGraphics surface(&pixels);
    surface.SetSmoothingMode(TSmoothingMode::AntiAlias);
    switch (layer) {
    case lyDisc:
        TDialGaugeFacePainter::PaintInnerCircle(surface, g);
        break;
    case lyRing:
        TDialGaugeFacePainter::PaintOuterCircle(surface, g);
        break;
    case lyRim:
        TDialGaugeFacePainter::PaintOuterRim(surface, g);
        break;
    case lySections:
        TDialGaugeScalePainter::PaintSections(surface, g);
        break;
    case lyScale:
        TDialGaugeScalePainter::PaintScale(surface, g);
        break;
    case lyArc:
        TDialGaugeScalePainter::PaintArcLayers(surface, g);
        break;
    case lyBox:
        TDialGaugeFacePainter::PaintValueBox(surface, g);
        break;
    case lyUpper:
        PaintUpperLayers(surface);
        break;
    case lyDigits:
    case lyCaps:
    case LayerCount:
        break;
    }
}

bool TDialGaugePainter::LayerEmpty(TLayer layer)
{
    const TDialGaugeState &g = m_gauge;
    switch (layer) {
    case lyDisc:
        return g.InnerCircle()->Color() == clNone;
    case lyRing:
        return g.OuterCircle()->Color() == clNone;
    case lyRim:
        return g.OuterRim()->Color() == clNone;
    case lySections:
        for (int i = 0; i < g.Sections()->Count(); ++i) {
            if (g.Sections()->Items(i)->Color() != clNone)
                return false;
        }
        return true;
    case lyScale:
        // The labels have no switch.
        return false;
    case lyArc:
        return g.Arc()->Color() == clNone && g.Arc()->Threshold()->Color() == clNone;
    case lyBox:
        return !TDialGaugeFacePainter::ShowsReadout(g);
    case lyUpper:
        return !TDialGaugeFacePainter::HasUpperLayers(g);
    case lyCaps: {
        const TDialGaugeNeedle &needle = *g.Needle();
        m_capPartUsed = {needle.OuterCenterColor() != clNone && needle.OuterCenterColorTo() != clNone,
                         needle.InnerCenterColor() != clNone && needle.InnerCenterColorTo() != clNone,
                         g.InnerCircle()->Gloss()->Color() != clNone};
        return !m_capPartUsed[0] && !m_capPartUsed[1] && !m_capPartUsed[2];
    }
    case lyDigits:
    case LayerCount:
        break;
    }
    return false;
}

void TDialGaugePainter::ComposeFaceBase(TLayer lowest)
{
    // What the layers below the lowest changed one compose to is kept: when
    // the same layer changes again (a property animated, colours tried one
    // after another) it is copied rather than composed again.
    bool first = true;
    const bool reuse = m_belowLayer == lowest && m_below.size() == m_faceBase.size();
    if (reuse) {
        Copy(m_faceBase, m_below, m_faceBase.rect());
        first = false;
    } else {
        m_belowLayer = LayerCount;
    }
    for (const TLayer layer : {lyDisc, lyRing, lyRim, lySections, lyScale, lyArc, lyBox}) {
        if (reuse && layer < lowest)
            continue;
        if (!reuse && layer == lowest && !first) {
            Ensure(m_below, m_faceBase.size());
            if (!m_below.isNull()) {
                Copy(m_below, m_faceBase, m_faceBase.rect());
                m_belowLayer = lowest;
            }
        }
        const TKept &kept = m_kept[std::size_t(layer)];
        if (kept.empty)
            continue;
        if (first)
            Copy(m_faceBase, kept.image, m_faceBase.rect());
        else
            PixelCompose::Over(m_faceBase, kept.image, m_faceBase.rect(), kept.occupied);
        first = false;
    }
    if (first)
        m_faceBase.fill(0);
}

// --- the read-out --------------------------------------------------------------------

std::vector<TDialGaugeReadout::TCell> TDialGaugePainter::LayoutCells(double value)
{
    if (!TDialGaugeFacePainter::ShowsReadout(m_gauge))
        return {};
    const QString format = m_gauge.ValueFormat();
    // Reported once; the rest of the dial goes on painting without digits.
    if (m_refusedFormat && *m_refusedFormat == format)
        return {};
    std::vector<TDialGaugeReadout::TCell> cells;
    try {
        cells = TDialGaugeReadout::LayoutValue(m_gauge, TDialGaugeFacePainter::DigitRect(m_gauge), value);
        m_refusedFormat.reset();
    } catch (const Exception &error) {
        m_refusedFormat = format;
        m_lastFailure.clear();
        Report(error);
        return {};
    } catch (const std::exception &error) {
        m_refusedFormat = format;
        m_lastFailure.clear();
        Report(Exception(QString::fromLocal8Bit(error.what())));
        return {};
    }
    // Without a digit colour the cells draw nothing.
    if (m_gauge.Digit()->Color() == clNone)
        cells.clear();
    return cells;
}

QRect TDialGaugePainter::CellRect(const TDialGaugeReadout::TCell &cell) const
{
    const int cellHeight = TDialGaugeReadout::CellHeight(TDialGaugeFacePainter::DigitRect(m_gauge));
    const double width = double(cellHeight) / 13 * 10;
    const double x = cell.Origin.X;
    const double y = cell.Origin.Y;
    const QPoint topLeft(int(std::floor(x * m_dpr)) - Fringe, int(std::floor(y * m_dpr)) - Fringe);
    const QPoint bottomRight(int(std::ceil((x + std::abs(width)) * m_dpr)) + Fringe,
                             int(std::ceil((y + std::abs(cellHeight)) * m_dpr)) + Fringe);
    return QRect(topLeft, bottomRight) & QRect(QPoint(0, 0), m_deviceSize);
}

QRect TDialGaugePainter::CellFootprint(const TDialGaugeReadout::TCell &cell, int cellHeight) const
{
    QRectF bounds = TDialGaugeReadout::SegmentBounds(cell.Origin.X, cell.Origin.Y, cellHeight);
    if (cell.PointAfter) {
        const QRectF point = TDialGaugeReadout::DecimalPointRect(cell.Origin.X, cell.Origin.Y, cellHeight).toQRectF();
        bounds = bounds.united(point.normalized());
    }
    if (!std::isfinite(bounds.width()) || !std::isfinite(bounds.height()))
        return m_face.rect();
    // A smoothed edge covers only pixels its outline crosses, once the
    // outline is rounded to 1/64 pixel.
    constexpr double Rounding = 1.0 / 32;
    const QPoint topLeft(int(std::floor(bounds.left() * m_dpr - Rounding)),
                         int(std::floor(bounds.top() * m_dpr - Rounding)));
    const QPoint bottomRight(int(std::floor(bounds.right() * m_dpr + Rounding)),
                             int(std::floor(bounds.bottom() * m_dpr + Rounding)));
    return QRect(topLeft, bottomRight) & m_face.rect();
}

void TDialGaugePainter::ComposeFace(const QRect &rect)
{
    const QRect area = rect.isNull() ? m_face.rect() : rect & m_face.rect();
    if (area.isEmpty())
        return;
    if (rect.isNull()) {
        m_scaledCells.clear();
        m_faceStale = QRect();
    }
    Copy(m_face, m_faceBase, area);
    if (!m_shownCells.empty()) {
        // The cells are drawn on the face itself, not as a picture laid
        // over it: a cell's segments overlap at their soft edges, and a
        // picture of them drawn over the box would round apart from them
        // drawn on it. What is kept is the face's pixels with the cell on.
        const int cellHeight = TDialGaugeReadout::CellHeight(TDialGaugeFacePainter::DigitRect(m_gauge));
        QImage target;
        std::optional<TGPGraphics> surface;
        auto painted = [&]() -> TGPGraphics & {
            if (!surface) {
                target = View(m_face, area, m_dpr);
                surface.emplace(&target);
                surface->SetSmoothingMode(TSmoothingMode::AntiAlias);
                surface->TranslateTransform(float(-area.x() / m_dpr), float(-area.y() / m_dpr));
            }
            return *surface;
        };
        std::vector<QRect> footprints;
        footprints.reserve(m_shownCells.size());
        for (const TDialGaugeReadout::TCell &cell : m_shownCells)
            footprints.push_back(CellFootprint(cell, cellHeight));
        for (std::size_t i = 0; i < m_shownCells.size(); ++i) {
            const TDialGaugeReadout::TCell &cell = m_shownCells[i];
            const QRect &footprint = footprints[i];
            if (!footprint.intersects(area))
                continue;
            // Alone, its pixels are the face base's with this cell drawn
            // on them, and nothing else.
            bool alone = true;
            for (std::size_t j = 0; j < footprints.size() && alone; ++j)
                alone = j == i || !footprints[j].intersects(footprint);
            auto kept = m_cellPictures.end();
            if (alone) {
                kept = std::find_if(m_cellPictures.begin(), m_cellPictures.end(), [&](const TCellPicture &picture) {
                    return SameCell(picture.cell, cell) && picture.footprint == footprint;
                });
                // Kept over the same face base only: a change of the layers
                // elsewhere leaves it good.
                if (kept != m_cellPictures.end() && SamePixels(m_faceBase, footprint, kept->base)) {
                    Copy(m_face, footprint & area, kept->pixels, footprint.topLeft());
                    continue;
                }
            }
            if (!TDialGaugeReadout::FillSegments(m_face, area, m_dpr, m_gauge, cell.Character, cell.Origin.X,
                                                 cell.Origin.Y, cellHeight)) {
                TDialGaugeReadout::DrawDigit(painted(), m_gauge, cell.Character, cell.Origin.X, cell.Origin.Y,
                                             cell.PointAfter, cellHeight);
            } else if (cell.PointAfter) {
                TDialGaugeReadout::DrawDecimalPoint(painted(), m_gauge, cell.Origin.X, cell.Origin.Y, cellHeight);
            }
            // Only a cell drawn whole is kept.
            if (alone && area.contains(footprint)) {
                TCellPicture picture{cell, footprint, m_face.copy(footprint), m_faceBase.copy(footprint)};
                if (kept != m_cellPictures.end()) {
                    *kept = std::move(picture);
                } else {
                    if (m_cellPictures.size() >= KeptCellPictures)
                        m_cellPictures.clear();
                    m_cellPictures.push_back(std::move(picture));
                }
            }
        }
    }
    const TKept &upper = m_kept[lyUpper];
    if (!upper.empty)
        PixelCompose::Over(m_face, upper.image, area, upper.occupied);
}

QRect TDialGaugePainter::Rescale(const QRect &faceRect)
{
    const int width = m_scaled.width();
    const int height = m_scaled.height();
    const QRectF dial = m_gauge.DialRect();
    QRect rows(0, 0, width, height);
    QRect changed = rows;
    if (!faceRect.isNull()) {
        if (faceRect.isEmpty())
            return QRect();
        const QSize logical = LogicalSize();
        const double sy = logical.height() > 0 ? dial.height() / logical.height() : 1.0;
        const double top = dial.y() * m_dpr;
        // Rows and columns that sample the changed face pixels, with the
        // filter's reach.
        const int first = std::clamp(int(std::floor(top + (faceRect.top() - 1) * sy)) - 1, 0, height);
        const int last = std::clamp(int(std::ceil(top + (faceRect.bottom() + 2) * sy)) + 1, first, height);
        rows = QRect(0, first, width, last - first);
        const double sx = logical.width() > 0 ? dial.width() / logical.width() : 1.0;
        const double left = dial.x() * m_dpr;
        const int from = std::clamp(int(std::floor(left + (faceRect.left() - 1) * sx)) - 1, 0, width);
        const int to = std::clamp(int(std::ceil(left + (faceRect.right() + 2) * sx)) + 1, from, width);
        changed = QRect(from, first, to - from, last - first);
    }
    // Without a painter only the changed pixels are redone, with the sample
    // positions the whole draw has there.
    const TGPRectF into = SingleRect(dial);
    if (SmoothScale::Draw(m_scaled, m_face, QRectF(into.X, into.Y, into.Width, into.Height), m_dpr, changed))
        return changed;
    // A painter steps its sample position along a row from where the row
    // starts, so it redraws whole rows (outside the changed columns they
    // come out as before): clipped to bands of rows under the one transform
    // the whole face is drawn with.
    m_face.setDevicePixelRatio(m_dpr);
    {
        // Gone before the ratio is set back (see PaintCached).
        const TGPBitmap face(m_face);
        QImage scaled = View(m_scaled, m_scaled.rect(), m_dpr);
        TGPGraphics surface(&scaled);
        Smooth(surface);
        for (int row = rows.top(); row <= rows.bottom(); row += ScaledBand) {
            const QRect band(rows.left(), row, rows.width(), std::min(ScaledBand, rows.bottom() + 1 - row));
            Clear(m_scaled, band);
            surface.SetClip(TGPRectF(float(band.x() / m_dpr), float(band.y() / m_dpr),
                                     float(band.width() / m_dpr), float(band.height() / m_dpr)));
            surface.DrawImage(&face, SingleRect(dial));
        }
    }
    m_face.setDevicePixelRatio(1);
    return changed;
}

bool TDialGaugePainter::ReplaceScaledCells(const std::vector<TDialGaugeReadout::TCell> &cells)
{
    if (cells.size() != m_shownCells.size())
        return false;
    const int cellHeight = TDialGaugeReadout::CellHeight(TDialGaugeFacePainter::DigitRect(m_gauge));
    const TGPRectF into = SingleRect(m_gauge.DialRect());
    const QRectF dial(into.X, into.Y, into.Width, into.Height);
    QVarLengthArray<QRect, 16> footprints;
    for (const TDialGaugeReadout::TCell &cell : cells)
        footprints.append(CellFootprint(cell, cellHeight));
    struct TChange
    {
        std::size_t cell;
        QRect readers;
        const TScaledCell *kept;
    };
    QVarLengthArray<TChange, 16> changes;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const TDialGaugeReadout::TCell &now = cells[i];
        const TDialGaugeReadout::TCell &was = m_shownCells[i];
        if (SameCell(now, was))
            continue;
        // The same place keeps the same footprint, whatever the character.
        if (now.Origin.X != was.Origin.X || now.Origin.Y != was.Origin.Y || now.PointAfter != was.PointAfter)
            return false;
        const QRect &footprint = footprints[qsizetype(i)];
        const QRect reach = footprint.adjusted(-1, -1, 1, 1);
        for (qsizetype j = 0; j < footprints.size(); ++j) {
            if (std::size_t(j) != i && footprints[j].intersects(reach))
                return false;
        }
        TChange change{i, QRect(), nullptr};
        bool placed = false;
        for (const TScaledCell &kept : m_scaledCells) {
            if (kept.footprint != footprint)
                continue;
            change.readers = kept.readers;
            placed = true;
            if (SameCell(kept.cell, now)) {
                change.kept = &kept;
                break;
            }
        }
        if (!placed && !SmoothScale::Readers(m_scaled, m_face, dial, m_dpr, footprint, change.readers))
            return false;
        changes.append(change);
    }
    m_shownCells = cells;
    QRect scaled;
    // Kept pixels first: keeping new ones may drop them.
    for (const TChange &change : changes) {
        if (!change.kept)
            continue;
        Copy(m_scaled, change.readers, change.kept->pixels, change.readers.topLeft());
        // Left as it was: nothing samples it until it is composed again.
        m_faceStale |= footprints[qsizetype(change.cell)];
        scaled |= change.readers;
    }
    for (const TChange &change : changes) {
        if (change.kept)
            continue;
        const QRect &footprint = footprints[qsizetype(change.cell)];
        ComposeFace(footprint);
        // Readers took the same arguments: Draw takes them too.
        SmoothScale::Draw(m_scaled, m_face, dial, m_dpr, change.readers);
        if (m_scaledCells.size() >= KeptCellPictures)
            m_scaledCells.clear();
        m_scaledCells.push_back({cells[change.cell], footprint, change.readers, m_scaled.copy(change.readers)});
        scaled |= change.readers;
    }
    if (scaled.isEmpty())
        return true;
    ShowScaled(scaled);
    return true;
}

void TDialGaugePainter::ShowScaled(const QRect &rect)
{
    ComposeStill(rect);
    RestoreFrame(rect);
    // The needle is drawn again over the restored rows.
    for (const QRect &needle : m_needleRects) {
        if (needle.intersects(rect)) {
            m_framedValue = std::nan("");
            break;
        }
    }
}

void TDialGaugePainter::ComposeStill(const QRect &rect)
{
    const QRect area = rect.isNull() ? m_still.rect() : rect & m_still.rect();
    Copy(m_still, m_scaled, area);
    if (!m_kept[lyCaps].empty)
        PixelCompose::Over(m_still, m_kept[lyCaps].image, area, m_kept[lyCaps].occupied);
}

void TDialGaugePainter::RestoreFrame(const QRect &rect)
{
    Copy(m_frame, m_still, rect);
}

// --- the needle ------------------------------------------------------------------------

std::vector<QRect> TDialGaugePainter::NeedleRects(const TArrayOfPointF &outline) const
{
    const TDialGaugeNeedle &needle = *m_gauge.Needle();
    const bool body = needle.Color() != clNone;
    const bool shine = needle.ShineColor() != clNone && needle.ShineColorTo() != clNone;
    if ((!body && !shine) || outline.size() < 3)
        return {};
    const QRectF bounds = QPolygonF(outline).boundingRect();
    const int height = m_deviceSize.height();
    const int width = m_deviceSize.width();
    const int top = std::clamp(int(std::floor(bounds.top() * m_dpr)) - Fringe, 0, height);
    const int bottom = std::clamp(int(std::ceil(bounds.bottom() * m_dpr)) + Fringe, top, height);
    const std::vector<TDeviceEdge> edges = DeviceEdges(outline, m_dpr);
    std::vector<QRect> rects;
    for (int row = top; row < bottom; row += NeedleBand) {
        const int next = std::min(row + NeedleBand, bottom);
        const auto [l, r] = ColumnsInRows(edges, row - Fringe, next + Fringe);
        if (!(l <= r))
            continue;
        const int left = std::clamp(int(std::floor(l)) - Fringe, 0, width);
        const int right = std::clamp(int(std::ceil(r)) + Fringe, left, width);
        if (right > left)
            rects.emplace_back(left, row, right - left, next - row);
    }
    return rects;
}

void TDialGaugePainter::DrawNeedleIntoFrame(double value)
{
    const TArrayOfPointF outline = m_gauge.NeedleOutline(value);
    m_needleRects = NeedleRects(outline);
    if (m_needleRects.empty())
        return;
    // Grouped as the straight paint groups them: the caps and gloss over
    // the needle in a layer of its own, that layer over the scaled face.
    // Regrouped, two soft edges over each other round apart by more.
    for (const QRect &rect : m_needleRects)
        Clear(m_needleGroup, rect);
    if (!TDialGaugeNeedlePainter::FillNeedleBody(m_needleGroup, m_needleRects, m_dpr, m_gauge, outline)) {
        // Band by band (see NeedleBand); each band holds the needle's
        // pixels in its rows.
        for (const QRect &rect : m_needleRects) {
            QImage band = View(m_needleGroup, rect, m_dpr);
            TGPGraphics surface(&band);
            Smooth(surface);
            surface.TranslateTransform(float(-rect.x() / m_dpr), float(-rect.y() / m_dpr));
            TDialGaugeNeedlePainter::DrawNeedleBody(surface, m_gauge, value);
        }
    }
    // Where the body left nothing, the frame holds the still frame already:
    // the caps and gloss over the scaled face, as they come out over an
    // empty needle layer.
    std::array<const QRgb *, 3> parts{};
    std::array<const TOccupancy *, 3> occupied{};
    std::size_t partCount = 0;
    for (std::size_t part = 0; part < m_capParts.size(); ++part) {
        if (!m_kept[lyCaps].empty && m_capPartUsed[part]) {
            occupied[partCount] = &m_capPartOccupied[part];
            parts[partCount++] = reinterpret_cast<const QRgb *>(m_capParts[part].constBits());
        }
    }
    const qsizetype stride = m_frame.bytesPerLine() / 4;
    const QRgb *group = reinterpret_cast<const QRgb *>(m_needleGroup.constBits());
    QRgb *frame = reinterpret_cast<QRgb *>(m_frame.bits());
    const QRgb *scaled = reinterpret_cast<const QRgb *>(m_scaled.constBits());
    std::array<const QRgb *, 3> rowParts{};
    for (const QRect &rect : m_needleRects) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const qsizetype at = y * stride + rect.left();
            // A part with nothing in this stretch of the row is not read:
            // the caps lie at the centre only.
            int used = 0;
            for (std::size_t part = 0; part < partCount; ++part) {
                if (occupied[part]->Any(y, rect.left(), rect.right() + 1))
                    rowParts[std::size_t(used++)] = parts[part] + at;
            }
            PixelCompose::OverGroup(frame + at, scaled + at, group + at, rowParts.data(), used, rect.width());
        }
    }
}

// --- repaint regions ---------------------------------------------------------------------

QRegion TDialGaugePainter::ValueChangeRegion(double from, double to) const
{
    const QRect whole(QPoint(0, 0), LogicalSize());
    auto needle = [&](double value) {
        return QPolygonF(m_gauge.NeedleOutline(value)).boundingRect().adjusted(-Fringe, -Fringe, Fringe, Fringe)
            .toAlignedRect();
    };
    QRegion region = QRegion(needle(from) | needle(to)) & whole;
    if (!TDialGaugeFacePainter::ShowsReadout(m_gauge))
        return region;
    // The box, and the cells of both texts, which may run past it; the face
    // is scaled into DialRect.
    QRectF face = TDialGaugeFacePainter::ValueBoxRect(m_gauge);
    const QRectF digits = TDialGaugeFacePainter::DigitRect(m_gauge);
    const int cellHeight = TDialGaugeReadout::CellHeight(digits);
    const double cellWidth = std::abs(double(cellHeight) / 13 * 10);
    try {
        for (const double value : {from, to}) {
            for (const TDialGaugeReadout::TCell &cell : TDialGaugeReadout::LayoutValue(m_gauge, digits, value))
                face |= QRectF(cell.Origin.X, cell.Origin.Y, cellWidth, std::abs(cellHeight));
        }
    } catch (const std::exception &) {
        // A refused picture draws no digits.
    }
    const QSize logical = LogicalSize();
    const QRectF dial = m_gauge.DialRect();
    const double sx = logical.width() > 0 ? dial.width() / logical.width() : 1.0;
    const double sy = logical.height() > 0 ? dial.height() / logical.height() : 1.0;
    const QRectF shown(dial.x() + face.x() * sx, dial.y() + face.y() * sy, face.width() * sx, face.height() * sy);
    return region | (shown.adjusted(-Fringe, -Fringe, Fringe, Fringe).toAlignedRect() & whole);
}
