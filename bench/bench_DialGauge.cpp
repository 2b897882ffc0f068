// SPDX-License-Identifier: MIT
// Paint cost of the main window's gauge on the offscreen platform, as ratios
// to a floor measured in the same run:
//   Floor          fill one 303 x 308 ARGB image and draw it onto another
//   Glide          a whole frame while the value moves (needle and read-out change)
//   GlideRegion    the paint event of a glide step with the region the gauge
//                  asked to repaint (the needle's old and new bounds, the read-out)
//   AfterChange/*  the first paint after changing one appearance object, one
//                  per layer: disc, ticks and labels, arc, needle, read-out
//   Straight       every layer every paint, nothing kept but the buffers
//   GlideSize/*    a glide frame of a square gauge 150, 300, 600 and 1200 wide
// and, apart from painting, the animation timer's wakeups while the gauge rests.
// The repetitions of all of them are interleaved in random order, unless
// told otherwise: the machine's speed drifts during a run, and a ratio of
// two medians taken minutes apart would carry the drift.
//
// Run a release build: build/release/bench/bench_DialGauge

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimerEvent>
#include <QWidget>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugePainter.h"
#include "gauge/DialGaugePrivate.h"
#include "platform/WindowTimer.h"
#include "tests/gauge/GaugeTestSupport.h"

namespace {

using bench::GaugeHeight;
using bench::GaugeWidth;
using bench::Floor;
using bench::MedianReporter;

// The gauge at its place in a window, as the calculator holds it: a hidden
// top-level gauge renders measurably slower and would not be what is shipped.
struct Scene
{
    QWidget window;
    std::unique_ptr<TDialGauge> gauge = mainWindowGauge(0);
    QImage target;

    explicit Scene(QSize size = QSize(GaugeWidth, GaugeHeight))
    {
        window.resize(size.width() + 360, size.height() + 60);
        gauge->setParent(&window);
        gauge->move(348, 34);
        resizeTo(*gauge, size.width(), size.height());
        // Frames are driven here, not by the timer.
        gauge->SetAnimation(false);
        target = QImage(size, QImage::Format_ARGB32_Premultiplied);
        target.fill(QColor(240, 240, 240));
        // The first paint is straight and the kept layers are made just
        // after it: frames are timed from there on.
        render();
        QCoreApplication::processEvents();
    }

    // What a paint event of the gauge does, into the image; an empty region
    // paints the whole gauge.
    void render(const QRegion &region = QRegion())
    {
        gauge->render(&target, QPoint(), region, QWidget::DrawChildren);
    }

    // The region the last change asked to repaint.
    QRegion requested() const
    {
        const QRegion region = TDialGaugePrivate::Get(*gauge).m_requestedRegion;
        return region.isEmpty() ? QRegion(gauge->rect()) : region;
    }

