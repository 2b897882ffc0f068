// SPDX-License-Identifier: MIT
#include "platform/WindowTimer.h"

#include <QTimerEvent>

#include <algorithm>

TWindowTimer::TWindowTimer(QObject *parent) : QObject(parent) {}

TWindowTimer::~TWindowTimer() = default;

void TWindowTimer::SetInterval(int milliseconds)
{
    if (m_interval == milliseconds)
        return;
    m_interval = milliseconds;
    Restart();
}

int TWindowTimer::EffectiveInterval() const
{
    return std::max(m_interval, MinimumInterval);
}

void TWindowTimer::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Restart();
}

void TWindowTimer::Restart()
{
    m_timer.stop();
    if (m_enabled)
        m_timer.start(EffectiveInterval(), Qt::PreciseTimer, this);
}

void TWindowTimer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (OnTimer)
        OnTimer();
}
