// SPDX-License-Identifier: MIT
#include "gauge/DialGaugePersistent.h"

#include <utility>

TDialGaugePersistent::TDialGaugePersistent(TDialGauge *owner) : m_owner(owner) {}

TDialGaugePersistent::~TDialGaugePersistent() = default;

void TDialGaugePersistent::Changed()
{
    // A copy, so that a handler may replace OnChange while it runs.
    if (const TNotifyEvent handler = OnChange)
        handler(this);
}

void TDialGaugePersistent::AssignQuietly(TDialGaugePersistent &target, const QObject *source)
{
    TNotifyEvent handler = std::exchange(target.OnChange, nullptr);
    target.Assign(source);
    target.OnChange = std::move(handler);
}
