// SPDX-License-Identifier: MIT
// Blending through an occupancy map leaves exactly what a full blend leaves.
#include <QtTest>

#include <random>

#include "platform/Occupancy.h"
#include "platform/PixelCompose.h"

class tst_Occupancy : public QObject
{
    Q_OBJECT

private slots:
    void blendMatchesFullBlend_data();
    void blendMatchesFullBlend();
    void anyMissesNoPixel_data() { blendMatchesFullBlend_data(); }
    void anyMissesNoPixel();
};

namespace {

enum Shape { Empty, Ring, LonePixels, Full };

QImage Layer(const QSize &size, Shape shape, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const double outer = std::min(size.width(), size.height()) / 2.0;
    for (int y = 0; y < size.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double d = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
            const bool on = shape == Full || (shape == Ring && d < outer && d > outer - 6);
            if (on) {
                const int a = int(random() % 256);
                row[x] = qRgba(int(random() % (a + 1)), 0, int(random() % (a + 1)), a);
            }
        }
    }
    if (shape == LonePixels) {
        // On both sides of chunk edges, the last column, and alone inside
        // a chunk whose ends are empty.
        for (const QPoint &p : {QPoint(31, 0), QPoint(32, 1), QPoint(63, 2), QPoint(64, 2), QPoint(size.width() - 1, 3),
                                QPoint(45, 4), QPoint(80, 5)})
            image.setPixel(p, 0x80402010);
    }
    return image;
}

} // namespace

void tst_Occupancy::blendMatchesFullBlend_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("shape");

    QTest::newRow("empty") << QSize(100, 40) << int(Empty);
    QTest::newRow("ring") << QSize(303, 308) << int(Ring);
    QTest::newRow("ring, rows of many words") << QSize(4200, 70) << int(Ring);
    QTest::newRow("lone pixels at chunk edges") << QSize(97, 8) << int(LonePixels);
    QTest::newRow("lone pixels, short last chunk") << QSize(90, 8) << int(LonePixels);
    QTest::newRow("full") << QSize(65, 65) << int(Full);
}

void tst_Occupancy::blendMatchesFullBlend()
{
    QFETCH(QSize, size);
    QFETCH(int, shape);

    const QImage layer = Layer(size, Shape(shape), 5);
    QImage below(size, QImage::Format_ARGB32_Premultiplied);
    below.fill(0xc0604020);
    TOccupancy occupied;
    occupied.Measure(layer);

    std::mt19937 random(11);
    for (int i = 0; i < 20; ++i) {
        const int x = int(random() % size.width());
        const int y = int(random() % size.height());
        const QRect rect = i == 0 ? QRect(QPoint(-5, -5), size + QSize(10, 10))
                                  : QRect(x, y, 1 + int(random() % (size.width() - x)), 1 + int(random() % (size.height() - y)));
        QImage expected = below;
        PixelCompose::Over(expected, layer, rect);
        QImage actual = below;
        PixelCompose::Over(actual, layer, rect, occupied);
        QCOMPARE(actual, expected);
    }
}

// A stretch of a row it calls empty holds no pixel: a reader that skips it
// loses nothing.
void tst_Occupancy::anyMissesNoPixel()
{
    QFETCH(QSize, size);
    QFETCH(int, shape);

    const QImage layer = Layer(size, Shape(shape), 5);
    TOccupancy occupied;
    occupied.Measure(layer);
    std::mt19937 random(13);
    for (int i = 0; i < 400; ++i) {
        const int y = int(random() % size.height());
        const int from = int(random() % size.width());
        const int to = from + 1 + int(random() % std::min(70, size.width() - from));
        const QRgb *row = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        const bool any = std::any_of(row + from, row + to, [](QRgb pixel) { return pixel != 0; });
        if (any)
            QVERIFY2(occupied.Any(y, from, to), qPrintable(QStringLiteral("row %1, %2..%3").arg(y).arg(from).arg(to)));
    }
    QVERIFY(!occupied.Any(0, 10, 10));
}

QTEST_MAIN(tst_Occupancy)
#include "tst_Occupancy.moc"
