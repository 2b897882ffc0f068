// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeSection.h"

#include <cmath>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeGloss.h"
#include "gauge/DialGaugeSections.h"
#include "gauge/DialGaugeState.h"

class TDialGaugeSectionPrivate
{
public:
    TDialGaugeSections *m_collection = nullptr;
    TColor m_color = 0xFF0000;
    int m_opacity = 150;
    std::unique_ptr<TDialGaugeGloss> m_gloss;
    double m_startValue = 0.0;
    double m_endValue = 100.0;
    int m_innerMargin = 0;
    int m_outerMargin = 20;
};

TDialGaugeSection::TDialGaugeSection(TDialGaugeSections *collection)
    : TDialGaugePersistent(collection ? collection->Owner() : nullptr),
      d(std::make_unique<TDialGaugeSectionPrivate>())
{
    d->m_collection = collection;
    if (d->m_collection)
        d->m_collection->Attach(this);
    d->m_gloss = std::make_unique<TDialGaugeGloss>(Owner());
    d->m_gloss->OnChange = [this](QObject *) { SectionChanged(); };
    SectionChanged();
}

TDialGaugeSection::~TDialGaugeSection()
{
    if (d->m_collection)
        d->m_collection->Detach(this);
    d->m_gloss.reset();
    SectionChanged();
}

int TDialGaugeSection::Index() const
{
    if (!d->m_collection)
        return -1;
    for (int i = 0; i < d->m_collection->Count(); ++i) {
        if (d->m_collection->Items(i) == this)
            return i;
    }
    return -1;
}

void TDialGaugeSection::SectionChanged()
{
    if (TDialGaugeState *gauge = d->m_collection ? d->m_collection->State() : nullptr)
        gauge->Invalidate();
}

void TDialGaugeSection::SetColor(TColor value)
{
    if (Store(d->m_color, value))
        SectionChanged();
}

void TDialGaugeSection::SetOpacity(int value)
{
    if (Store(d->m_opacity, value))
        SectionChanged();
}

void TDialGaugeSection::SetGloss(const TDialGaugeGloss *value)
{
    if (!value || value == d->m_gloss.get())
        return;
    AssignQuietly(*d->m_gloss, value);
    SectionChanged();
}

void TDialGaugeSection::SetStartValue(double value)
{
    // The painter maps it to an angle; NaN or infinity has none.
    if (!std::isfinite(value))
        return;
    if (Store(d->m_startValue, value))
        SectionChanged();
}

void TDialGaugeSection::SetEndValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (Store(d->m_endValue, value))
        SectionChanged();
}

void TDialGaugeSection::SetOuterMargin(int value)
{
    if (Store(d->m_outerMargin, value))
        SectionChanged();
}

void TDialGaugeSection::SetInnerMargin(int value)
{
    if (Store(d->m_innerMargin, value))
        SectionChanged();
}

void TDialGaugeSection::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeSection *>(source);
    if (!other)
        return;
    d->m_color = other->d->m_color;
    d->m_opacity = other->d->m_opacity;
    d->m_gloss->Assign(other->d->m_gloss.get());
    d->m_startValue = other->d->m_startValue;
    d->m_endValue = other->d->m_endValue;
    d->m_outerMargin = other->d->m_outerMargin;
    d->m_innerMargin = other->d->m_innerMargin;
}

TDialGaugeSections *TDialGaugeSection::Collection() const
{
    return d->m_collection;
}

TColor TDialGaugeSection::Color() const
{
    return d->m_color;
}

int TDialGaugeSection::Opacity() const
{
    return d->m_opacity;
}

TDialGaugeGloss *TDialGaugeSection::Gloss() const
{
    return d->m_gloss.get();
}

double TDialGaugeSection::StartValue() const
{
    return d->m_startValue;
}

double TDialGaugeSection::EndValue() const
{
    return d->m_endValue;
}

int TDialGaugeSection::OuterMargin() const
{
    return d->m_outerMargin;
}

int TDialGaugeSection::InnerMargin() const
{
    return d->m_innerMargin;
}
