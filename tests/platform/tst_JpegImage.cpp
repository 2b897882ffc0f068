// SPDX-License-Identifier: MIT
#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QtTest>

#include "platform/JpegImage.h"

namespace {

QByteArray encode(const QImage &image, int quality = 100)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        return QByteArray();
    return bytes;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

class tst_JpegImage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QImageWriter::supportedImageFormats().contains("jpeg"))
            QSKIP("Qt's JPEG writer is needed to make the test pictures");
    }

    void solidColours_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("title blue 16x16") << QSize(16, 16) << QColor(95, 174, 251);
        QTest::newRow("pale sky blue 1x22") << QSize(1, 22) << QColor(198, 246, 255);
        QTest::newRow("red odd size 13x7") << QSize(13, 7) << QColor(255, 0, 0);
        QTest::newRow("black 8x8") << QSize(8, 8) << QColor(0, 0, 0);
        QTest::newRow("white wide 300x2") << QSize(300, 2) << QColor(255, 255, 255);
    }
    void solidColours()
    {
        QFETCH(QSize, size);
        QFETCH(QColor, colour);
        QImage source(size, QImage::Format_RGB32);
        source.fill(colour);
        const QImage decoded = JpegImage::decode(encode(source));
        QCOMPARE(decoded.size(), size);
        QCOMPARE(decoded.format(), QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QVERIFY2(channelDistance(decoded.pixel(x, y), colour.rgb()) <= 3,
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }

    void rowsKeepTheirOrder()
    {
        // Top half dark, bottom half light: a decoder that flipped or
        // swapped rows would put light above dark.
        QImage source(4, 32, QImage::Format_RGB32);
        source.fill(Qt::white);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 4; ++x)
                source.setPixel(x, y, qRgb(20, 40, 60));
        const QImage decoded = JpegImage::decode(encode(source));
        QCOMPARE(decoded.size(), source.size());
        QVERIFY(channelDistance(decoded.pixel(1, 2), qRgb(20, 40, 60)) <= 4);
        QVERIFY(channelDistance(decoded.pixel(1, 29), qRgb(255, 255, 255)) <= 4);
    }

    void channelsAreNotSwapped()
    {
        QImage source(16, 16, QImage::Format_RGB32);
        source.fill(QColor(200, 30, 90));
        const QRgb p = JpegImage::decode(encode(source)).pixel(8, 8);
        QVERIFY(qRed(p) > 190 && qGreen(p) < 40 && qBlue(p) > 80 && qBlue(p) < 100);
    }

    void greyscaleBecomesRgb()
    {
        QImage source(16, 16, QImage::Format_Grayscale8);
        source.fill(QColor(128, 128, 128));
        const QImage decoded = JpegImage::decode(encode(source));
        QCOMPARE(decoded.size(), QSize(16, 16));
        const QRgb p = decoded.pixel(5, 5);
        QCOMPARE(qRed(p), qGreen(p));
        QCOMPARE(qGreen(p), qBlue(p));
        QVERIFY(std::abs(qRed(p) - 128) <= 2);
    }

    void undecodable_data()
    {
        QImage source(16, 16, QImage::Format_RGB32);
        source.fill(Qt::blue);
        const QByteArray jpeg = encode(source);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        source.save(&buffer, "png");

        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("cut inside the header") << jpeg.left(40);
        QTest::newRow("png") << png;
        QTest::newRow("zero bytes") << QByteArray(1000, '\0');
    }
    void undecodable()
    {
        QFETCH(QByteArray, data);
        QVERIFY(JpegImage::decode(data).isNull());
    }

    void cutInsideTheScanData()
    {
        // Recoverable damage: either nothing or the whole picture, never a
        // picture of another size, and never a read past the data.
        QImage source(64, 64, QImage::Format_RGB32);
        source.fill(QColor(10, 200, 30));
        const QByteArray jpeg = encode(source, 90);
        for (qsizetype cut = jpeg.size() - 2; cut > jpeg.size() / 2; cut -= 7) {
            const QImage decoded = JpegImage::decode(jpeg.left(cut));
            QVERIFY(decoded.isNull() || decoded.size() == QSize(64, 64));
        }
    }

    void loadReadsFiles()
    {
        QImage source(8, 8, QImage::Format_RGB32);
        source.fill(Qt::white);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(encode(source));
        file.close();
        QCOMPARE(JpegImage::load(file.fileName()).size(), QSize(8, 8));
        QVERIFY(JpegImage::load(file.fileName() + QStringLiteral(".missing")).isNull());
    }
};

QTEST_MAIN(tst_JpegImage)
#include "tst_JpegImage.moc"
