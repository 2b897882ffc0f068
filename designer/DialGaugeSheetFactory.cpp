// SPDX-License-Identifier: MIT
#include "designer/DialGaugeSheetFactory.h"

#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

#include <DialGauge/DialGauge.h>

#include "designer/DialGaugePropertySheet.h"

DialGaugeSheetFactory::DialGaugeSheetFactory(QExtensionManager *parent) : QExtensionFactory(parent)
{
}

DialGaugeSheetFactory::~DialGaugeSheetFactory() = default;

const TDialGauge &DialGaugeSheetFactory::Baseline() const
{
    if (!m_baseline)
        m_baseline = std::make_unique<TDialGauge>();
    return *m_baseline;
}

QObject *DialGaugeSheetFactory::createExtension(QObject *object, const QString &iid, QObject *parent) const
{
    auto *gauge = qobject_cast<TDialGauge *>(object);
    if (!gauge || m_askingDesigner)
        return nullptr;
    if (iid != Q_TYPEID(QDesignerPropertySheetExtension) && iid != Q_TYPEID(QDesignerDynamicPropertySheetExtension))
        return nullptr;
    if (QObject *sheet = m_sheets.value(object))
        return sheet;

    m_askingDesigner = true;
    QObject *base = extensionManager()->extension(object, Q_TYPEID(QDesignerPropertySheetExtension));
    m_askingDesigner = false;
    if (!qobject_cast<QDesignerPropertySheetExtension *>(base))
        return nullptr;

    auto *sheet = new DialGaugePropertySheet(gauge, base, &Baseline(), extensionManager(), parent);
    m_sheets.insert(object, sheet);
    auto *self = const_cast<DialGaugeSheetFactory *>(this);
    connect(object, &QObject::destroyed, self, [self, object] { delete self->m_sheets.take(object); });
    return sheet;
}
