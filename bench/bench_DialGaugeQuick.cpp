// SPDX-License-Identifier: MIT
// The QML item's glide frame next to the widget's, in one run, as ratios to
// the same floor as bench_DialGauge:
//   Floor        fill one 303 x 308 ARGB image and draw it onto another
//   Widget       a glide frame of a 303 x 308 TDialGauge alone in its window,
//                the window grabbed into a new picture
//   Quick        the same frame of the DialGauge QML item alone in its
//                window, drawn by the software scene graph and grabbed
//   WidgetRender the widget's frame rendered into a kept image, as
//                bench_DialGauge's glide frame
// Both gauges are the defaults with a scale to 250, moved by the same step
// each frame, animation off (frames are driven here, not by the timer).
// The ratios use CPU time: one thread paints, and on a shared machine the
// wall clock also counts the others.
//
// Run a release build: build/release/bench/bench_DialGaugeQuick

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <DialGauge/DialGauge.h>

namespace {

using bench::GaugeHeight;
using bench::GaugeWidth;
using bench::Floor;
using bench::MedianReporter;

void Step(double &value)
{
    value += 0.37;
    if (value > 250)
        value -= 250;
}

struct WidgetScene
{
    QWidget window;
    TDialGauge *gauge = new TDialGauge(&window);
    QImage target{GaugeWidth, GaugeHeight, QImage::Format_ARGB32_Premultiplied};

    WidgetScene()
    {
        window.resize(GaugeWidth, GaugeHeight);
        gauge->SetAnimation(false);
        gauge->SetMaximumValue(250);
        gauge->setGeometry(0, 0, GaugeWidth, GaugeHeight);
        window.show();
        target.fill(Qt::white);
    }
};

struct QuickScene
{
    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> gauge;

    QuickScene()
    {
        engine.addImportPath(QStringLiteral(DIALGAUGE_QML_STAGE));
        QQmlComponent component(&engine);
        component.setData("import DialGauge\nDialGauge { animation: false; maximumValue: 250; width: "
                              + QByteArray::number(GaugeWidth) + "; height: " + QByteArray::number(GaugeHeight)
                              + " }",
                          QUrl(QStringLiteral("bench.qml")));
        gauge.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!gauge)
            qFatal("%s", qPrintable(component.errorString()));
        window.setColor(Qt::white);
        window.resize(GaugeWidth, GaugeHeight);
        gauge->setParentItem(window.contentItem());
        window.show();
    }
    ~QuickScene() { gauge.reset(); }
};

// Made on first use, gone before the application object.
std::unique_ptr<WidgetScene> theWidgetScene;
std::unique_ptr<QuickScene> theQuickScene;

WidgetScene &widgetScene()
{
    if (!theWidgetScene)
        theWidgetScene = std::make_unique<WidgetScene>();
    return *theWidgetScene;
}

QuickScene &quickScene()
{
    if (!theQuickScene)
        theQuickScene = std::make_unique<QuickScene>();
    return *theQuickScene;
}

void Widget(benchmark::State &state)
{
    WidgetScene &s = widgetScene();
    double value = 0;
    benchmark::DoNotOptimize(s.window.grab());
    for (auto _ : state) {
        Step(value);
        s.gauge->SetValue(value);
        benchmark::DoNotOptimize(s.window.grab());
    }
}

void WidgetRender(benchmark::State &state)
{
    WidgetScene &s = widgetScene();
    double value = 0;
    s.gauge->render(&s.target, QPoint(), QRegion(), QWidget::DrawChildren);
    for (auto _ : state) {
        Step(value);
        s.gauge->SetValue(value);
        s.gauge->render(&s.target, QPoint(), QRegion(), QWidget::DrawChildren);
    }
}

void Quick(benchmark::State &state)
{
    QuickScene &s = quickScene();
    double value = 0;
    benchmark::DoNotOptimize(s.window.grabWindow());
    for (auto _ : state) {
        Step(value);
        s.gauge->setProperty("value", value);
        benchmark::DoNotOptimize(s.window.grabWindow());
    }
}

} // namespace

GAUGE_BENCHMARK(Floor);
GAUGE_BENCHMARK(Widget);
GAUGE_BENCHMARK(Quick);
GAUGE_BENCHMARK(WidgetRender);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter(MedianReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    theQuickScene.reset();
    theWidgetScene.reset();

    const double floor = reporter.median("Floor/");
    const double widget = reporter.median("Widget/");
    const double quick = reporter.median("Quick/");
    const double render = reporter.median("WidgetRender/");
    if (floor > 0 && widget > 0 && quick > 0) {
        std::printf("\nfloor median %.1f us\n", floor);
        std::printf("  widget glide frame, window grabbed   %9.1f us = %6.1f x floor\n", widget, widget / floor);
        std::printf("  QML item glide frame, window grabbed %9.1f us = %6.1f x floor\n", quick, quick / floor);
        std::printf("  widget glide frame, rendered         %9.1f us = %6.1f x floor\n", render, render / floor);
        std::printf("QML item / widget: %.2f (target <= 1.2)\n", quick / widget);
    }
    return 0;
}