    // A new read-out text and needle angle every frame.
    void step(double &value)
    {
        value += 0.37;
        if (value > 250)
            value -= 250;
        gauge->SetValue(value);
    }
};

Scene &scene()
{
    static Scene instance;
    return instance;
}

void Glide(benchmark::State &state)
{
    Scene &s = scene();
    double value = 0;
    s.render();
    for (auto _ : state) {
        s.step(value);
        s.render();
    }
}

void GlideRegion(benchmark::State &state)
{
    Scene &s = scene();
    double value = 0;
    s.render();
    for (auto _ : state) {
        s.step(value);
        s.render(s.requested());
    }
}

// One change per layer, undone at the next iteration.
using Toggle = std::function<void(TDialGauge &, bool)>;
const std::vector<std::pair<std::string, Toggle>> &changes()
{
    static const std::vector<std::pair<std::string, Toggle>> list{
        {"InnerCircle.Opacity", [](TDialGauge &g, bool on) { g.InnerCircle()->SetOpacity(on ? 151 : 150); }},
        {"DivisionColor", [](TDialGauge &g, bool on) { g.SetDivisionColor(on ? 0x3050D0 : 9841920); }},
        {"Arc.Color", [](TDialGauge &g, bool on) { g.Arc()->SetColor(on ? 0x80C0F0 : 16773091); }},
        {"Needle.Color", [](TDialGauge &g, bool on) { g.Needle()->SetColor(on ? 0x2040E0 : 16765615); }},
        {"Digit.Color", [](TDialGauge &g, bool on) { g.Digit()->SetColor(on ? 0x2040E0 : 9841920); }},
    };
    return list;
}

void AfterChange(benchmark::State &state)
{
    Scene &s = scene();
    const Toggle &change = changes()[std::size_t(state.range(0))].second;
    state.SetLabel(changes()[std::size_t(state.range(0))].first);
    s.render();
    bool on = false;
    for (auto _ : state) {
        on = !on;
        change(*s.gauge, on);
        s.render();
    }
    change(*s.gauge, false);
    s.render();
}

void Straight(benchmark::State &state)
{
    Scene &s = scene();
    TDialGaugePainter painter(*s.gauge);
    painter.SetCaching(false);
    double value = 0;
    for (auto _ : state) {
        s.step(value);
        QPainter p(&s.target);
        painter.paint(p);
    }
}

void GlideSize(benchmark::State &state)
{
    const int side = int(state.range(0));
    Scene s(QSize(side, side));
    double value = 0;
    s.render();
    for (auto _ : state) {
        s.step(value);
        s.render();
    }
}

// Timer events reaching the gauge's animation timer while the process runs
// its event loop with the gauge at rest in a shown window.
double WakeupsAtRest()
{
    struct Counter : QObject
    {
        int ticks = 0;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Timer && qobject_cast<TWindowTimer *>(watched))
                ++ticks;
            return false;
        }
    } counter;
    QWidget window;
    window.resize(700, 400);
    auto gauge = mainWindowGauge(27.54);
    gauge->setParent(&window);
    gauge->move(348, 34);
    window.show();
    QCoreApplication::processEvents();
    qApp->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    qApp->removeEventFilter(&counter);
    return counter.ticks * 1000.0 / double(clock.elapsed());
}

// Keeps the medians for the ratios printed at the end.
} // namespace

GAUGE_BENCHMARK(Floor);
GAUGE_BENCHMARK(Glide);
GAUGE_BENCHMARK(GlideRegion);
GAUGE_BENCHMARK(AfterChange)->DenseRange(0, 4);
GAUGE_BENCHMARK(Straight);
GAUGE_BENCHMARK(GlideSize)->Arg(150)->Arg(300)->Arg(600)->Arg(1200);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (std::none_of(args.begin(), args.end(), [](const char *arg) {
            return std::strncmp(arg, "--benchmark_enable_random_interleaving", 38) == 0;
        }))
        args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double floor = reporter.median("Floor/");
    if (floor > 0) {
        auto line = [&](const std::string &label, const std::string &name) {
            const double t = reporter.median(name);
            if (t > 0)
                std::printf("  %-28s %9.1f us = %6.1f x floor\n", label.c_str(), t, t / floor);
        };
        std::printf("\nfloor median %.1f us\n", floor);
        line("(a) glide frame", "Glide/");
        line("    glide, region paint", "GlideRegion/");
        std::vector<double> ratios;
        for (std::size_t i = 0; i < changes().size(); ++i) {
            const std::string name = "AfterChange/" + std::to_string(i);
            line("(b) after " + changes()[i].first, name);
            if (reporter.median(name) > 0)
                ratios.push_back(reporter.median(name) / floor);
        }
        if (!ratios.empty()) {
            std::sort(ratios.begin(), ratios.end());
            std::printf("    median of the changes                   %6.1f x floor\n", ratios[ratios.size() / 2]);
        }
        line("    straight paint", "Straight/");
    }
    const double glide600 = reporter.median("GlideSize/600");
    const double glide1200 = reporter.median("GlideSize/1200");
    if (glide600 > 0 && glide1200 > 0) {
        std::printf("(c) glide 150 %.1f us, 300 %.1f us, 600 %.1f us, 1200 %.1f us: 1200 = %.2f x 600\n",
                    reporter.median("GlideSize/150"), reporter.median("GlideSize/300"), glide600, glide1200,
                    glide1200 / glide600);
    }
    std::printf("(d) animation timer wakeups at rest: %.1f per second\n", WakeupsAtRest());
    std::printf("targets: (a) <= 4.5 x floor, (b) median <= 35 x floor and each <= straight, "
                "(c) <= 4.5, (d) 0; (e) is bench_Startup\n");
    return 0;
}
