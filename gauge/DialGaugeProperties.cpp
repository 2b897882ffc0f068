// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeProperties.h"

#include <QDebug>
#include <QMetaEnum>
#include <QMetaProperty>

#include <algorithm>
#include <limits>
#include <optional>

#include "gauge/DialGauge.h"

namespace {

struct Entry
{
    QString name;
    // Property names from the gauge down to the property itself.
    QList<QByteArray> path;
    bool color = false;
};

bool HoldsColor(const QMetaProperty &property)
{
    // TColor is an int: the name tells a colour from a count or a width.
    return property.metaType().id() == QMetaType::Int
        && QByteArray(property.name()).contains("Color");
}

// The names follow the Q_PROPERTY declarations, which are in published
// order; an appearance object's properties take the place of the object.
void Collect(const QMetaObject &meta, const QString &prefix, const QList<QByteArray> &path,
             QList<Entry> &entries)
{
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const QByteArray name = property.name();
        const QMetaObject *part = property.metaType().metaObject();
        if (part && (property.metaType().flags() & QMetaType::PointerToQObject)) {
            // The sections are a collection, not one object.
            if (part->inherits(&TDialGaugeSections::staticMetaObject))
                continue;
            Collect(*part, prefix + QString::fromLatin1(name) + u'.', path + QList{name}, entries);
            continue;
        }
        if (!property.isWritable())
            continue;
        Entry entry{prefix + QString::fromLatin1(name), path + QList{name}, HoldsColor(property)};
        if (entry.color && prefix.isEmpty())
            entry.name.prepend(QStringLiteral("Scale."));
        entries.append(entry);
    }
}

const QList<Entry> &Entries()
{
    static const QList<Entry> entries = [] {
        QList<Entry> list;
        Collect(TDialGauge::staticMetaObject, QString(), {}, list);
        return list;
    }();
    return entries;
}

const Entry *Find(const QString &name)
{
    for (const Entry &entry : Entries()) {
        if (entry.name == name)
            return &entry;
    }
    // The tick colours also answer to their plain names.
    for (const Entry &entry : Entries()) {
        if (entry.path.size() == 1 && QString::fromLatin1(entry.path.first()) == name)
            return &entry;
    }
    return nullptr;
}

// The object holding the entry's property, and the property.
QObject *Holder(const TDialGauge &gauge, const Entry &entry, QMetaProperty *property)
{
    QObject *holder = const_cast<TDialGauge *>(&gauge);
    for (qsizetype i = 0; i + 1 < entry.path.size() && holder; ++i)
        holder = holder->property(entry.path[i].constData()).value<QObject *>();
    if (!holder)
        return nullptr;
    const int index = holder->metaObject()->indexOfProperty(entry.path.last().constData());
    if (index < 0)
        return nullptr;
    *property = holder->metaObject()->property(index);
    return holder;
}

std::optional<qint64> Integer(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return value.toLongLong();
    default:
        // An enumeration value of its own type (QVariant::fromValue(fsBold)).
        if (value.metaType().flags() & QMetaType::IsEnumeration)
            return value.toLongLong();
        return std::nullopt;
    }
}

// "DialGaugeTypes::tkValue" and "DialGaugeTypes::TDialGaugeThresholdKind::tkValue" name tkValue.
QByteArray Unqualified(QString key)
{
    key = key.trimmed();
    const qsizetype colons = key.lastIndexOf(QStringLiteral("::"));
    if (colons >= 0)
        key = key.mid(colons + 2);
    return key.toLatin1();
}

std::optional<int> EnumerationValue(const QMetaEnum &enumeration, const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString || value.metaType().id() == QMetaType::QByteArray) {
        const QString text = value.toString();
        if (!enumeration.isFlag()) {
            bool ok = false;
            const int v = enumeration.keyToValue(Unqualified(text).constData(), &ok);
            return ok ? std::optional<int>(v) : std::nullopt;
        }
        int flags = 0;
        for (const QString &part : text.split(u'|', Qt::SkipEmptyParts)) {
            bool ok = false;
            flags |= enumeration.keyToValue(Unqualified(part).constData(), &ok);
            if (!ok)
                return std::nullopt;
        }
        return flags;
    }
    const std::optional<qint64> number = Integer(value);
    if (!number || *number < std::numeric_limits<int>::min() || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    const int v = int(*number);
    if (!enumeration.isFlag())
        return enumeration.valueToKey(v) ? std::optional<int>(v) : std::nullopt;
    int known = 0;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        known |= enumeration.value(i);
    return (v & ~known) == 0 ? std::optional<int>(v) : std::nullopt;
}

