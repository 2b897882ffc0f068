// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>

#include <memory>

class TDialGaugeState;

// A gauge's first, straight picture, painted on another core while the
// window it belongs to is still being built. A still copy of the gauge's
// state (TDialGaugeState::CopyPicture) and of the application palette go to
// a thread, which draws the face and the needle layer, each into an image of
// its own, with the straight paint's own code; the first paint lays them
// down as the straight paint would. The copy is made and dropped on the
// thread that makes this object, which joins the other before it goes.
class TDialGaugeFirstFrame
{
public:
    // Starts the thread for gauge as it is now, at dpr. Nothing starts for a
    // gauge on the move or loading, without a second core, or when no thread
    // can be made: see Started().
    TDialGaugeFirstFrame(const TDialGaugeState &gauge, qreal dpr);
    ~TDialGaugeFirstFrame();
    TDialGaugeFirstFrame(const TDialGaugeFirstFrame &) = delete;
    TDialGaugeFirstFrame &operator=(const TDialGaugeFirstFrame &) = delete;

    bool Started() const { return m_job != nullptr; }
    // The picture being made is gauge's as it is now at dpr: since the copy
    // gauge has not asked for a repaint nor changed its size, and the
    // application palette is the same.
    bool Current(const TDialGaugeState &gauge, qreal dpr) const;
    // The thread is done (or was never started): going costs no wait.
    bool Finished() const;
    // For a current picture (and only then), waits for the thread; true,
    // with the face and the needle layer, when it drew them with nothing
    // refused or failed. Either way a current picture is handed over once.
    bool Take(const TDialGaugeState &gauge, qreal dpr, QImage &face, QImage &needle);

private:
    struct TJob;
    void Wait();

    std::unique_ptr<TJob> m_job;
};
