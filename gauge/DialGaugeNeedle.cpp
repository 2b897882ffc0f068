// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeNeedle.h"

class TDialGaugeNeedlePrivate
{
public:
    TColor m_color = 0;
    TColor m_shineColor = 0;
    TColor m_shineColorTo = 0;
    TColor m_outerCenterColor = 0;
    TColor m_outerCenterColorTo = 0;
    int m_outerCenterOpacity = 0;
    TColor m_innerCenterColor = 0;
    TColor m_innerCenterColorTo = 0;
    int m_innerCenterOpacity = 0;
};

// Colours go through the setters while OnChange is still unset, so nothing is raised.
TDialGaugeNeedle::TDialGaugeNeedle(TDialGauge *owner)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeNeedlePrivate>())
{
    SetColor(0x00FC7C);
    SetShineColor(0x00FC7C);
    SetShineColorTo(0xD3D3D3);
    SetOuterCenterColor(0xFF0000);
    SetOuterCenterColorTo(0xFF0000);
    SetOuterCenterOpacity(100);
    SetInnerCenterColor(0x8B0000);
    SetInnerCenterColorTo(0x8B0000);
    SetInnerCenterOpacity(255);
}

TDialGaugeNeedle::~TDialGaugeNeedle() = default;

void TDialGaugeNeedle::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        Changed();
}

void TDialGaugeNeedle::SetShineColor(TColor value)
{
    if (Store(d->m_shineColor, value))
        Changed();
}

void TDialGaugeNeedle::SetShineColorTo(TColor value)
{
    if (Store(d->m_shineColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterColor(TColor value)
{
    if (Store(d->m_outerCenterColor, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterColorTo(TColor value)
{
    if (Store(d->m_outerCenterColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterOpacity(int value)
{
    if (Store(d->m_outerCenterOpacity, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterColor(TColor value)
{
    if (Store(d->m_innerCenterColor, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterColorTo(TColor value)
{
    if (Store(d->m_innerCenterColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterOpacity(int value)
{
    if (Store(d->m_innerCenterOpacity, value))
        Changed();
}

void TDialGaugeNeedle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeNeedle *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_shineColor = other->d->m_shineColor;
    d->m_shineColorTo = other->d->m_shineColorTo;
    d->m_outerCenterColor = other->d->m_outerCenterColor;
    d->m_outerCenterColorTo = other->d->m_outerCenterColorTo;
    d->m_outerCenterOpacity = other->d->m_outerCenterOpacity;
    d->m_innerCenterColor = other->d->m_innerCenterColor;
    d->m_innerCenterColorTo = other->d->m_innerCenterColorTo;
    d->m_innerCenterOpacity = other->d->m_innerCenterOpacity;
    Changed();
}

TColor TDialGaugeNeedle::Color() const
{
    return d->m_color;
}

TColor TDialGaugeNeedle::ShineColor() const
{
    return d->m_shineColor;
}

TColor TDialGaugeNeedle::ShineColorTo() const
{
    return d->m_shineColorTo;
}

TColor TDialGaugeNeedle::OuterCenterColor() const
{
    return d->m_outerCenterColor;
}

TColor TDialGaugeNeedle::OuterCenterColorTo() const
{
    return d->m_outerCenterColorTo;
}

int TDialGaugeNeedle::OuterCenterOpacity() const
{
    return d->m_outerCenterOpacity;
}

TColor TDialGaugeNeedle::InnerCenterColor() const
{
    return d->m_innerCenterColor;
}

TColor TDialGaugeNeedle::InnerCenterColorTo() const
{
    return d->m_innerCenterColorTo;
}

int TDialGaugeNeedle::InnerCenterOpacity() const
{
    return d->m_innerCenterOpacity;
}
