#include "gauge/DialGaugeSection.h"

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeGloss.h"
#include "gauge/DialGaugeSections.h"

TDialGaugeSection::TDialGaugeSection(TDialGaugeSections *collection)
    : TDialGaugePersistent(collection ? collection->Owner() : nullptr), m_collection(collection)
{
    if (m_collection)
        m_collection->Attach(this);
    m_gloss = std::make_unique<TDialGaugeGloss>(Owner());
    m_gloss->OnChange = [this](QObject *) { SectionChanged(); };
    SectionChanged();
}

TDialGaugeSection::~TDialGaugeSection()
{
    if (m_collection)
        m_collection->Detach(this);
    m_gloss.reset();
    SectionChanged();
}

int TDialGaugeSection::Index() const
{
    if (!m_collection)
        return -1;
    for (int i = 0; i < m_collection->Count(); ++i) {
        if (m_collection->Items(i) == this)
            return i;
    }
    return -1;
}

void TDialGaugeSection::SectionChanged()
{
    if (TDialGauge *gauge = Owner())
        gauge->Invalidate();
}

void TDialGaugeSection::SetColor(TColor value)
{
    if (Store(m_color, value))
        SectionChanged();
}

void TDialGaugeSection::SetOpacity(int value)
{
    if (Store(m_opacity, value))
        SectionChanged();
}

void TDialGaugeSection::SetGloss(const TDialGaugeGloss *value)
{
    if (!value || value == m_gloss.get())
        return;
    AssignQuietly(*m_gloss, value);
    SectionChanged();
}

void TDialGaugeSection::SetStartValue(double value)
{
    // The painter maps it to an angle; NaN or infinity has none.
    if (!std::isfinite(value))
        return;
    if (Store(m_startValue, value))
        SectionChanged();
}

void TDialGaugeSection::SetEndValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(m_endValue, value))
        SectionChanged();
}

void TDialGaugeSection::SetOuterMargin(int value)
{
    if (Store(m_outerMargin, value))
        SectionChanged();
}

void TDialGaugeSection::SetInnerMargin(int value)
{
    if (Store(m_innerMargin, value))
        SectionChanged();
}

void TDialGaugeSection::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeSection *>(source);
    if (!other)
        return;
    m_color = other->m_color;
    m_opacity = other->m_opacity;
    m_gloss->Assign(other->m_gloss.get());
    m_startValue = other->m_startValue;
    m_endValue = other->m_endValue;
    m_outerMargin = other->m_outerMargin;
    m_innerMargin = other->m_innerMargin;
}
