// SPDX-License-Identifier: MIT
#include "designer/DialGaugePropertySheet.h"

#include <QMetaEnum>
#include <QMetaProperty>

#include <algorithm>

#include <QtDesigner/QExtensionManager>

#include <DialGauge/DialGauge.h>

namespace {

// Published, but shown elsewhere: Enabled and Visible are QWidget's enabled
// and visible, and a font's Height is its Size in pixels.
bool ShownInEditor(const QString &name)
{
    static const QStringList hidden{QStringLiteral("Enabled"), QStringLiteral("Visible"),
                                    QStringLiteral("Font.Height"), QStringLiteral("ValueFont.Height")};
    return !hidden.contains(name);
}

// An enumeration's key, or flags' keys joined by '|', of a part's property.
QByteArray KeysOf(const QObject &part, const QString &name)
{
    const QMetaObject *meta = part.metaObject();
    const QMetaProperty property = meta->property(meta->indexOfProperty(name.toLatin1().constData()));
    const QMetaEnum enumeration = property.enumerator();
    const int value = property.read(&part).toInt();
    return enumeration.isFlag() ? enumeration.valueToKeys(value) : QByteArray(enumeration.valueToKey(value));
}

} // namespace

DialGaugePropertySheet::DialGaugePropertySheet(TDialGauge *gauge, QObject *base, const TDialGauge *baseline,
                                               QExtensionManager *manager, QObject *parent)
    : QObject(parent), m_gauge(gauge), m_base(base), m_baseline(baseline), m_manager(manager)
{
    const QDesignerPropertySheetExtension *sheet = Base();
    const QMetaObject &meta = TDialGauge::staticMetaObject;
    const QStringList names = TDialGaugeProperties::Names();
    m_baseCount = sheet->count();
    m_group = sheet->propertyGroup(sheet->indexOf(QStringLiteral("AnimationFactor")));
    for (int b = 0; b < m_baseCount; ++b) {
        const QString name = sheet->propertyName(b);
        const int own = meta.indexOfProperty(name.toLatin1().constData());
        if (own < meta.propertyOffset()) {
            m_entries.append({name, b, false, true});
            continue;
        }
        const QMetaProperty property = meta.property(own);
        if (property.metaType().flags() & QMetaType::PointerToQObject) {
            // The object's place goes to its properties; the sections have none.
            for (const QString &dotted : names) {
                if (!dotted.startsWith(name + u'.'))
                    continue;
                Entry entry{dotted, -1, true, ShownInEditor(dotted)};
                if (const QObject *part = Part(dotted)) {
                    const QMetaObject *partMeta = part->metaObject();
                    const QByteArray last = dotted.section(u'.', -1).toLatin1();
                    entry.keys = partMeta->property(partMeta->indexOfProperty(last.constData())).isEnumType();
                }
                m_entries.append(entry);
            }
            continue;
        }
        const QString scale = QStringLiteral("Scale.") + name;
        const QString shown = names.contains(scale) ? scale : name;
        m_entries.append({shown, b, true, ShownInEditor(shown)});
    }
}

DialGaugePropertySheet::~DialGaugePropertySheet() = default;

QDesignerPropertySheetExtension *DialGaugePropertySheet::Base() const
{
    return qobject_cast<QDesignerPropertySheetExtension *>(m_base.data());
}

QDesignerDynamicPropertySheetExtension *DialGaugePropertySheet::DynamicBase() const
{
    return qobject_cast<QDesignerDynamicPropertySheetExtension *>(m_base.data());
}

int DialGaugePropertySheet::BaseIndex(int index) const
{
    if (index < 0 || !Base())
        return -1;
    if (index < m_entries.size())
        return m_entries[index].gauge ? -1 : m_entries[index].base;
    const int base = m_baseCount + (index - int(m_entries.size()));
    return base < Base()->count() ? base : -1;
}

const DialGaugePropertySheet::Entry *DialGaugePropertySheet::GaugeEntry(int index) const
{
    if (index < 0 || index >= m_entries.size() || !m_entries[index].gauge)
        return nullptr;
    return &m_entries[index];
}

QObject *DialGaugePropertySheet::Part(const QString &name) const
{
    const QStringList path = name.split(u'.');
    QObject *part = m_gauge;
    for (qsizetype i = 0; i + 1 < path.size() && part; ++i)
        part = part->property(path[i].toLatin1().constData()).value<QObject *>();
    return part;
}

QDesignerPropertySheetExtension *DialGaugePropertySheet::PartSheet(const QString &name, int *index) const
{
    QObject *part = Part(name);
    if (!part)
        return nullptr;
    const QString last = name.section(u'.', -1);
    auto *sheet = qt_extension<QDesignerPropertySheetExtension *>(m_manager, part);
    if (!sheet)
        return nullptr;
    *index = sheet->indexOf(last);
    return *index >= 0 ? sheet : nullptr;
}

int DialGaugePropertySheet::count() const
{
    const int gained = Base() ? Base()->count() - m_baseCount : 0;
    return int(m_entries.size()) + std::max(0, gained);
}

int DialGaugePropertySheet::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name == name)
            return int(i);
    }
    // A form written by hand may name a tick colour plainly.
    if (!name.contains(u'.') && TDialGaugeProperties::IsColor(name))
        return indexOf(QStringLiteral("Scale.") + name);
    const int base = Base() ? Base()->indexOf(name) : -1;
    if (base < m_baseCount)
        return -1;
    return int(m_entries.size()) + (base - m_baseCount);
}

QString DialGaugePropertySheet::propertyName(int index) const
{
    if (index >= 0 && index < m_entries.size())
        return m_entries[index].name;
    const int base = BaseIndex(index);
    return base >= 0 ? Base()->propertyName(base) : QString();
}

