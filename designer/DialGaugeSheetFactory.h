// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>

#include <memory>

#include <QtDesigner/QExtensionFactory>

class TDialGauge;

// Gives every gauge in Designer a DialGaugePropertySheet, for both the
// property sheet and the dynamic property sheet extension (one object, as
// Designer's own sheets are). The sheet wraps the one Designer would have
// made: while it is being looked up this factory answers nothing, so the
// extension manager asks the next factory, Designer's own.
class DialGaugeSheetFactory : public QExtensionFactory
{
    Q_OBJECT

public:
    explicit DialGaugeSheetFactory(QExtensionManager *parent);
    ~DialGaugeSheetFactory() override;

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;

private:
    // A gauge as built at run time: what "changed" is measured against.
    const TDialGauge &Baseline() const;

    mutable QHash<QObject *, QObject *> m_sheets;
    mutable bool m_askingDesigner = false;
    mutable std::unique_ptr<TDialGauge> m_baseline;
};
