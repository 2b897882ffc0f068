// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <DialGauge/DialGaugeExport.h>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gauge/DialGaugeReadout.h"
#include "gauge/DialGaugeTypes.h"
#include "platform/Occupancy.h"
#include "platform/TGPTypes.h"

class Exception;
class QPainter;
class TDialGauge;
class TDialGaugeFirstFrame;
class TDialGaugeState;
class TGPGraphics;

// Paints a gauge from its state (TDialGaugeState) alone, for whichever host
// shows it: the TDialGauge widget or the QML item. The face (disc, ring, rim,
// sections, scale, arc and band, read-out, dial text, focus circle) is drawn
// into a face bitmap of the control's size and then scaled into DialRect, and
// the needle layer drawn unscaled over it. Nothing is filled where the gauge
// draws nothing, so the host's parent shows there.
//
// All buffers are in device pixels: at a device pixel ratio of 2 a 303 x 308
// gauge draws 606 x 616 sharp pixels while its geometry stays logical.
//
// With caching on (the default) every layer is kept in its own image and
// drawn again only when something it reads changes. Each layer has a key
// made of everything it reads (system colours resolved), compared at every
// paint, so no change can leave a stale layer, whichever way it came. The
// kept products:
//   face layers   disc, ring, rim, sections, ticks and labels, arc and band,
//                 read-out box, dial text and focus circle
//   digits        only their look: the cells are drawn onto the face where
//                 the read-out changed
//   face          the face layers composed, the digits and dial text in it
//   scaled face   the face drawn into DialRect
//   still frame   the scaled face with the caps and gloss over it
//   frame         the still frame with the needle's body and shine between
//                 scaled face and caps: what the control shows
// A glide step rebuilds the read-out's changed cells, rescales the pixels
// that sample them and redraws the needle's rows; everything else is
// copied. The first paint of a widget at a size is straight
// (SetStraightFirstPaint). The needle and the read-out's cells are filled
// without a painter, with the raster engine's own arithmetic (TPolygonFill);
// the face is scaled the same way (SmoothScale), and kept images are
// composed so too (PixelCompose), each layer only where it holds pixels
// (TOccupancy).
class TDialGaugePainter
{
public:
    // How a refused read-out is reported; the gauge passes it on through its
    // own channel. Without one, nothing is reported.
    using TErrorReport = std::function<void(const Exception &)>;

    // The kept layers, in drawing order.
    enum TLayer {
        lyDisc,
        lyRing,
        lyRim,
        lySections,
        lyScale,
        lyArc,
        lyBox,
        lyUpper,
        lyDigits,
        lyCaps,
        LayerCount
    };

    // Reads only the state: a widget's, or that of any other host.
    DIALGAUGE_EXPORT explicit TDialGaugePainter(const TDialGaugeState &gauge);
    // The painter of a TDialGauge's state.
    explicit TDialGaugePainter(const TDialGauge &gauge);
    DIALGAUGE_EXPORT ~TDialGaugePainter();
    TDialGaugePainter(const TDialGaugePainter &) = delete;
    TDialGaugePainter &operator=(const TDialGaugePainter &) = delete;

    // PaintGauge: draws the whole gauge onto a painter bound to the control
    // (or to anything of the control's size). Never throws: a read-out that
    // cannot be formatted is reported once and skipped until ValueFormat
    // changes; the rest of the dial is painted.
    DIALGAUGE_EXPORT void paint(QPainter &painter);
    // Only the part of the gauge within region (the control's coordinates),
    // as a paint event for that region needs it.
    DIALGAUGE_EXPORT void paint(QPainter &painter, const QRegion &region);
    // Drops every kept layer (keeps the buffers).
    DIALGAUGE_EXPORT void invalidate();
    // The first paint at a size is a straight one; this makes the kept
    // layers for it ahead of the next paint. For a host to call when idle
    // after a paint that left TakeWarmUpWish() true (once per such paint).
    void WarmUp();
    bool TakeWarmUpWish();
    // On: the first paint at a size is a straight one, and the kept layers
    // are made later (see WarmUp), which takes their cost off a window's
    // first appearance. Not for a host that lays the frame down with a
    // copy rather than a blend. By default off.
    void SetStraightFirstPaint(bool on) { m_straightFirst = on; }
    // The host is about to show the control at dpr: with no picture kept at
    // that size, the first, straight one is painted meanwhile on another
    // core (TDialGaugeFirstFrame), and the first paint lays it down when
    // nothing changed in between.
    void PrepareFirstPaint(qreal dpr);
    // The straight picture's face and needle layer, each drawn whole into
    // its own image of the control's device size at dpr. False when memory
    // ran out or the read-out was refused.
    bool DrawStraightLayers(qreal dpr, QImage &face, QImage &needle);

