// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeArc.h"

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "gauge/DialGaugeThreshold.h"

class TDialGaugeArcPrivate
{
public:
    TColor m_color = 0x8B0000;
    double m_width = 0.03;
    int m_opacity = 200;
    int m_startAngle = 135;
    int m_stopAngle = 405;
    std::unique_ptr<TDialGaugeThreshold> m_threshold;
    // Whose geometry follows the angles and the width; null for a free object.
    TDialGaugeState *m_state = nullptr;
};

TDialGaugeArc::TDialGaugeArc(TDialGauge *owner) : TDialGaugeArc(owner, TDialGaugeState::Of(owner)) {}

TDialGaugeArc::TDialGaugeArc(TDialGauge *owner, TDialGaugeState *state)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeArcPrivate>())
{
    d->m_state = state;
    d->m_threshold = std::unique_ptr<TDialGaugeThreshold>(new TDialGaugeThreshold(owner, state));
    d->m_threshold->OnChange = [this](QObject *) { Changed(); };
}

TDialGaugeArc::~TDialGaugeArc() = default;

void TDialGaugeArc::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeArc::SetWidth(double value)
{
    // Round(Width x NaN) has no integer result.
    if (!std::isfinite(value))
        return;
    if (!Store(d->m_width, value))
        return;
    if (TDialGaugeState *gauge = d->m_state)
        gauge->UpdateArcGeometry();
    Changed();
}

void TDialGaugeArc::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeArc::SetStartAngle(int value)
{
    if (!Store(d->m_startAngle, value))
        return;
    if (TDialGaugeState *gauge = d->m_state) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}

void TDialGaugeArc::SetStopAngle(int value)
{
    if (!Store(d->m_stopAngle, value))
        return;
    if (TDialGaugeState *gauge = d->m_state) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}

void TDialGaugeArc::SetThreshold(const TDialGaugeThreshold *value)
{
    if (!value || value == d->m_threshold.get())
        return;
    AssignQuietly(*d->m_threshold, value);
    Changed();
}

void TDialGaugeArc::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeArc *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_width = other->d->m_width;
    d->m_opacity = other->d->m_opacity;
    d->m_startAngle = other->d->m_startAngle;
    d->m_stopAngle = other->d->m_stopAngle;
    AssignQuietly(*d->m_threshold, other->d->m_threshold.get());
    // Copied angles and width must not leave a stale scale or band behind.
    if (TDialGaugeState *gauge = d->m_state) {
        gauge->UpdateArcGeometry();
        gauge->UpdateScaleTable();
    }
    Changed();
}

TColor TDialGaugeArc::Color() const
{
    return d->m_color;
}

double TDialGaugeArc::Width() const
{
    return d->m_width;
}

int TDialGaugeArc::Opacity() const
{
    return d->m_opacity;
}

int TDialGaugeArc::StartAngle() const
{
    return d->m_startAngle;
}

int TDialGaugeArc::StopAngle() const
{
    return d->m_stopAngle;
}

TDialGaugeThreshold *TDialGaugeArc::Threshold() const
{
    return d->m_threshold.get();
}
