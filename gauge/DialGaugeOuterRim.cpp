#include "gauge/DialGaugeOuterRim.h"

TDialGaugeOuterRim::TDialGaugeOuterRim(TDialGauge *owner) : TDialGaugePersistent(owner) {}

void TDialGaugeOuterRim::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeOuterRim::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeOuterRim::SetWidth(int value)
{
    if (Store(m_width, value))
        Changed();
}

void TDialGaugeOuterRim::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeOuterRim *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_opacity = other->m_opacity;
    m_width = other->m_width;
    Changed();
}
