#pragma once

#include <QRectF>
#include <QRegion>
#include <QString>

#include <memory>

#include "gauge/DialGauge.h"

class TDialGaugePainter;
class TWindowTimer;

// The fields of a TDialGauge and its one change path, kept out of the public
// header so that the library's ABI does not follow them. Not installed;
// tests reach it through Get().
class TDialGaugePrivate
{
public:
    enum class Repaint { Face, ValueOnly };

    explicit TDialGaugePrivate(TDialGauge &gauge);
    ~TDialGaugePrivate();
    TDialGaugePrivate(const TDialGaugePrivate &) = delete;
    TDialGaugePrivate &operator=(const TDialGaugePrivate &) = delete;

    static TDialGaugePrivate &Get(TDialGauge &gauge) { return *gauge.d; }
    static const TDialGaugePrivate &Get(const TDialGauge &gauge) { return *gauge.d; }

    // The one place that requests repaints: asks Qt for one update(), of
    // the whole control or, when only the value changed, of the region it
    // changes. Inside a batch, requests merge into one.
    void Changed(Repaint kind);
    void RaiseValueChanged();
    // Starts the animation timer when the value has a target to move to and
    // may move, stops it otherwise; a running timer keeps its rhythm.
    void SyncTimer();
    void RaisePaintError(const QString &message);
    TNotifyEvent RepaintHandler();

    TDialGauge &q;

    bool m_hasFocus = false;
    double m_thresholdBandStart = 0.0;
    double m_thresholdBandSweep = 0.0;
    QRectF m_arcRect;
    std::unique_ptr<TDialGauge::TScaleTable> m_scaleTable;
    std::unique_ptr<TWindowTimer> m_timer;
    int m_minimumValue = 0;
    int m_maximumValue = 100;
    double m_value = 0.0;
    double m_animationTarget = 0.0;
    QString m_valueFormat;
    int m_divisionCount = 10;
    int m_subDivisionCount = 3;
    QString m_dialText;
    int m_dialLeft = 5;
    int m_dialTop = 5;
    int m_dialWidth = 0;
    int m_dialHeight = 0;
    QRectF m_dialRect;
    std::unique_ptr<TDialGaugeFont> m_font;
    std::unique_ptr<TDialGaugeFont> m_valueFont;
    std::unique_ptr<TDialGaugeDigit> m_digit;
    std::unique_ptr<TDialGaugeOuterCircle> m_outerCircle;
    std::unique_ptr<TDialGaugeInnerCircle> m_innerCircle;
    std::unique_ptr<TDialGaugeOuterRim> m_outerRim;
    std::unique_ptr<TDialGaugeNeedle> m_needle;
    std::unique_ptr<TDialGaugeArc> m_arc;
    int m_subDivisionWidth = 2;
    int m_divisionWidth = 5;
    TColor m_subDivisionColor = 0x00FC7C;
    TColor m_divisionColor = 0x00FC7C;
    bool m_animation = true;
    int m_animationFactor = 5;
    TDialGaugeNeedleType m_needleType = ntPointer;
    std::unique_ptr<TDialGaugeSections> m_sections;

    bool m_tabStop = false;
    bool m_designMode = false;
    int m_loadingDepth = 0;
    bool m_destroying = false;
    int m_batchDepth = 0;
    bool m_batchRepaint = false;
    bool m_batchFace = false;
    quint64 m_repaintRequests = 0;
    // The value shown once the requested repaints are done, and the region
    // of the last request (empty for the whole control).
    double m_requestedValue = 0.0;
    QRegion m_requestedRegion;
    std::unique_ptr<TDialGaugePainter> m_painter;
};
