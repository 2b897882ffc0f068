// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeOuterCircle.h"

#include <cmath>

class TDialGaugeOuterCirclePrivate
{
public:
    TColor m_color = 0x908070;
    double m_width = 0.03;
    int m_opacity = 100;
};

TDialGaugeOuterCircle::TDialGaugeOuterCircle(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeOuterCirclePrivate>())
{
}

TDialGaugeOuterCircle::~TDialGaugeOuterCircle() = default;

void TDialGaugeOuterCircle::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeOuterCircle::SetWidth(double value)
{
    // A non-finite fraction would give the painter a NaN or infinite pen.
    if (!std::isfinite(value))
        return;
    if (Store(d->m_width, value))
        Changed();
}

void TDialGaugeOuterCircle::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeOuterCircle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeOuterCircle *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_width = other->d->m_width;
    d->m_opacity = other->d->m_opacity;
    Changed();
}

TColor TDialGaugeOuterCircle::Color() const
{
    return d->m_color;
}

double TDialGaugeOuterCircle::Width() const
{
    return d->m_width;
}

int TDialGaugeOuterCircle::Opacity() const
{
    return d->m_opacity;
}
