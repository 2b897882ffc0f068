#include "gauge/DialGaugeOuterCircle.h"

#include <cmath>

TDialGaugeOuterCircle::TDialGaugeOuterCircle(TDialGauge *owner) : TDialGaugePersistent(owner) {}

void TDialGaugeOuterCircle::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeOuterCircle::SetWidth(double value)
{
    // A non-finite fraction would give the painter a NaN or infinite pen.
    if (!std::isfinite(value))
        return;
    if (Store(m_width, value))
        Changed();
}

void TDialGaugeOuterCircle::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeOuterCircle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeOuterCircle *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_width = other->m_width;
    m_opacity = other->m_opacity;
    Changed();
}
