// SPDX-License-Identifier: MIT
// The painter-free stretch against the raster engine itself: the same image,
// rectangle and ratio drawn both ways, and any part of it redrawn alone.
#include <QPainter>
#include <QtTest>

#include <random>

#include "platform/SmoothScale.h"

class tst_SmoothScale : public QObject
{
    Q_OBJECT

private slots:
    void matchesPainter_data();
    void matchesPainter();
    void readersReadTheRectAlone_data() { matchesPainter_data(); }
    void readersReadTheRectAlone();
    void refusesOtherPaths_data();
    void refusesOtherPaths();
    void emptyAreaKeepsTargetShared_data();
    void emptyAreaKeepsTargetShared();
};

namespace {

constexpr QRgb Marker = 0xff123456;

QImage Noise(const QSize &size, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // Runs of flat colour and hard edges, as a dial face has.
            const int a = (x / 7 + y / 5) % 3 == 0 ? 255 : int(random() % 256);
            row[x] = qRgba(int(random() % (a + 1)), int(random() % (a + 1)), int(random() % (a + 1)), a);
        }
    }
    return image;
}

QImage WithPainter(const QSize &deviceSize, const QImage &source, const QRectF &rect, qreal dpr)
{
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    image.setDevicePixelRatio(dpr);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.drawImage(rect, source, QRectF(source.rect()));
    }
    image.setDevicePixelRatio(1);
    return image;
}

QString FirstDifference(const QImage &a, const QImage &b, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("(%1, %2): %3 against %4")
                    .arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
        }
    }
    return QString();
}

} // namespace

void tst_SmoothScale::matchesPainter_data()
{
    QTest::addColumn<QSize>("sourceSize");
    QTest::addColumn<QSize>("targetSize");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<qreal>("dpr");

    QTest::newRow("face into the dial") << QSize(303, 308) << QSize(303, 308) << QRectF(10, 12, 283, 284) << 1.0;
    QTest::newRow("face at ratio 2") << QSize(606, 616) << QSize(606, 616) << QRectF(10, 12, 283, 284) << 2.0;
    QTest::newRow("half-pixel rect at ratio 2") << QSize(300, 300) << QSize(300, 300) << QRectF(3.5, 4.5, 141, 140.5)
                                                << 2.0;
    QTest::newRow("small") << QSize(50, 50) << QSize(50, 50) << QRectF(2, 2, 46, 46) << 1.0;
    QTest::newRow("one pixel wide") << QSize(1, 40) << QSize(20, 40) << QRectF(3, 0, 5, 33) << 1.0;
    QTest::newRow("grows") << QSize(60, 40) << QSize(200, 150) << QRectF(5, 7, 170, 130) << 1.0;
    QTest::newRow("shrinks almost by half") << QSize(390, 200) << QSize(210, 210) << QRectF(2, 1, 201, 200) << 1.0;
    QTest::newRow("starts left of the image") << QSize(120, 120) << QSize(100, 100) << QRectF(-17, -9, 110, 115)
                                              << 1.0;
    QTest::newRow("ends past the image") << QSize(120, 120) << QSize(100, 100) << QRectF(20, 30, 110, 115) << 1.0;
    // Rows longer than one fetch start over at each piece.
    QTest::newRow("rows past one fetch") << QSize(2600, 6) << QSize(2500, 6) << QRectF(7, 0, 2480, 6) << 1.0;
    QTest::newRow("rows past one fetch at ratio 2") << QSize(4700, 4) << QSize(4600, 4) << QRectF(30, 0, 2260, 2)
                                                    << 2.0;
}

void tst_SmoothScale::matchesPainter()
{
    QFETCH(QSize, sourceSize);
    QFETCH(QSize, targetSize);
    QFETCH(QRectF, rect);
    QFETCH(qreal, dpr);

    const QImage source = Noise(sourceSize, unsigned(sourceSize.width() * 31 + targetSize.height()));
    const QImage expected = WithPainter(targetSize, source, rect, dpr);

    QImage whole(targetSize, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Marker);
    QVERIFY(SmoothScale::Draw(whole, source, rect, dpr, whole.rect()));
    const QString wrong = FirstDifference(whole, expected, whole.rect());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // Any part alone comes out as in the whole draw and leaves the rest.
    std::mt19937 random(7);
    for (int i = 0; i < 12; ++i) {
        const int x = int(random() % targetSize.width());
        const int y = int(random() % targetSize.height());
        const QRect area(x, y, 1 + int(random() % (targetSize.width() - x)), 1 + int(random() % (targetSize.height() - y)));
        QImage image(targetSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Marker);
        QVERIFY(SmoothScale::Draw(image, source, rect, dpr, area.adjusted(-3, -3, 0, 0)));
        const QRect inside = area.adjusted(-3, -3, 0, 0) & image.rect();
        const QString partWrong = FirstDifference(image, expected, inside);
        QVERIFY2(partWrong.isEmpty(), qPrintable(partWrong));
        QCOMPARE(image.pixel(inside.left() > 0 ? 0 : targetSize.width() - 1, inside.top() > 0 ? 0 : targetSize.height() - 1),
                 Marker);
    }
}

