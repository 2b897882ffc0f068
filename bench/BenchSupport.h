// SPDX-License-Identifier: MIT
// What the gauge benchmarks share, so their ratios stand on the same floor:
// the gauge's size, the floor itself, the repetition settings and a console
// reporter that keeps each benchmark's median.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

constexpr int GaugeWidth = 303;
constexpr int GaugeHeight = 308;

// Fill one gauge-sized ARGB image and draw it onto another: the least any
// frame of the gauge can cost.
inline void Floor(benchmark::State &state)
{
    QImage layer(GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied);
    QImage target(GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied);
    target.fill(QColor(240, 240, 240));
    for (auto _ : state) {
        layer.fill(QColor(30, 60, 90));
        QPainter p(&target);
        p.drawImage(0, 0, layer);
    }
}

// Keeps the median of each benchmark by "function/arguments" ("Floor/",
// "GlideSize/600"), in wall-clock or CPU time.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    enum class Clock { Wall, Cpu };
    explicit MedianReporter(Clock clock = Clock::Wall) : m_clock(clock) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[run.run_name.function_name + "/" + run.run_name.args] =
                    m_clock == Clock::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // 0 when the benchmark did not run (filtered out).
    double median(const std::string &name) const
    {
        const auto it = m_medians.find(name);
        return it == m_medians.end() ? 0 : it->second;
    }

private:
    Clock m_clock;
    std::map<std::string, double> m_medians;
};

} // namespace bench

#define GAUGE_BENCHMARK(name)                                                                      \
    BENCHMARK(name)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond)
