// SPDX-License-Identifier: MIT
// The painter-free fill against the raster engine itself: the same polygon,
// brush and ratio drawn both ways over the same pixels.
#include <QLinearGradient>
#include <QPainter>
#include <QtTest>

#include <random>

#include "platform/PixelCompose.h"
#include "platform/PolygonFill.h"

class tst_PolygonFill : public QObject
{
    Q_OBJECT

private slots:
    void matchesPainter_data();
    void matchesPainter();
    void refusesWhatOnlyAPainterDraws_data();
    void refusesWhatOnlyAPainterDraws();
    void drawsOnlyInsideClip_data();
    void drawsOnlyInsideClip();
    void composeMatchesPainter();
    void groupMatchesPainter_data();
    void groupMatchesPainter();
};

namespace {

struct Brush
{
    bool linear = false;
    QRgb color1 = 0;
    QRgb color2 = 0;
};

QImage Background(QRgb premultiplied)
{
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(premultiplied);
    return image;
}

QImage WithPainter(QImage image, const QPolygonF &polygon, const Brush &brush, qreal dpr)
{
    image.setDevicePixelRatio(dpr);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        if (brush.linear) {
            QLinearGradient gradient(polygon[0], polygon[2]);
            gradient.setColorAt(0, QColor::fromRgba(brush.color1));
            gradient.setColorAt(1, QColor::fromRgba(brush.color2));
            gradient.setSpread(QGradient::RepeatSpread);
            p.setBrush(gradient);
        } else {
            p.setBrush(QColor::fromRgba(brush.color1));
        }
        p.drawPolygon(polygon, Qt::OddEvenFill);
    }
    image.setDevicePixelRatio(1);
    return image;
}

TPolygonFill Fill(const QPolygonF &polygon, const Brush &brush)
{
    return brush.linear ? TPolygonFill::Linear(polygon[0], polygon[2], brush.color1, brush.color2)
                        : TPolygonFill::Solid(brush.color1);
}

int WorstChannel(const QImage &a, const QImage &b, int *differing)
{
    int worst = 0;
    *differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            worst = std::max(worst, d);
            *differing += d != 0;
        }
    }
    return worst;
}

// The gauge's needle: tip, side point, centre, side point, tip again a
// little behind.
QPolygonF Needle(double angle, double length)
{
    const QPointF c(60.3, 58.7);
    auto at = [&](double r, double a) {
        return QPointF(float(c.x() + r * std::cos(a)), float(c.y() + r * std::sin(a)));
    };
    return QPolygonF({at(length, angle), at(6, angle + 0.35), c, at(6, angle - 0.35), at(length, angle - 0.02)});
}

} // namespace

void tst_PolygonFill::matchesPainter_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<bool>("linear");
    QTest::addColumn<QRgb>("color1");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QRgb>("background");

    const QRgb clear = 0;
    const QRgb face = qPremultiply(qRgba(200, 210, 230, 150));
    // 1.5: a scale that is no power of two, so no exact inverse.
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QByteArray r = " ratio " + QByteArray::number(dpr);
        const double scale = 1 / dpr;
        for (const double angle : {0.0, 0.7, 1.9, 3.1416, 4.4}) {
            const QPolygonF needle = Needle(angle, 50 * scale + 2);
            QTest::newRow(QByteArray("needle body " + QByteArray::number(angle) + r))
                << needle << false << qRgba(255, 80, 0, 255) << dpr << face;
            QTest::newRow(QByteArray("needle shine " + QByteArray::number(angle) + r))
                << QPolygonF(needle.mid(0, 3)) << true << qRgba(255, 255, 255, 255) << dpr << face;
        }
        QTest::newRow(QByteArray("translucent square, clear" + r))
            << QPolygonF({{10.25, 10.5}, {50.1, 12.9}, {47.3, 55.55}, {8.8, 51.0}}) << false
            << qRgba(30, 60, 90, 40) << dpr << clear;
        QTest::newRow(QByteArray("sliver" + r))
            << QPolygonF({{5, 5}, {110, 6.3}, {5, 6.1}}) << false << qRgba(0, 0, 0, 255) << dpr << face;
        QTest::newRow(QByteArray("beyond every edge" + r))
            << QPolygonF({{-30, 40}, {60, -25}, {150, 70}, {55, 160}}) << true << qRgba(0, 128, 255, 255) << dpr
            << face;
        QTest::newRow(QByteArray("translucent gradient" + r))
            << QPolygonF({{12, 90}, {100, 20}, {70, 110}}) << true << qRgba(255, 0, 0, 90) << dpr << face;
    }
    // Random simple shapes.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-4, 64);
    for (int i = 0; i < 40; ++i) {
        QPolygonF polygon;
        for (int k = 0; k < 3 + i % 3; ++k)
            polygon << QPointF(float(coordinate(random)), float(coordinate(random)));
        if (!TPolygonFill::IsSimple(polygon.constData(), int(polygon.size())))
            continue;
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(i)))
            << polygon << bool(i % 2) << qRgba(int(random() % 256), int(random() % 256), 40, 255)
            << qreal(1 + i % 2) << (i % 4 < 2 ? face : clear);
    }
}

