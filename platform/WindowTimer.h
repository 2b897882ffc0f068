// SPDX-License-Identifier: MIT
#pragma once

#include <QBasicTimer>
#include <QObject>

#include <functional>

// A window-system timer: ticks arrive on the UI thread as events. Like
// classic desktop window timers it never ticks faster than every 10 ms: any
// shorter interval asked for is raised to that floor, so a 1 ms animation
// glides over a visible half second instead of jumping.
class TWindowTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinimumInterval = 10;

    explicit TWindowTimer(QObject *parent = nullptr);
    ~TWindowTimer() override;

    // Interval asked for, in ms (default 1000).
    int Interval() const { return m_interval; }
    void SetInterval(int milliseconds);
    // Interval the timer really runs at: Interval, at least MinimumInterval.
    int EffectiveInterval() const;

    // Disabled by default.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Whether the system timer is running now.
    bool IsActive() const { return m_timer.isActive(); }

    // Called at every tick.
    std::function<void()> OnTimer;

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void Restart();

    QBasicTimer m_timer;
    int m_interval = 1000;
    bool m_enabled = false;
};
