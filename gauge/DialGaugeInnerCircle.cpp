// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeInnerCircle.h"

#include "gauge/DialGaugeGloss.h"

class TDialGaugeInnerCirclePrivate
{
public:
    TColor m_color = clBlue;
    int m_opacity = 150;
    std::unique_ptr<TDialGaugeGloss> m_gloss;
};

TDialGaugeInnerCircle::TDialGaugeInnerCircle(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeInnerCirclePrivate>())
{
    d->m_gloss = std::make_unique<TDialGaugeGloss>(owner);
    d->m_gloss->OnChange = [this](QObject *) { Changed(); };
}

TDialGaugeInnerCircle::~TDialGaugeInnerCircle() = default;

void TDialGaugeInnerCircle::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeInnerCircle::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        Changed();
}

void TDialGaugeInnerCircle::SetGloss(const TDialGaugeGloss *value)
{
    if (!value || value == d->m_gloss.get())
        return;
    AssignQuietly(*d->m_gloss, value);
    Changed();
}

void TDialGaugeInnerCircle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeInnerCircle *>(source);
    if (!other)
        return;
    SetColor(other->d->m_color);
    SetOpacity(other->d->m_opacity);
    d->m_gloss->Assign(other->d->m_gloss.get());
}

TColor TDialGaugeInnerCircle::Color() const
{
    return d->m_color;
}

int TDialGaugeInnerCircle::Opacity() const
{
    return d->m_opacity;
}

TDialGaugeGloss *TDialGaugeInnerCircle::Gloss() const
{
    return d->m_gloss.get();
}
