// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeThreshold.h"

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"

class TDialGaugeThresholdPrivate
{
public:
    TColor m_color = 0x00FC7C;
    int m_opacity = 200;
    int m_startAngle = 135;
    int m_sweepAngle = 270;
    double m_center = 25.0;
    int m_span = 25;
    double m_startValue = 0.0;
    double m_endValue = 0.0;
    TDialGaugeThresholdKind m_thresholdKind = tkAngle;
    // Whose limits and band it follows; null for a free object.
    TDialGaugeState *m_state = nullptr;
};

TDialGaugeThreshold::TDialGaugeThreshold(TDialGauge *owner)
    : TDialGaugeThreshold(owner, TDialGaugeState::Of(owner))
{
}

TDialGaugeThreshold::TDialGaugeThreshold(TDialGauge *owner, TDialGaugeState *state)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeThresholdPrivate>())
{
    d->m_state = state;
    // A designer's new gauge shows a coloured arc over the whole default scale.
    if (state && state->IsDesignMode()) {
        d->m_startValue = 0.0;
        d->m_endValue = 100.0;
    }
}

TDialGaugeThreshold::~TDialGaugeThreshold() = default;

void TDialGaugeThreshold::PullCenter(double value)
{
    d->m_center = value;
}

void TDialGaugeThreshold::GeometryChanged()
{
    if (TDialGaugeState *gauge = d->m_state)
        gauge->UpdateArcGeometry();
    Changed();
}

void TDialGaugeThreshold::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeThreshold::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeThreshold::SetCenter(double value)
{
    if (std::isnan(value))
        return;
    if (const TDialGaugeState *gauge = d->m_state) {
        if (value < gauge->MinimumValue() || value > gauge->MaximumValue())
            return;
    } else if (!std::isfinite(value)) {
        return;
    }
    // No equality test: setting the same centre recomputes the band again.
    d->m_center = value;
    GeometryChanged();
}

void TDialGaugeThreshold::SetSpan(int value)
{
    if (value < 0 || value > 100)
        return;
    d->m_span = value;
    GeometryChanged();
}

void TDialGaugeThreshold::SetStartAngle(int value)
{
    if (Store(d->m_startAngle, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetSweepAngle(int value)
{
    if (Store(d->m_sweepAngle, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetStartValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(d->m_startValue, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetEndValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(d->m_endValue, value))
        GeometryChanged();
}

void TDialGaugeThreshold::SetThresholdKind(TDialGaugeThresholdKind value)
{
    if (Store(d->m_thresholdKind, value))
        GeometryChanged();
}

void TDialGaugeThreshold::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeThreshold *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_opacity = other->d->m_opacity;
    d->m_startAngle = other->d->m_startAngle;
    d->m_sweepAngle = other->d->m_sweepAngle;
    d->m_center = other->d->m_center;
    d->m_span = other->d->m_span;
    d->m_startValue = other->d->m_startValue;
    d->m_endValue = other->d->m_endValue;
    d->m_thresholdKind = other->d->m_thresholdKind;
    // The band follows the copied centre and span at once, not at the next resize.
    GeometryChanged();
}

TColor TDialGaugeThreshold::Color() const
{
    return d->m_color;
}

int TDialGaugeThreshold::Opacity() const
{
    return d->m_opacity;
}

double TDialGaugeThreshold::Center() const
{
    return d->m_center;
}

int TDialGaugeThreshold::Span() const
{
    return d->m_span;
}

int TDialGaugeThreshold::StartAngle() const
{
    return d->m_startAngle;
}

int TDialGaugeThreshold::SweepAngle() const
{
    return d->m_sweepAngle;
}

double TDialGaugeThreshold::StartValue() const
{
    return d->m_startValue;
}

double TDialGaugeThreshold::EndValue() const
{
    return d->m_endValue;
}

TDialGaugeThresholdKind TDialGaugeThreshold::ThresholdKind() const
{
    return d->m_thresholdKind;
}
