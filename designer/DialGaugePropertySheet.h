// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerPropertySheetExtension>

class QExtensionManager;
class TDialGauge;

// What Designer's property editor shows of a gauge and what a saved form
// holds. It wraps Designer's own sheet for the gauge: the inherited QWidget
// properties stay as that sheet has them, the gauge's own properties keep
// their place, and each appearance object is replaced by its properties
// under dotted names (Needle.Color, Arc.Threshold.Span), in published order.
//
// - Colours are QColors (TDialGaugeProperties::ToQColor), enumerations and
//   flags come by name through Designer's sheet of the part that holds them.
// - A property counts as changed, and so is saved, exactly when it differs
//   from a gauge built at run time: the form-storage default where the
//   property declares one, the construction value where it does not.
// - Saved gauge properties are marked as dynamic ones, the only way a sheet
//   can have Designer write them with stdset="0": uic then emits
//   setProperty("Needle.Color", ...) instead of a setter that does not exist
//   (the gauge's setters are SetX, and dotted names have none).
class DialGaugePropertySheet : public QObject,
                               public QDesignerPropertySheetExtension,
                               public QDesignerDynamicPropertySheetExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension QDesignerDynamicPropertySheetExtension)

public:
    // base: Designer's own sheet for gauge; baseline: a gauge as built at run
    // time, never changed.
    DialGaugePropertySheet(TDialGauge *gauge, QObject *base, const TDialGauge *baseline,
                           QExtensionManager *manager, QObject *parent);
    ~DialGaugePropertySheet() override;

    int count() const override;
    int indexOf(const QString &name) const override;
    QString propertyName(int index) const override;
    QString propertyGroup(int index) const override;
    void setPropertyGroup(int index, const QString &group) override;
    bool hasReset(int index) const override;
    bool reset(int index) override;
    bool isVisible(int index) const override;
    void setVisible(int index, bool visible) override;
    bool isAttribute(int index) const override;
    void setAttribute(int index, bool attribute) override;
    QVariant property(int index) const override;
    void setProperty(int index, const QVariant &value) override;
    bool isChanged(int index) const override;
    void setChanged(int index, bool changed) override;
    bool isEnabled(int index) const override;

    bool dynamicPropertiesAllowed() const override;
    int addDynamicProperty(const QString &name, const QVariant &value) override;
    bool removeDynamicProperty(int index) override;
    bool isDynamicProperty(int index) const override;
    bool canAddDynamicProperty(const QString &name) const override;

private:
    struct Entry
    {
        QString name;
        // Index in the wrapped sheet: the inherited and the gauge's own
        // properties; -1 for a dotted one.
        int base = -1;
        // One of the gauge's published properties (dotted or not).
        bool gauge = false;
        bool visible = true;
        // A dotted enumeration or set of flags, shown and stored by its keys.
        bool keys = false;
    };

    QDesignerPropertySheetExtension *Base() const;
    QDesignerDynamicPropertySheetExtension *DynamicBase() const;
    // The wrapped sheet's index for index, or -1 for a gauge property that
    // only this sheet has.
    int BaseIndex(int index) const;
    const Entry *GaugeEntry(int index) const;
    // Designer's sheet of the appearance object holding a dotted property,
    // and the property's index there.
    QDesignerPropertySheetExtension *PartSheet(const QString &name, int *index) const;
    // The appearance object holding a dotted property.
    QObject *Part(const QString &name) const;

    TDialGauge *m_gauge;
    QPointer<QObject> m_base;
    const TDialGauge *m_baseline;
    QExtensionManager *m_manager;
    QList<Entry> m_entries;
    // The wrapped sheet's size when this one was made; properties it gains
    // later (dynamic ones the user adds) follow the entries.
    int m_baseCount = 0;
    QString m_group;
};
