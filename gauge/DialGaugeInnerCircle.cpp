#include "gauge/DialGaugeInnerCircle.h"

#include "gauge/DialGaugeGloss.h"

TDialGaugeInnerCircle::TDialGaugeInnerCircle(TDialGauge *owner)
    : TDialGaugePersistent(owner), m_gloss(std::make_unique<TDialGaugeGloss>(owner))
{
    m_gloss->OnChange = [this](QObject *) { Changed(); };
}

TDialGaugeInnerCircle::~TDialGaugeInnerCircle() = default;

void TDialGaugeInnerCircle::SetColor(TColor value)
{
    if (Store(m_color, value))
        Changed();
}

void TDialGaugeInnerCircle::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        Changed();
}

void TDialGaugeInnerCircle::SetGloss(const TDialGaugeGloss *value)
{
    if (!value || value == m_gloss.get())
        return;
    AssignQuietly(*m_gloss, value);
    Changed();
}

void TDialGaugeInnerCircle::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeInnerCircle *>(source);
    if (!other)
        return;
    SetColor(other->m_color);
    SetOpacity(other->m_opacity);
    m_gloss->Assign(other->m_gloss.get());
}