    // Where a change of the shown value from one value to another changes
    // the picture: the needle's old and new bounds and the read-out (its box
    // and the cells of both texts), in the control's coordinates.
    DIALGAUGE_EXPORT QRegion ValueChangeRegion(double from, double to) const;

    // Off: every layer is drawn at every paint, straight into fresh (reused)
    // face and needle bitmaps. By default on.
    void SetCaching(bool on);
    bool Caching() const { return m_caching; }
    void SetErrorReport(TErrorReport report) { m_report = std::move(report); }
    // Times a kept layer was drawn anew, and all of them; for diagnostics
    // and tests.
    quint64 BuildCount(TLayer layer) const { return m_kept[std::size_t(layer)].builds; }
    quint64 CacheBuildCount() const;
    // First pictures painted on another core and laid down.
    quint64 FirstFramesLaid() const { return m_firstFramesLaid; }

private:
    // Everything a layer reads, in a form that compares exactly.
    struct TKey
    {
        std::vector<double> numbers;
        QStringList texts;
        bool operator==(const TKey &) const = default;
    };
    struct TKept
    {
        QImage image;
        // Where image holds pixels; compositions read only there.
        TOccupancy occupied;
        TKey key;
        bool valid = false;
        // Nothing drawn: left out of compositions.
        bool empty = true;
        quint64 builds = 0;
    };

    void PaintGauge(TGPGraphics &target, qreal dpr, const QRegion *region);
    void PaintStraight(TGPGraphics &target);
    // The straight paint's two layers, each drawn whole into buffer, and
    // laid onto target.
    void DrawStraightFace(QImage &buffer);
    void DrawStraightNeedle(QImage &buffer);
    void LayStraightFace(TGPGraphics &target, const QImage &face) const;
    static void LayStraightNeedle(TGPGraphics &target, const QImage &needle);
    // Brings the kept frame up to date and, with a target, draws it there.
    void PaintCached(TGPGraphics *target, qreal dpr, const QRegion *region);
    // No kept frame at the size this ratio gives, and no straight first
    // paint at it either.
    bool Cold(qreal dpr) const;

    // --- straight paint ---
    // Face layers under the digits: disc, ring, rim, sections, scale, arc
    // layers and the read-out box.
    void PaintLowerLayers(TGPGraphics &face);
    // The digits, guarded: see paint().
    void DrawReadout(TGPGraphics &face);
    // Face layers over the digits: dial text and focus circle.
    void PaintUpperLayers(TGPGraphics &face);

    // --- kept layers ---
    void MakeKey(TLayer layer, qreal dpr, TKey &key) const;
    // Brings a layer up to date; true when it was drawn anew.
    bool Refresh(TLayer layer, qreal dpr);
    void BuildLayer(TLayer layer, qreal dpr);
    // True when the layer draws nothing (for the caps, also notes which
    // parts draw).
    bool LayerEmpty(TLayer layer);
    // The face layers composed; those below lowest are unchanged.
    void ComposeFaceBase(TLayer lowest);
    // The read-out's cells for value; empty when the read-out is off or its
    // picture is refused (reported once).
    std::vector<TDialGaugeReadout::TCell> LayoutCells(double value);
    QRect CellRect(const TDialGaugeReadout::TCell &cell) const;
    // The device pixels the cell's segments and point can touch.
    QRect CellFootprint(const TDialGaugeReadout::TCell &cell, int cellHeight) const;
    // The face within rect (device pixels): base, digits, dial text.
    void ComposeFace(const QRect &rect);
    // The scaled face's pixels that sample the face's rows and columns in
    // rect (device pixels; the whole face for a null rect); returns where
    // the scaled face changed.
    QRect Rescale(const QRect &faceRect);
    // The read-out changing from the cells shown to cells, where each
    // changed cell stays in its place and no other cell comes within a
    // pixel of it: there the scaled face depends on that cell alone, and
    // its pixels are kept. False, changing nothing, elsewhere.
    bool ReplaceScaledCells(const std::vector<TDialGaugeReadout::TCell> &cells);
    // The still frame within rect: scaled face, then caps and gloss.
    void ComposeStill(const QRect &rect);
    void RestoreFrame(const QRect &rect);
    // The scaled face changed within rect: the still frame and the frame
    // follow, and the needle is drawn again where it crosses rect.
    void ShowScaled(const QRect &rect);
    // The needle's body and shine into the frame, between the scaled face
    // and the caps.
    void DrawNeedleIntoFrame(double value);
    // Where the needle with this outline can leave pixels: bands of device
    // rows, each as wide as the needle is there.
    std::vector<QRect> NeedleRects(const TArrayOfPointF &outline) const;