// What Readers names is what a change of the source rectangle reaches, and
// it reads nothing more than a pixel beyond the rectangle.
void tst_SmoothScale::readersReadTheRectAlone()
{
    QFETCH(QSize, sourceSize);
    QFETCH(QSize, targetSize);
    QFETCH(QRectF, rect);
    QFETCH(qreal, dpr);

    const QImage source = Noise(sourceSize, unsigned(sourceSize.height() * 17 + targetSize.width()));
    auto drawn = [&](const QImage &from) {
        QImage image(targetSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Marker);
        SmoothScale::Draw(image, from, rect, dpr, image.rect());
        return image;
    };
    const QImage before = drawn(source);
    std::mt19937 random(11);
    for (int i = 0; i < 8; ++i) {
        const int x = int(random() % sourceSize.width());
        const int y = int(random() % sourceSize.height());
        const QRect sourceRect(x, y, 1 + int(random() % std::min(12, sourceSize.width() - x)),
                               1 + int(random() % std::min(12, sourceSize.height() - y)));
        QRect readers;
        QVERIFY(SmoothScale::Readers(before, source, rect, dpr, sourceRect, readers));
        const QRect reach = sourceRect.adjusted(-1, -1, 1, 1);
        QImage inside = source.copy();
        QImage outside = source.copy();
        for (int sy = 0; sy < sourceSize.height(); ++sy) {
            QRgb *in = reinterpret_cast<QRgb *>(inside.scanLine(sy));
            QRgb *out = reinterpret_cast<QRgb *>(outside.scanLine(sy));
            for (int sx = 0; sx < sourceSize.width(); ++sx) {
                if (sourceRect.contains(sx, sy))
                    in[sx] = ~in[sx] | 0xff000000u;
                else if (!reach.contains(sx, sy))
                    out[sx] = ~out[sx] | 0xff000000u;
            }
        }
        const QImage afterInside = drawn(inside);
        const QImage afterOutside = drawn(outside);
        for (int ty = 0; ty < targetSize.height(); ++ty) {
            const QRgb *was = reinterpret_cast<const QRgb *>(before.constScanLine(ty));
            const QRgb *in = reinterpret_cast<const QRgb *>(afterInside.constScanLine(ty));
            const QRgb *out = reinterpret_cast<const QRgb *>(afterOutside.constScanLine(ty));
            for (int tx = 0; tx < targetSize.width(); ++tx) {
                const bool reader = readers.contains(tx, ty);
                if ((in[tx] != was[tx] && !reader) || (reader && out[tx] != was[tx]))
                    QFAIL(qPrintable(QString("(%1, %2) for %3, %4 %5 x %6: %7")
                                         .arg(tx).arg(ty).arg(x).arg(y).arg(sourceRect.width()).arg(sourceRect.height())
                                         .arg(reader ? "a reader reads beyond the rectangle" : "changed outside the readers")));
            }
        }
    }
}

void tst_SmoothScale::refusesOtherPaths_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<qreal>("dpr");

    QTest::newRow("edge off whole pixels") << QRectF(10.5, 10, 40, 40) << 1.0;
    QTest::newRow("quarter pixel at ratio 2") << QRectF(10.25, 10, 40, 40) << 2.0;
    QTest::newRow("shrinks by more than half") << QRectF(0, 0, 39, 100) << 1.0;
    QTest::newRow("mirrored") << QRectF(100, 0, -100, 100) << 1.0;
    QTest::newRow("empty") << QRectF(10, 10, 0, 40) << 1.0;
    QTest::newRow("not finite") << QRectF(qInf(), 0, 10, 10) << 1.0;
}

void tst_SmoothScale::refusesOtherPaths()
{
    QFETCH(QRectF, rect);
    QFETCH(qreal, dpr);

    const QImage source = Noise(QSize(100, 100), 3);
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Marker);
    QVERIFY(!SmoothScale::Draw(image, source, rect, dpr, image.rect()));
    QCOMPARE(image.pixel(60, 60), Marker);
    QRect readers;
    QVERIFY(!SmoothScale::Readers(image, source, rect, dpr, QRect(10, 10, 5, 5), readers));
}

void tst_SmoothScale::emptyAreaKeepsTargetShared_data()
{
    QTest::addColumn<QRect>("area");
    QTest::newRow("empty") << QRect(10, 10, 0, 0);
    QTest::newRow("beside the image") << QRect(200, 0, 20, 20);
    QTest::newRow("above the image") << QRect(0, -40, 20, 20);
}

// Drawing nothing must not copy a target whose pixels another image shares.
void tst_SmoothScale::emptyAreaKeepsTargetShared()
{
    QFETCH(QRect, area);
    const QImage source = Noise(QSize(100, 100), 4);
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Marker);
    const QImage sharer = image;
    QVERIFY(SmoothScale::Draw(image, source, QRectF(0, 0, 60, 60), 1.0, area));
    QCOMPARE(image.constBits(), sharer.constBits());
}

QTEST_MAIN(tst_SmoothScale)
#include "tst_SmoothScale.moc"
