#include "gauge/DialGaugeSections.h"

#include <algorithm>

#include "gauge/DialGaugeSection.h"

TDialGaugeSections::TDialGaugeSections(TDialGauge *owner) : TDialGaugePersistent(owner) {}

TDialGaugeSections::~TDialGaugeSections()
{
    Clear();
}

TDialGaugeSection *TDialGaugeSections::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[std::size_t(index)].get();
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
    std::rotate(m_items.begin() + to, m_items.end() - 1, m_items.end());
    return item;
}

void TDialGaugeSections::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    std::unique_ptr<TDialGaugeSection> item = std::move(m_items[std::size_t(index)]);
    m_items.erase(m_items.begin() + index);
    item.reset();
}

void TDialGaugeSections::Clear()
{
    while (!m_items.empty())
        Delete(Count() - 1);
}

void TDialGaugeSections::Assign(const QObject *source)
{
    const auto *other = qobject_cast<const TDialGaugeSections *>(source);
    if (!other || other == this)
        return;
    Clear();
    for (const auto &item : other->m_items)
        Add()->Assign(item.get());
}

void TDialGaugeSections::Attach(TDialGaugeSection *item)
{
    m_items.emplace_back(item);
}

void TDialGaugeSections::Detach(TDialGaugeSection *item)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto &p) { return p.get() == item; });
    if (it != m_items.end()) {
        (void)it->release();
        m_items.erase(it);
    }
}
