// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeOuterRim.h"

class TDialGaugeOuterRimPrivate
{
public:
    TColor m_color = 0x908070;
    int m_opacity = 255;
    int m_width = 2;
};

TDialGaugeOuterRim::TDialGaugeOuterRim(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeOuterRimPrivate>())
{
}

TDialGaugeOuterRim::~TDialGaugeOuterRim() = default;

void TDialGaugeOuterRim::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeOuterRim::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeOuterRim::SetWidth(int value)
{
    if (Store(d->m_width, value))
        Changed();
}

void TDialGaugeOuterRim::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeOuterRim *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_opacity = other->d->m_opacity;
    d->m_width = other->d->m_width;
    Changed();
}

TColor TDialGaugeOuterRim::Color() const
{
    return d->m_color;
}

int TDialGaugeOuterRim::Opacity() const
{
    return d->m_opacity;
}

int TDialGaugeOuterRim::Width() const
{
    return d->m_width;
}
