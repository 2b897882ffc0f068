// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeGloss.h"

class TDialGaugeGlossPrivate
{
public:
    TColor m_color = clWhite;
    int m_opacity = 72;
};

TDialGaugeGloss::TDialGaugeGloss(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeGlossPrivate>())
{
}

TDialGaugeGloss::~TDialGaugeGloss() = default;

void TDialGaugeGloss::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeGloss::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeGloss::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeGloss *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_opacity = other->d->m_opacity;
    Changed();
}

TColor TDialGaugeGloss::Color() const
{
    return d->m_color;
}

int TDialGaugeGloss::Opacity() const
{
    return d->m_opacity;
}
