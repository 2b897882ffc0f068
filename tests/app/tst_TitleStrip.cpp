// SPDX-License-Identifier: MIT
#include <QtTest>

#include "app/TitleStrip.h"

namespace {

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Lossy compression moves a flat colour by a few units at most.
constexpr int kJpegTolerance = 4;

} // namespace

class tst_TitleStrip : public QObject
{
    Q_OBJECT
private slots:
    void pictureIsOneByTwentyTwo()
    {
        const QImage picture = TitleStrip::picture();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(1, 22));
    }

    void rowColours_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("top, light blue") << 0 << QColor(95, 174, 251);
        QTest::newRow("row 7") << 7 << QColor(131, 200, 255);
        QTest::newRow("row 12") << 12 << QColor(164, 217, 251);
        QTest::newRow("row 19, pale sky blue") << 19 << QColor(198, 246, 255);
        QTest::newRow("row 20, darker line") << 20 << QColor(122, 173, 200);
        QTest::newRow("row 21, darker line") << 21 << QColor(122, 173, 200);
    }
    void rowColours()
    {
        QFETCH(int, row);
        QFETCH(QColor, colour);
        const QRgb pixel = TitleStrip::picture().pixel(0, row);
        QVERIFY2(channelDistance(pixel, colour.rgb()) <= kJpegTolerance,
                 qPrintable(QColor(pixel).name() + QStringLiteral(" vs ") + colour.name()));
    }

    void shadingIsSmooth()
    {
        // Between the listed rows the strip brightens steadily: no step of
        // more than a few units from one row to the next, never darker.
        const QImage picture = TitleStrip::picture();
        for (int row = 1; row <= 19; ++row) {
            const QRgb above = picture.pixel(0, row - 1);
            const QRgb here = picture.pixel(0, row);
            QVERIFY2(channelDistance(above, here) <= 12, qPrintable(QString::number(row)));
            QVERIFY2(qGreen(here) + kJpegTolerance >= qGreen(above),
                     qPrintable(QString::number(row)));
        }
    }

    void stretched_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("main window strip") << QSize(653, 20);
        QTest::newRow("about window strip") << QSize(355, 20);
    }
    void stretched()
    {
        QFETCH(QSize, size);
        const QImage strip = TitleStrip::stretched(size).toImage();
        QCOMPARE(strip.size(), size);
        const QImage picture = TitleStrip::picture();
        const int last = size.height() - 1;
        for (int x : {0, size.width() / 2, size.width() - 1}) {
            // Same colour all the way across a row.
            QCOMPARE(strip.pixel(x, 0), strip.pixel(0, 0));
            QCOMPARE(strip.pixel(x, 0), picture.pixel(0, 0));
            // Exactly one dark line at the bottom, pale just above it.
            QCOMPARE(strip.pixel(x, last), picture.pixel(0, 20));
            QVERIFY(channelDistance(strip.pixel(x, last - 1), qRgb(198, 246, 255)) <= 8);
        }
    }

    void stretchedToNothing()
    {
        QVERIFY(TitleStrip::stretched(QSize(0, 20)).isNull());
        QVERIFY(TitleStrip::stretched(QSize(100, 0)).isNull());
    }
};

QTEST_MAIN(tst_TitleStrip)
#include "tst_TitleStrip.moc"
