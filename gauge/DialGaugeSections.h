// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include <DialGauge/DialGaugePersistent.h>

class TDialGaugeSection;
class TDialGaugeSectionsPrivate;
class TDialGaugeState;

// Ordered collection of value bands, drawn first to last. Owns its items.
class DIALGAUGE_EXPORT TDialGaugeSections : public TDialGaugePersistent
{
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)

public:
    explicit TDialGaugeSections(TDialGauge *owner);
    ~TDialGaugeSections() override;

    int Count() const;
    // Item i, or null when i is out of range.
    TDialGaugeSection *Items(int index) const;
    TDialGaugeSection *operator[](int index) const { return Items(index); }

    // Appends a new section with default values and returns it.
    TDialGaugeSection *Add();
    // Inserts a new section at index (clamped to 0..Count).
    TDialGaugeSection *Insert(int index);
    // Frees item i; out-of-range indices are ignored.
    void Delete(int index);
    void Clear();

    // Recreates the items from a TDialGaugeSections source.
    void Assign(const QObject *source) override;

    // OnChange (inherited) is set by the gauge and never raised by the collection.

private:
    friend class TDialGaugeSection;
    friend class TDialGaugeState;
    // The sections of a gauge's state, which repaints when they change.
    Q_DECL_HIDDEN TDialGaugeSections(TDialGauge *owner, TDialGaugeState *state);
    // A new section joins at the end; one deleted from outside leaves.
    Q_DECL_HIDDEN void Attach(TDialGaugeSection *item);
    Q_DECL_HIDDEN TDialGaugeState *State() const;
    Q_DECL_HIDDEN void Detach(TDialGaugeSection *item);

    std::unique_ptr<TDialGaugeSectionsPrivate> d;
};
