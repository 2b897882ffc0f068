#include "gauge/DialGaugeNeedle.h"

// Colours go through the setters while OnChange is still unset, so nothing is raised.
TDialGaugeNeedle::TDialGaugeNeedle(TDialGauge *owner) : TDialGaugePersistent(owner)
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

void TDialGaugeNeedle::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeNeedle::SetShineColor(TColor value)
{
    if (Store(m_shineColor, value))
        Changed();
}

void TDialGaugeNeedle::SetShineColorTo(TColor value)
{
    if (Store(m_shineColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterColor(TColor value)
{
    if (Store(m_outerCenterColor, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterColorTo(TColor value)
{
    if (Store(m_outerCenterColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetOuterCenterOpacity(int value)
{
    if (Store(m_outerCenterOpacity, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterColor(TColor value)
{
    if (Store(m_innerCenterColor, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterColorTo(TColor value)
{
    if (Store(m_innerCenterColorTo, value))
        Changed();
}

void TDialGaugeNeedle::SetInnerCenterOpacity(int value)
{
    if (Store(m_innerCenterOpacity, value))
        Changed();
}

void TDialGaugeNeedle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeNeedle *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_shineColor = other->m_shineColor;
    m_shineColorTo = other->m_shineColorTo;
    m_outerCenterColor = other->m_outerCenterColor;
    m_outerCenterColorTo = other->m_outerCenterColorTo;
    m_outerCenterOpacity = other->m_outerCenterOpacity;
    m_innerCenterColor = other->m_innerCenterColor;
    m_innerCenterColorTo = other->m_innerCenterColorTo;
    m_innerCenterOpacity = other->m_innerCenterOpacity;
    Changed();
}
