// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeFirstFrame.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <vector>

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

// Threads that may still be painting. Fonts and the platform must outlive
// them: the application waits for them as it starts to go down, and so does
// a process that exits without taking it down. Touched on the GUI thread
// only; never freed, so that a job going late still finds it.
std::vector<std::thread *> &running()
{
    static auto *const threads = new std::vector<std::thread *>;
    return *threads;
}

void joinRunning()
{
    for (std::thread *thread : running()) {
        if (thread->joinable())
            thread->join();
    }
}

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

    ~TJob() { running().erase(std::remove(running().begin(), running().end(), &thread), running().end()); }
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
    running().push_back(&job->thread);
    // A post routine is called once, as the application goes: added again
    // for each, in case there is another application later.
    qRemovePostRoutine(joinRunning);
    qAddPostRoutine(joinRunning);
    static const int atExit = std::atexit(joinRunning);
    Q_UNUSED(atExit);
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