void tst_PolygonFill::matchesPainter()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(bool, linear);
    QFETCH(QRgb, color1);
    QFETCH(qreal, dpr);
    QFETCH(QRgb, background);
    const Brush brush{linear, color1, qRgba(20, 40, 160, qAlpha(color1))};
    const QImage expected = WithPainter(Background(background), polygon, brush, dpr);
    QImage actual = Background(background);
    TPolygonFill fill = Fill(polygon, brush);
    QVERIFY(fill.Fill(actual, actual.rect(), polygon.constData(), int(polygon.size()), dpr));
    int differing = 0;
    const int worst = WorstChannel(expected, actual, &differing);
    // Equal to the bit, but for a gradient's step rounded the other way
    // where the engine splits a row of spans.
    QVERIFY2(worst <= 1, qPrintable(QStringLiteral("%1 levels apart").arg(worst)));
    QVERIFY2(differing <= 4, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    if (linear)
        return;
    // Kept coverage, recorded and then replayed, draws the same.
    fill.SetRepeated(true);
    for (int pass = 0; pass < 2; ++pass) {
        QImage again = Background(background);
        QVERIFY(fill.Fill(again, again.rect(), polygon.constData(), int(polygon.size()), dpr));
        QCOMPARE(again, actual);
    }
}

void tst_PolygonFill::refusesWhatOnlyAPainterDraws_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::newRow("two points") << QPolygonF({{0, 0}, {10, 10}});
    QTest::newRow("bow tie") << QPolygonF({{0, 0}, {20, 20}, {20, 0}, {0, 20}});
    QTest::newRow("not finite") << QPolygonF({{0, 0}, {qInf(), 5}, {5, 9}});
    QTest::newRow("nan") << QPolygonF({{0, 0}, {qQNaN(), 5}, {5, 9}});
}

void tst_PolygonFill::refusesWhatOnlyAPainterDraws()
{
    QFETCH(QPolygonF, polygon);
    QImage image = Background(0);
    TPolygonFill fill = TPolygonFill::Solid(qRgb(255, 0, 0));
    QVERIFY(!fill.Fill(image, image.rect(), polygon.constData(), int(polygon.size()), 1));
    QCOMPARE(image, Background(0));
}

void tst_PolygonFill::drawsOnlyInsideClip_data()
{
    QTest::addColumn<bool>("linear");
    QTest::addColumn<bool>("repeated");
    QTest::addColumn<bool>("clippedFirst");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<double>("bottom");
    QTest::newRow("gradient") << true << false << false << QRect(30, 40, 25, 7) << 130.0;
    QTest::newRow("solid") << false << false << true << QRect(30, 40, 25, 7) << 130.0;
    // A repeated solid fill's coverage is kept from its first fill, clipped
    // or not: each row its own outline.
    QTest::newRow("repeated, whole first") << false << true << false << QRect(30, 40, 25, 7) << 131.0;
    QTest::newRow("repeated, clipped first") << false << true << true << QRect(30, 40, 25, 7) << 132.0;
    QTest::newRow("repeated, clip past the edge first") << false << true << true << QRect(-20, 100, 50, 50) << 133.0;
}