// value in the property's own type, or invalid when it does not convert.
QVariant Converted(const QMetaProperty &property, const Entry &entry, const QVariant &value)
{
    if (entry.color) {
        if (value.metaType().id() == QMetaType::QColor)
            return QVariant(int(TDialGaugeProperties::FromQColor(value.value<QColor>())));
        // A TColor integer: 0x00BBGGRR, or a system colour (negative, or
        // its unsigned form 0xFF0000xx).
        const std::optional<qint64> number = Integer(value);
        if (!number || *number < std::numeric_limits<qint32>::min()
            || *number > std::numeric_limits<quint32>::max())
            return QVariant();
        return QVariant(int(qint32(quint32(*number))));
    }
    if (property.isEnumType()) {
        const std::optional<int> v = EnumerationValue(property.enumerator(), value);
        if (!v)
            return QVariant();
        QVariant typed(*v);
        return typed.convert(property.metaType()) ? typed : QVariant();
    }
    if (value.metaType() == property.metaType())
        return value;
    // A colour is not a number, whatever QVariant would make of it.
    if (value.metaType().id() == QMetaType::QColor)
        return QVariant();
    QVariant typed = value;
    return typed.convert(property.metaType()) ? typed : QVariant();
}

} // namespace

QStringList TDialGaugeProperties::Names()
{
    QStringList names;
    for (const Entry &entry : Entries())
        names.append(entry.name);
    return names;
}

bool TDialGaugeProperties::Contains(const QString &name)
{
    return Find(name) != nullptr;
}

bool TDialGaugeProperties::IsColor(const QString &name)
{
    const Entry *entry = Find(name);
    return entry && entry->color;
}

QVariant TDialGaugeProperties::Read(const TDialGauge &gauge, const QString &name)
{
    const Entry *entry = Find(name);
    if (!entry)
        return QVariant();
    QMetaProperty property;
    const QObject *holder = Holder(gauge, *entry, &property);
    return holder ? property.read(holder) : QVariant();
}

bool TDialGaugeProperties::Write(TDialGauge &gauge, const QString &name, const QVariant &value)
{
    const Entry *entry = Find(name);
    if (!entry)
        return false;
    QMetaProperty property;
    QObject *holder = Holder(gauge, *entry, &property);
    if (!holder)
        return false;
    const QVariant typed = Converted(property, *entry, value);
    return typed.isValid() && property.write(holder, typed);
}

QColor TDialGaugeProperties::ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(0, 0, 0, 0);
    const QRgb rgb = ColorToRgb(color);
    QColor shown(qRed(rgb), qGreen(rgb), qBlue(rgb));
    if (isSystemColor(color)) {
        const int index = color & 0xFF;
        // Indices above 253 have no alpha of their own; none is in use.
        shown.setAlpha(std::max(1, 254 - index));
    }
    return shown;
}

TColor TDialGaugeProperties::FromQColor(const QColor &color)
{
    if (!color.isValid() || color.alpha() == 0)
        return clNone;
    if (color.alpha() < 255)
        return systemColor(254 - color.alpha());
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

bool TDialGaugeProperties::TakeDynamicProperty(TDialGauge &gauge, const QByteArray &name)
{
    const QString key = QString::fromLatin1(name);
    if (!key.contains(u'.') || !Contains(key))
        return false;
    const QVariant value = gauge.property(name.constData());
    // The removal below comes back here with no value.
    if (!value.isValid())
        return true;
    // Removed before it is applied: QObject drops a repeated equal value
    // unannounced, and the property may have changed in between.
    gauge.setProperty(name.constData(), QVariant());
    if (!Write(gauge, key, value))
        qWarning("TDialGauge: %s cannot take the value %s", name.constData(),
                 qPrintable(QDebug::toString(value)));
    return true;
}