    void Report(const Exception &error);
    // Sizes every buffer for the control at dpr; false when there is nothing
    // to paint on.
    bool EnsureBuffers(qreal dpr);
    QSize LogicalSize() const;

    const TDialGaugeState &m_gauge;
    bool m_caching = true;
    bool m_warmUpWanted = false;
    bool m_straightFirst = false;
    // Where the first, straight paint at a size was made.
    QSize m_straightSize;
    TErrorReport m_report;
    // The ValueFormat whose refusal was reported; skipped while it stays.
    std::optional<QString> m_refusedFormat;
    QString m_lastFailure;

    qreal m_dpr = 1;
    QSize m_deviceSize;
    // Straight paint: the face bitmap, then the needle layer, in device
    // pixels. One buffer for both: the face is laid before the needle is
    // drawn, and clearing pixels again costs far less than fresh memory,
    // which the system hands out a page at a time.
    QImage m_straightLayer;
    // The first picture, being painted on another core.
    std::unique_ptr<TDialGaugeFirstFrame> m_firstFrame;
    quint64 m_firstFramesLaid = 0;

    std::array<TKept, LayerCount> m_kept;
    TKey m_scratchKey;
    QImage m_faceBase;
    // The face layers below m_belowLayer composed (LayerCount: none kept).
    QImage m_below;
    TLayer m_belowLayer = LayerCount;
    QImage m_face;
    QImage m_scaled;
    QImage m_still;
    QImage m_frame;
    // The needle's body with the caps and gloss over it, in the needle's
    // rows, before it goes over the scaled face.
    QImage m_needleGroup;
    // The outer cap, the inner cap and the gloss, each alone, and which of
    // them draw anything.
    std::array<QImage, 3> m_capParts;
    std::array<bool, 3> m_capPartUsed{};
    std::array<TOccupancy, 3> m_capPartOccupied;
    std::vector<TDialGaugeReadout::TCell> m_shownCells;
    // Face pixels of cells drawn alone (no other cell reaches their
    // footprint), by cell: a glide shows the same characters in the same
    // places again and again. Valid while the digits' look stays, over the
    // face base they were drawn on (kept with them, and compared).
    struct TCellPicture
    {
        TDialGaugeReadout::TCell cell;
        QRect footprint;
        QImage pixels;
        QImage base;
    };
    std::vector<TCellPicture> m_cellPictures;
    // The same for the scaled face: the pixels that sample a cell's
    // footprint, kept by cell. Valid while the scaled face's mapping stays
    // too; dropped with every whole composition of the face.
    struct TScaledCell
    {
        TDialGaugeReadout::TCell cell;
        QRect footprint;
        QRect readers;
        QImage pixels;
    };
    std::vector<TScaledCell> m_scaledCells;
    // Face pixels left showing cells since replaced (only the scaled face
    // was brought up to date there): composed again before anything
    // samples them.
    QRect m_faceStale;
    // The frame holds a whole picture, and which needle it shows.
    bool m_framed = false;
    double m_framedValue = 0;
    TKey m_needleKey;
    std::vector<QRect> m_needleRects;
};
