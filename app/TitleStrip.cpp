// SPDX-License-Identifier: MIT
#include "app/TitleStrip.h"

#include "platform/JpegImage.h"

static void initResources()
{
    // The resources live in a static library: make sure the linker keeps them.
    Q_INIT_RESOURCE(app);
}

QImage TitleStrip::picture()
{
    static const QImage decoded = [] {
        initResources();
        return JpegImage::load(QStringLiteral(":/app/TitleStrip.jpg"));
    }();
    return decoded;
}

QPixmap TitleStrip::stretched(const QSize &size)
{
    const QImage source = picture().convertToFormat(QImage::Format_RGB32);
    if (source.isNull() || size.isEmpty())
        return QPixmap();
    // Each target pixel takes the source pixel at floor(target * source /
    // size): squeezing 22 rows into 20 drops two inner rows and keeps one
    // dark bottom row, where Qt's centred sampling would keep both.
    QImage target(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const int sy = int(qint64(y) * source.height() / size.height());
        const auto *src = reinterpret_cast<const QRgb *>(source.constScanLine(sy));
        auto *dst = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            dst[x] = src[qint64(x) * source.width() / size.width()];
    }
    return QPixmap::fromImage(target);
}
