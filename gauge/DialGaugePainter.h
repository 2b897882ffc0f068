#pragma once

#include <QImage>
#include <DialGauge/DialGaugeExport.h>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class Exception;
class QPainter;
class TDialGauge;
class TDialGaugeState;
class TGPGraphics;

// Paints a TDialGauge: the face (disc, ring, rim, sections, scale, arc and
// band, read-out, dial text, focus circle) drawn into a face bitmap of the
// control's size and then scaled into DialRect, and the needle layer drawn
// unscaled over it. Nothing is filled where the gauge draws nothing, so the
// widget shows its parent there.
//
// The gauge owns one painter, calls paint() from its paint event and
// invalidate() on every change except a change of the shown value.
//
// With caching on (the default), everything that does not follow the value
// is drawn once and kept: the scaled face without its digits, and the caps
// and gloss. A gliding frame then redraws only the digits' strip of the face
// and the needle's body and shine. The cache is keyed on every property the
// kept layers read (system colours resolved), so even a change that
// bypasses invalidate() cannot show a stale face. Buffers are kept between
// paints in both modes.
class TDialGaugePainter
{
public:
    // How a refused read-out is reported; the gauge passes it on through its
    // own channel. Without one, nothing is reported.
    using TErrorReport = std::function<void(const Exception &)>;

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
    // Drops every cached layer (keeps the buffers).
    DIALGAUGE_EXPORT void invalidate();

    // Off: every layer is drawn at every paint, straight into fresh (reused)
    // face and needle bitmaps. By default on.
    void SetCaching(bool on);
    bool Caching() const { return m_caching; }
    void SetErrorReport(TErrorReport report) { m_report = std::move(report); }
    // Times the kept layers were drawn anew; for diagnostics and tests.
    quint64 CacheBuildCount() const { return m_cacheBuilds; }

private:
    // Everything the kept layers read, in a form that compares exactly.
    struct CacheKey
    {
        std::vector<double> numbers;
        QStringList texts;
        bool operator==(const CacheKey &) const = default;
    };

    void PaintGauge(TGPGraphics &target, qreal dpr);
    void PaintStraight(TGPGraphics &target);
    void PaintCached(TGPGraphics &target, qreal dpr);

    // Face layers under the digits: disc, ring, rim, sections, scale, arc
    // layers and the read-out box.
    void PaintLowerLayers(TGPGraphics &face);
    // The digits, guarded: see paint().
    void DrawReadout(TGPGraphics &face);
    // Face layers over the digits: dial text and focus circle.
    void PaintUpperLayers(TGPGraphics &face);
    // The needle layer drawn whole into its bitmap, then onto target.
    void DrawNeedle(TGPGraphics &target);
    // Body and shine only, over target (the cached paint keeps the rest).
    void DrawNeedleBody(TGPGraphics &target, qreal dpr);

    CacheKey MakeKey(qreal dpr) const;
    void BuildCache(qreal dpr);
    void RedrawReadoutStrip();
    // The face drawn into DialRect, clipped to rows (a view on the scaled
    // face starting at device row top), over transparency.
    void DrawScaledFace(QImage &rows, int top);
    void Report(const Exception &error);
    // Sizes every buffer for the control at dpr; false when there is nothing
    // to paint on.
    bool EnsureBuffers(qreal dpr);
    // Forgets the views before their images are written whole or replaced.
    void DropViews();

    const TDialGaugeState &m_gauge;
    bool m_caching = true;
    TErrorReport m_report;
    // The ValueFormat whose refusal was reported; skipped while it stays.
    std::optional<QString> m_refusedFormat;
    QString m_lastFailure;

    // Face bitmap and needle layer, device pixels, carrying the ratio.
    QImage m_face;
    QImage m_needleLayer;
    // Kept layers.
    QImage m_scaledFace;     // the face drawn into DialRect, over transparency
    QImage m_upper;          // dial text and focus circle, over transparency
    QImage m_lowerStrip;     // the digits' rows of the face without digits
    QImage m_bodyLayer;      // body and shine, when drawn in bands
    bool m_hasUpper = false;
    // Rows of the face that the digits can touch, and the rows of the scaled
    // face that read them, in device pixels.
    int m_stripTop = 0;
    int m_stripBottom = 0;
    int m_scaledTop = 0;
    int m_scaledBottom = 0;
    // Views on those rows of m_face, m_upper and m_scaledFace (no copies).
    QImage m_faceStripView;
    QImage m_upperStripView;
    QImage m_scaledStripView;
    // Caps and gloss: the part of the needle layer they can cover.
    QImage m_glossView;
    QPoint m_glossOrigin;

    bool m_cacheValid = false;
    CacheKey m_key;
    quint64 m_cacheBuilds = 0;
};