void tst_PolygonFill::drawsOnlyInsideClip()
{
    QFETCH(bool, linear);
    QFETCH(bool, repeated);
    QFETCH(bool, clippedFirst);
    QFETCH(QRect, clip);
    QFETCH(double, bottom);
    const QPolygonF polygon({{-10, -10}, {130, 5}, {60, bottom}});
    QImage whole = Background(0);
    QImage clipped = Background(0);
    TPolygonFill fill = linear ? TPolygonFill::Linear(polygon[0], polygon[2], qRgb(255, 0, 0), qRgb(0, 0, 255))
                               : TPolygonFill::Solid(qRgba(20, 200, 90, 180));
    fill.SetRepeated(repeated);
    if (clippedFirst)
        QVERIFY(fill.Fill(clipped, clip, polygon.constData(), 3, 1));
    QVERIFY(fill.Fill(whole, whole.rect(), polygon.constData(), 3, 1));
    if (!clippedFirst)
        QVERIFY(fill.Fill(clipped, clip, polygon.constData(), 3, 1));
    // Filled at its middle, outside every clip here.
    QVERIFY(qAlpha(whole.pixel(60, 42)) > 0);
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x)
            QCOMPARE(clipped.pixel(x, y), clip.contains(x, y) ? whole.pixel(x, y) : 0u);
    }
}

void tst_PolygonFill::composeMatchesPainter()
{
    // Every alpha over every kind of pixel below.
    QImage source(256, 6, QImage::Format_ARGB32_Premultiplied);
    QImage below(256, 6, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 6; ++y) {
            source.setPixel(x, y, qPremultiply(qRgba(255 - x, 40 * y, x / 2, x)));
            below.setPixel(x, y, qPremultiply(qRgba(y * 50, x, 255 - y * 40, y * 51)));
        }
    }
    QImage expected = below.copy();
    {
        QPainter p(&expected);
        p.drawImage(0, 0, source);
    }
    QImage actual = below.copy();
    PixelCompose::Over(actual, source, actual.rect());
    QCOMPARE(actual, expected);
}

void tst_PolygonFill::groupMatchesPainter_data()
{
    QTest::addColumn<int>("layers");
    QTest::addColumn<int>("length");
    // Runs of whole wide blocks, and with a remainder.
    for (int layers = 0; layers <= 3; ++layers) {
        for (int length : {3, 8, 37})
            QTest::addRow("%d layers, %d pixels", layers, length) << layers << length;
    }
}

void tst_PolygonFill::groupMatchesPainter()
{
    QFETCH(int, layers);
    QFETCH(int, length);
    std::mt19937 random(uint(layers * 100 + length));
    auto image = [&](int transparentEvery) {
        QImage result(length, 9, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < result.height(); ++y) {
            for (int x = 0; x < length; ++x) {
                const int alpha = int(random() % 256);
                // Layers also leave a whole block of eight empty.
                const bool clear = (transparentEvery > 0 && (x + y) % transparentEvery == 0)
                    || (transparentEvery == 2 && x >= 8 && x < 16);
                result.setPixel(x, y, clear ? 0u : qPremultiply(qRgba(int(random() % 256), int(random() % 256),
                                                                      int(random() % 256), y == 3 ? 255 : alpha)));
            }
        }
        return result;
    };
    const QImage below = image(0);
    const QImage group = image(3);
    const QImage frame = image(0);
    std::vector<QImage> over;
    for (int i = 0; i < layers; ++i)
        over.push_back(image(2));

    QImage grouped = group.copy();
    {
        QPainter p(&grouped);
        for (const QImage &layer : over)
            p.drawImage(0, 0, layer);
    }
    QImage shown = below.copy();
    {
        QPainter p(&shown);
        p.drawImage(0, 0, grouped);
    }
    QImage expected = frame.copy();
    QImage actual = frame.copy();
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < length; ++x) {
            if (group.pixel(x, y) != 0)
                expected.setPixel(x, y, shown.pixel(x, y));
        }
        std::vector<const QRgb *> rows;
        for (const QImage &layer : over)
            rows.push_back(reinterpret_cast<const QRgb *>(layer.constScanLine(y)));
        PixelCompose::OverGroup(reinterpret_cast<QRgb *>(actual.scanLine(y)),
                                reinterpret_cast<const QRgb *>(below.constScanLine(y)),
                                reinterpret_cast<const QRgb *>(group.constScanLine(y)), rows.data(), layers, length);
    }
    QCOMPARE(actual, expected);
}

QTEST_MAIN(tst_PolygonFill)
#include "tst_PolygonFill.moc"
