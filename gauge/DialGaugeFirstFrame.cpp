// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeFirstFrame.h"

#include <QGuiApplication>
#include <QPalette>
#include <QThread>

#include <atomic>
#include <system_error>
#include <thread>

#include "gauge/DialGaugePainter.h"
#include "gauge/DialGaugeState.h"
#include "platform/ThreadPalette.h"

namespace {

// The copy's host: the source's size, and nobody to tell of changes.
class TStillHost : public TDialGaugeState::THost
{
public:
    explicit TStillHost(const QSize &size) : m_size(size) {}
    QSize HostSize() const override { return m_size; }
    void RepaintRequested(TDialGaugeState::Repaint) override {}
    void ValueChanged(double) override {}
    void ValueSettled(double) override {}

private:
    QSize m_size;
};

} // namespace

struct TDialGaugeFirstFrame::TJob
{
    TJob(const TDialGaugeState &gauge, qreal ratio)
        : host(QSize(gauge.Width(), gauge.Height())), state(host, nullptr, false), dpr(ratio),
          requests(gauge.RepaintRequestCount()), palette(QGuiApplication::palette())
    {
        state.CopyPicture(gauge);
    }

    TStillHost host;
    TDialGaugeState state;
    const qreal dpr;
    // The source's repaint requests when the copy was made.
    const quint64 requests;
    const QPalette palette;

    // Written by the thread, read once it is joined.
    bool drawn = false;
    QImage face;
    QImage needle;
    std::atomic<bool> finished{false};
    std::thread thread;
};

TDialGaugeFirstFrame::TDialGaugeFirstFrame(const TDialGaugeState &gauge, qreal dpr)
{
    if (QThread::idealThreadCount() < 2 || gauge.IsLoading() || gauge.Value() != gauge.AnimationTarget()
        || gauge.Width() < 1 || gauge.Height() < 1)
        return;
    auto job = std::make_unique<TJob>(gauge, dpr);
    TJob *const copy = job.get();
    try {
        // A thread of its own: Qt's pool may be busy with the application's
        // long tasks. Joined before the job goes.
        job->thread = std::thread([copy] {
            try {
                const TThreadPalette palette(copy->palette);
                TDialGaugePainter painter(copy->state);
                copy->drawn = painter.DrawStraightLayers(copy->dpr, copy->face, copy->needle);
            } catch (...) {
                copy->drawn = false;
            }
            copy->finished.store(true, std::memory_order_release);
        });
    } catch (const std::system_error &) {
        return;
    }
    m_job = std::move(job);
}

TDialGaugeFirstFrame::~TDialGaugeFirstFrame()
{
    Wait();
}

void TDialGaugeFirstFrame::Wait()
{
    if (m_job && m_job->thread.joinable())
        m_job->thread.join();
}

bool TDialGaugeFirstFrame::Current(const TDialGaugeState &gauge, qreal dpr) const
{
    // A hidden gauge hears of no palette change: the palette is compared.
    return m_job && m_job->requests == gauge.RepaintRequestCount() && m_job->dpr == dpr
        && m_job->host.HostSize() == QSize(gauge.Width(), gauge.Height())
        && m_job->palette == QGuiApplication::palette();
}

bool TDialGaugeFirstFrame::Finished() const
{
    return !m_job || m_job->finished.load(std::memory_order_acquire);
}

bool TDialGaugeFirstFrame::Take(const TDialGaugeState &gauge, qreal dpr, QImage &face, QImage &needle)
{
    // A picture of something else is not waited for.
    if (!Current(gauge, dpr))
        return false;
    Wait();
    const bool drawn = m_job->drawn;
    if (drawn) {
        face = std::move(m_job->face);
        needle = std::move(m_job->needle);
    }
    m_job.reset();
    return drawn;
}
