// SPDX-License-Identifier: MIT
// Same pixels: the QML item drawn by the software scene graph and the widget
// rendered into an image, configured alike, differ by at most two levels in
// any channel of any pixel.
#include <QtTest>

#include <DialGauge/DialGauge.h>
#include <DialGauge/DialGaugeSection.h>
#include <DialGauge/DialGaugeSections.h>

#include <algorithm>
#include <cstdlib>

#include "tests/quick/QuickTestSupport.h"

using QuickTest::Host;

namespace {

constexpr int Tolerance = 2;

struct Difference
{
    int largest = 0;
    int pixels = 0; // pixels with any channel off at all
    QPoint worst;
};

Difference Compare(const QImage &a, const QImage &b)
{
    Difference d;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int off = std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                                      std::abs(qBlue(p[col]) - qBlue(q[col])), std::abs(qAlpha(p[col]) - qAlpha(q[col]))});
            if (off > 0)
                ++d.pixels;
            if (off > d.largest) {
                d.largest = off;
                d.worst = QPoint(col, row);
            }
        }
    }
    return d;
}

// The widget over the same white the window shows.
QImage RenderWidget(TDialGauge &gauge)
{
    QImage image(gauge.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    gauge.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

class tst_DialGaugeQuickPixels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QuickTest::UseSoftwareBackend(); }

    void samePixels_data()
    {
        QTest::addColumn<int>("preset"); // -1: the defaults
        QTest::addColumn<double>("value");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("withSections");
        for (const QSize size : {QSize(200, 200), QSize(303, 308)}) {
            for (int preset = -1; preset <= 9; ++preset) {
                for (const double value : {0.0, 37.25, 100.0}) {
                    QTest::addRow("%s, value %g, %dx%d", preset < 0 ? "default" : qPrintable(QStringLiteral("preset %1").arg(preset)),
                                  value, size.width(), size.height())
                        << preset << value << size << false;
                }
            }
            QTest::addRow("sections, %dx%d", size.width(), size.height()) << 3 << 71.5 << size << true;
        }
    }

    void samePixels()
    {
        QFETCH(int, preset);
        QFETCH(double, value);
        QFETCH(QSize, size);
        QFETCH(bool, withSections);

        const QByteArray sections = withSections
            ? "sections: [ DialGaugeSection { startValue: 60; endValue: 90; color: '#c03030'; opacity: 180 },"
              " DialGaugeSection { startValue: 5; endValue: 25; innerMargin: 12; gloss.opacity: 90 } ]\n"
            : "";
        Host host("DialGauge { animation: false; width: " + QByteArray::number(size.width())
                      + "; height: " + QByteArray::number(size.height()) + "\n" + sections + "}",
                  size);
        QVERIFY2(host.item(), qPrintable(host.errors()));
        if (preset >= 0)
            QMetaObject::invokeMethod(host.item(), "applyStyle", Q_ARG(int, preset));
        host.write("value", value);

        TDialGauge gauge;
        gauge.resize(size);
        gauge.SetAnimation(false);
        if (withSections) {
            TDialGaugeSection *a = gauge.Sections()->Add();
            a->SetStartValue(60);
            a->SetEndValue(90);
            a->SetColor(0x3030C0);
            a->SetOpacity(180);
            TDialGaugeSection *b = gauge.Sections()->Add();
            b->SetStartValue(5);
            b->SetEndValue(25);
            b->SetInnerMargin(12);
            b->Gloss()->SetOpacity(90);
        }
        if (preset >= 0)
            gauge.ApplyStyle(quint8(preset));
        gauge.SetValue(value);

        QVERIFY(host.expose());
        const QImage quick = host.window().grabWindow();
        const QImage widget = RenderWidget(gauge);
        QCOMPARE(quick.size(), widget.size());
        const Difference d = Compare(quick, widget);
        qInfo("largest difference %d levels, %d pixels differ", d.largest, d.pixels);
        if (d.largest > Tolerance) {
            quick.save(QStringLiteral("quick-%1.png").arg(QTest::currentDataTag()).replace(' ', '_').replace(',', ""));
            widget.save(QStringLiteral("widget-%1.png").arg(QTest::currentDataTag()).replace(' ', '_').replace(',', ""));
        }
        QVERIFY2(d.largest <= Tolerance, qPrintable(QStringLiteral("%1 levels at (%2, %3), %4 pixels differ")
                                                        .arg(d.largest)
                                                        .arg(d.worst.x())
                                                        .arg(d.worst.y())
                                                        .arg(d.pixels)));
        // Not trivially equal: the gauge drew something over the white.
        QImage white(widget.size(), QImage::Format_ARGB32);
        white.fill(Qt::white);
        QVERIFY(Compare(widget, white).pixels > size.width() * size.height() / 4);
    }
};

QTEST_MAIN(tst_DialGaugeQuickPixels)
#include "tst_DialGaugeQuickPixels.moc"
