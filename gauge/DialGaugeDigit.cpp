#include "gauge/DialGaugeDigit.h"

TDialGaugeDigit::TDialGaugeDigit(TDialGauge *owner) : TDialGaugePersistent(owner) {}

void TDialGaugeDigit::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeDigit::SetBackGroundColor(TColor value)
{
    if (Store(m_backGroundColor, value))
        Changed();
}

void TDialGaugeDigit::SetBackGroundOpacity(int value)
{
    if (Store(m_backGroundOpacity, value))
        Changed();
}

void TDialGaugeDigit::SetVisible(bool value)
{
    if (Store(m_visible, value))
        Changed();
}

void TDialGaugeDigit::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeDigit *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_backGroundColor = other->m_backGroundColor;
    m_backGroundOpacity = other->m_backGroundOpacity;
    m_visible = other->m_visible;
    Changed();
}
