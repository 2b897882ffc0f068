#include "gauge/DialGaugeGloss.h"

TDialGaugeGloss::TDialGaugeGloss(TDialGauge *owner) : TDialGaugePersistent(owner) {}

void TDialGaugeGloss::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeGloss::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeGloss::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeGloss *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_opacity = other->m_opacity;
    Changed();
}
