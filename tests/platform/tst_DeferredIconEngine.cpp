// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/DeferredIconEngine.h"

class tst_DeferredIconEngine : public QObject
{
    Q_OBJECT

private slots:
    void readOnlyWhenAPictureIsAsked_data();
    void readOnlyWhenAPictureIsAsked();
    void unreadableFilesDropOut();
};

namespace {

// A square picture of one colour, written as PNG.
bool writePicture(const QString &path, int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path, "PNG");
}

} // namespace

void tst_DeferredIconEngine::readOnlyWhenAPictureIsAsked_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<QRgb>("expectedColour");
    QTest::newRow("small, exactly") << 48 << 48 << qRgb(200, 0, 0);
    QTest::newRow("large, exactly") << 256 << 256 << qRgb(0, 0, 200);
    QTest::newRow("between, scaled down from the larger") << 100 << 100 << qRgb(0, 0, 200);
    QTest::newRow("below the smallest") << 16 << 16 << qRgb(200, 0, 0);
}

void tst_DeferredIconEngine::readOnlyWhenAPictureIsAsked()
{
    QFETCH(int, asked);
    QFETCH(int, expectedSize);
    QFETCH(QRgb, expectedColour);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString small = dir.filePath(QStringLiteral("48.png"));
    const QString large = dir.filePath(QStringLiteral("256.png"));
    // The files do not exist yet: making the icon and asking its sizes
    // must not read them.
    const QIcon icon = DeferredIconEngine::icon({{small, QSize(48, 48)}, {large, QSize(256, 256)}});
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));
    QVERIFY(writePicture(small, 48, qRgb(200, 0, 0)));
    QVERIFY(writePicture(large, 256, qRgb(0, 0, 200)));

    const QImage picture = icon.pixmap(QSize(asked, asked), 1.0).toImage();
    QCOMPARE(picture.size(), QSize(expectedSize, expectedSize));
    QCOMPARE(picture.pixel(expectedSize / 2, expectedSize / 2), expectedColour);
    // A copy, as every window holds one, shows the same pictures.
    const QIcon copy = icon;
    QCOMPARE(copy.cacheKey(), icon.cacheKey());
    QCOMPARE(copy.pixmap(QSize(asked, asked), 1.0).toImage(), picture);
}

void tst_DeferredIconEngine::unreadableFilesDropOut()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("good.png"));
    QVERIFY(writePicture(good, 48, qRgb(0, 150, 0)));
    const QIcon mixed = DeferredIconEngine::icon(
        {{dir.filePath(QStringLiteral("missing.png")), QSize(32, 32)}, {good, QSize(48, 48)}});
    QCOMPARE(mixed.pixmap(QSize(48, 48), 1.0).toImage().pixel(24, 24), qRgb(0, 150, 0));
    QCOMPARE(mixed.availableSizes(), QList<QSize>{QSize(48, 48)});

    const QIcon none = DeferredIconEngine::icon({{dir.filePath(QStringLiteral("missing.png")), QSize(32, 32)}});
    QVERIFY(none.pixmap(QSize(32, 32), 1.0).isNull());
    QVERIFY(DeferredIconEngine::icon({}).isNull());
}

QTEST_MAIN(tst_DeferredIconEngine)
#include "tst_DeferredIconEngine.moc"