QString DialGaugePropertySheet::propertyGroup(int index) const
{
    if (GaugeEntry(index))
        return m_group;
    const int base = BaseIndex(index);
    return base >= 0 ? Base()->propertyGroup(base) : QString();
}

void DialGaugePropertySheet::setPropertyGroup(int index, const QString &group)
{
    const int base = BaseIndex(index);
    if (base >= 0)
        Base()->setPropertyGroup(base, group);
}

bool DialGaugePropertySheet::hasReset(int index) const
{
    if (GaugeEntry(index))
        return true;
    const int base = BaseIndex(index);
    return base >= 0 && Base()->hasReset(base);
}

bool DialGaugePropertySheet::reset(int index)
{
    if (const Entry *entry = GaugeEntry(index)) {
        TDialGaugeProperties::Write(*m_gauge, entry->name, TDialGaugeProperties::Read(*m_baseline, entry->name));
        return true;
    }
    const int base = BaseIndex(index);
    return base >= 0 && Base()->reset(base);
}

bool DialGaugePropertySheet::isVisible(int index) const
{
    if (const Entry *entry = GaugeEntry(index))
        return entry->visible;
    const int base = BaseIndex(index);
    return base >= 0 && Base()->isVisible(base);
}

void DialGaugePropertySheet::setVisible(int index, bool visible)
{
    const int base = BaseIndex(index);
    if (base >= 0)
        Base()->setVisible(base, visible);
}

bool DialGaugePropertySheet::isAttribute(int index) const
{
    const int base = BaseIndex(index);
    return base >= 0 && Base()->isAttribute(base);
}

void DialGaugePropertySheet::setAttribute(int index, bool attribute)
{
    const int base = BaseIndex(index);
    if (base >= 0)
        Base()->setAttribute(base, attribute);
}

QVariant DialGaugePropertySheet::property(int index) const
{
    if (const Entry *entry = GaugeEntry(index)) {
        if (TDialGaugeProperties::IsColor(entry->name))
            return TDialGaugeProperties::ToQColor(TDialGaugeProperties::Read(*m_gauge, entry->name).toInt());
        if (entry->keys)
            return KeysOf(*Part(entry->name), entry->name.section(u'.', -1));
        // Designer's own sheets give enumerations, flags and texts the
        // values its editors and its form writer expect.
        if (entry->base >= 0 && Base())
            return Base()->property(entry->base);
        int part = -1;
        if (QDesignerPropertySheetExtension *sheet = PartSheet(entry->name, &part))
            return sheet->property(part);
        return TDialGaugeProperties::Read(*m_gauge, entry->name);
    }
    const int base = BaseIndex(index);
    return base >= 0 ? Base()->property(base) : QVariant();
}

void DialGaugePropertySheet::setProperty(int index, const QVariant &value)
{
    if (const Entry *entry = GaugeEntry(index)) {
        // A hidden Visible would hide the gauge in the form itself.
        if (!entry->visible && !entry->name.contains(u'.'))
            return;
        if (TDialGaugeProperties::IsColor(entry->name) || entry->keys) {
            TDialGaugeProperties::Write(*m_gauge, entry->name, value);
            return;
        }
        if (entry->base >= 0 && Base()) {
            Base()->setProperty(entry->base, value);
            return;
        }
        int part = -1;
        if (QDesignerPropertySheetExtension *sheet = PartSheet(entry->name, &part))
            sheet->setProperty(part, value);
        return;
    }
    const int base = BaseIndex(index);
    if (base >= 0)
        Base()->setProperty(base, value);
}

bool DialGaugePropertySheet::isChanged(int index) const
{
    if (const Entry *entry = GaugeEntry(index))
        return TDialGaugeProperties::Read(*m_gauge, entry->name) != TDialGaugeProperties::Read(*m_baseline, entry->name);
    const int base = BaseIndex(index);
    return base >= 0 && Base()->isChanged(base);
}

void DialGaugePropertySheet::setChanged(int index, bool changed)
{
    // A gauge property is changed by its value alone.
    const int base = BaseIndex(index);
    if (base >= 0)
        Base()->setChanged(base, changed);
}

bool DialGaugePropertySheet::isEnabled(int index) const
{
    if (const Entry *entry = GaugeEntry(index))
        return entry->name != QLatin1String("Version");
    const int base = BaseIndex(index);
    return base >= 0 && Base()->isEnabled(base);
}

bool DialGaugePropertySheet::dynamicPropertiesAllowed() const
{
    return DynamicBase() && DynamicBase()->dynamicPropertiesAllowed();
}

int DialGaugePropertySheet::addDynamicProperty(const QString &name, const QVariant &value)
{
    if (!canAddDynamicProperty(name))
        return -1;
    const int base = DynamicBase()->addDynamicProperty(name, value);
    if (base < m_baseCount)
        return -1;
    return int(m_entries.size()) + (base - m_baseCount);
}

bool DialGaugePropertySheet::removeDynamicProperty(int index)
{
    const int base = BaseIndex(index);
    return base >= 0 && DynamicBase() && DynamicBase()->removeDynamicProperty(base);
}

bool DialGaugePropertySheet::isDynamicProperty(int index) const
{
    if (GaugeEntry(index))
        return isChanged(index);
    const int base = BaseIndex(index);
    return base >= 0 && DynamicBase() && DynamicBase()->isDynamicProperty(base);
}

bool DialGaugePropertySheet::canAddDynamicProperty(const QString &name) const
{
    if (TDialGaugeProperties::Contains(name) || indexOf(name) >= 0)
        return false;
    return DynamicBase() && DynamicBase()->canAddDynamicProperty(name);
}
