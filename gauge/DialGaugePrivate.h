// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>
#include <QString>

#include <memory>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"

class TDialGaugePainter;

// A TDialGauge's private part, kept out of the public header so that the
// library's ABI does not follow it: the gauge's state, which the widget
// hosts, and the painter that draws it. Not installed; tests reach it
// through Get().
class TDialGaugePrivate : public TDialGaugeState::THost
{
public:
    TDialGaugePrivate(TDialGauge &gauge, bool designMode);
    ~TDialGaugePrivate() override;
    TDialGaugePrivate(const TDialGaugePrivate &) = delete;
    TDialGaugePrivate &operator=(const TDialGaugePrivate &) = delete;

    static TDialGaugePrivate &Get(TDialGauge &gauge) { return *gauge.d; }
    static const TDialGaugePrivate &Get(const TDialGauge &gauge) { return *gauge.d; }

    // THost: the widget's size, update() with changed(), the callbacks with
    // their signals, and the accessibility event.
    QSize HostSize() const override;
    void RepaintRequested(TDialGaugeState::Repaint kind) override;
    void ValueChanged(double value) override;
    void ValueSettled(double value) override;
    void RaisePaintError(const QString &message);

    TDialGauge &q;
    // The value shown once the requested repaints are done, and the region
    // of the last request (empty for the whole control).
    double m_requestedValue = 0.0;
    QRegion m_requestedRegion;
    std::unique_ptr<TDialGaugePainter> m_painter;
    TDialGaugeState state;
};
