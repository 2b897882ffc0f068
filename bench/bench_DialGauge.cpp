// Paint cost of the main window's gauge (303 x 308) on the offscreen
// platform, as ratios to a floor measured in the same run:
//   Glide        a frame while the value moves (the read-out and the needle change)
//   AfterChange  the first paint after a property change: nothing reusable
//   Straight     every layer every paint, nothing kept but the buffers
//   Floor        fill one 303 x 308 ARGB image and draw it onto another
// Argument 0 leaves Qt's global thread pool as it is; 1 limits it to one
// thread (Qt's raster engine splits large fills over that pool).
//
// Run a release build: build/release/bench/bench_DialGauge

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QThreadPool>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugePainter.h"
#include "tests/gauge/GaugeTestSupport.h"

namespace {

constexpr int GaugeWidth = 303;
constexpr int GaugeHeight = 308;

// The gauge at its place in a window, as the calculator holds it: a hidden
// top-level gauge renders measurably slower and would not be what is shipped.
struct Scene
{
    QWidget window;
    std::unique_ptr<TDialGauge> gauge = mainWindowGauge(0);
    QImage target{GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied};

    Scene()
    {
        window.resize(660, 360);
        gauge->setParent(&window);
        gauge->move(348, 34);
        // Frames are driven here, not by the timer.
        gauge->SetAnimation(false);
        target.fill(QColor(240, 240, 240));
    }

    // What a paint event of the gauge does, into the image.
    void render() { gauge->render(&target, QPoint(), QRegion(), QWidget::DrawChildren); }
};

Scene &scene()
{
    static Scene instance;
    return instance;
}

void UsePool(const benchmark::State &state)
{
    static const int usual = QThreadPool::globalInstance()->maxThreadCount();
    QThreadPool::globalInstance()->setMaxThreadCount(state.range(0) == 1 ? 1 : usual);
}

void Glide(benchmark::State &state)
{
    UsePool(state);
    Scene &s = scene();
    double value = 0;
    s.render();
    for (auto _ : state) {
        // A new read-out text and needle angle every frame.
        value += 0.37;
        if (value > 250)
            value -= 250;
        s.gauge->SetValue(value);
        s.render();
    }
}

void AfterChange(benchmark::State &state)
{
    UsePool(state);
    Scene &s = scene();
    int opacity = 150;
    for (auto _ : state) {
        opacity = opacity == 150 ? 151 : 150;
        s.gauge->InnerCircle()->SetOpacity(opacity);
        s.render();
    }
    s.gauge->InnerCircle()->SetOpacity(150);
}

void Straight(benchmark::State &state)
{
    UsePool(state);
    Scene &s = scene();
    TDialGaugePainter painter(*s.gauge);
    painter.SetCaching(false);
    double value = 0;
    for (auto _ : state) {
        value += 0.37;
        if (value > 250)
            value -= 250;
        s.gauge->SetValue(value);
        QPainter p(&s.target);
        painter.paint(p);
    }
}

void Floor(benchmark::State &state)
{
    UsePool(state);
    QImage layer(GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied);
    QImage target(GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied);
    target.fill(QColor(240, 240, 240));
    for (auto _ : state) {
        layer.fill(QColor(30, 60, 90));
        QPainter p(&target);
        p.drawImage(0, 0, layer);
    }
}

// Keeps the medians for the ratios printed at the end.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medians;
};

} // namespace

#define GAUGE_BENCHMARK(name)                                                                      \
    BENCHMARK(name)->Arg(0)->Arg(1)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(          \
        benchmark::kMicrosecond)

GAUGE_BENCHMARK(Floor);
GAUGE_BENCHMARK(Glide);
GAUGE_BENCHMARK(AfterChange);
GAUGE_BENCHMARK(Straight);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const char *pool : {"0", "1"}) {
        const auto floor = reporter.medians.find(std::string("Floor/") + pool);
        if (floor == reporter.medians.end() || floor->second <= 0)
            continue;
        std::printf("\nthread pool %s (floor median %.1f us):\n", *pool == '1' ? "limited to 1" : "as is",
                    floor->second);
        for (const char *name : {"Glide", "AfterChange", "Straight"}) {
            const auto it = reporter.medians.find(std::string(name) + "/" + pool);
            if (it != reporter.medians.end())
                std::printf("  %-12s median %8.1f us = %6.1f x floor\n", name, it->second,
                            it->second / floor->second);
        }
    }
    std::printf("targets: Glide <= 25 x floor, AfterChange <= 100 x floor\n");
    return 0;
}
