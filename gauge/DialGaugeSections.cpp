// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeSections.h"

#include <algorithm>

#include "gauge/DialGaugeSection.h"
#include "gauge/DialGaugeState.h"

class TDialGaugeSectionsPrivate
{
public:
    std::vector<std::unique_ptr<TDialGaugeSection>> m_items;
    // Repainted by the items; null for a free collection.
    TDialGaugeState *m_state = nullptr;
};

TDialGaugeSections::TDialGaugeSections(TDialGauge *owner)
    : TDialGaugeSections(owner, TDialGaugeState::Of(owner))
{
}

TDialGaugeSections::TDialGaugeSections(TDialGauge *owner, TDialGaugeState *state)
    : TDialGaugePersistent(owner), d(std::make_unique<TDialGaugeSectionsPrivate>())
{
    d->m_state = state;
}

TDialGaugeSections::~TDialGaugeSections()
{
    Clear();
}

TDialGaugeSection *TDialGaugeSections::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return d->m_items[std::size_t(index)].get();
}

TDialGaugeSection *TDialGaugeSections::Add()
{
    // The section joins the collection itself.
    return new TDialGaugeSection(this);
}

TDialGaugeSection *TDialGaugeSections::Insert(int index)
{
    TDialGaugeSection *item = Add();
    const int to = std::clamp(index, 0, Count() - 1);
    std::rotate(d->m_items.begin() + to, d->m_items.end() - 1, d->m_items.end());
    return item;
}

void TDialGaugeSections::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    std::unique_ptr<TDialGaugeSection> item = std::move(d->m_items[std::size_t(index)]);
    d->m_items.erase(d->m_items.begin() + index);
    item.reset();
}

void TDialGaugeSections::Clear()
{
    while (!d->m_items.empty())
        Delete(Count() - 1);
}

void TDialGaugeSections::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeSections *>(source);
    if (!other || other == this)
        return;
    Clear();
    for (const auto &item : other->d->m_items)
        Add()->Assign(item.get());
}

void TDialGaugeSections::Attach(TDialGaugeSection *item)
{
    d->m_items.emplace_back(item);
}

void TDialGaugeSections::Detach(TDialGaugeSection *item)
{
    const auto it = std::find_if(d->m_items.begin(), d->m_items.end(),
                                 [item](const auto &p) { return p.get() == item; });
    if (it != d->m_items.end()) {
        (void)it->release();
        d->m_items.erase(it);
    }
}

TDialGaugeState *TDialGaugeSections::State() const
{
    return d->m_state;
}

int TDialGaugeSections::Count() const
{
    return int(d->m_items.size());
}
