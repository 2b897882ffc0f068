// SPDX-License-Identifier: MIT
#include "quick/DialGaugeQuickSection.h"

TDialGaugeQuickSection::TDialGaugeQuickSection(QObject *parent)
    : TDialGaugeQuickGroup(parent, true), m_holder(nullptr), g(*m_holder.Add())
{
    m_gloss = std::make_unique<TDialGaugeQuickGloss>(*g.Gloss(), nullptr, true);
    // A change of the gloss is a change of the section.
    connect(m_gloss.get(), &TDialGaugeQuickGroup::changed, this, &TDialGaugeQuickGroup::changed);
}

TDialGaugeQuickSection::~TDialGaugeQuickSection() = default;
