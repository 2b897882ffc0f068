// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <DialGauge/DialGaugeExport.h>
#include <DialGauge/DialGaugeTypes.h>

class TDialGauge;

// Base of the gauge's appearance objects: a back-reference to the gauge (not
// owned, may be null for a free-standing object used only as a copy source)
// and one replaceable change callback.
class DIALGAUGE_EXPORT TDialGaugePersistent : public QObject
{
    Q_OBJECT

public:
    explicit TDialGaugePersistent(TDialGauge *owner);
    ~TDialGaugePersistent() override;

    TDialGauge *Owner() const { return m_owner; }

    // Copies the contents of an object of the same class; any other source
    // (null included) is ignored.
    virtual void Assign(const QObject *source) = 0;

    // Raised after an accepted change with this object as sender. The owner
    // installs its repaint handler here; a handler of your own replaces it and
    // so cuts this object off from the automatic repaint.
    TNotifyEvent OnChange;

protected:
    // Raises OnChange when assigned.
    void Changed();
    // Assign without raising target's OnChange, for owners that raise once
    // themselves.
    static void AssignQuietly(TDialGaugePersistent &target, const QObject *source);

    // Stores value when it differs (exact comparison); true when it did.
    template<class T>
    static bool Store(T &field, const T &value)
    {
        if (field == value)
            return false;
        field = value;
        return true;
    }

private:
    TDialGauge *m_owner;
};
