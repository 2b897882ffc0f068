// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <DialGauge/Colors.h>
#include <DialGauge/DialGaugeProperties.h>

// Base of the QML item's grouped properties (needle.color, arc.threshold.span):
// a view on one appearance object of the gauge, whose setters apply the
// gauge's own rules. changed() is raised by the item with every change of its
// gauge, and by a group not attached to one (a section's) after each write.
class TDialGaugeQuickGroup : public QObject
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    explicit TDialGaugeQuickGroup(QObject *parent, bool notifiesWrites = false)
        : QObject(parent), m_notifiesWrites(notifiesWrites)
    {
    }

signals:
    void changed();

protected:
    static QColor ToColor(TColor value) { return TDialGaugeProperties::ToQColor(value); }
    static TColor FromColor(const QColor &value) { return TDialGaugeProperties::FromQColor(value); }
    // After a write: a group of no gauge tells its own listeners.
    void Written()
    {
        if (m_notifiesWrites)
            emit changed();
    }

private:
    bool m_notifiesWrites;
};
