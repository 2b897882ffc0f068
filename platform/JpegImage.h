// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Baseline and progressive JPEG decoding straight through libjpeg, for the
// pictures built into the windows. Colour and greyscale pictures come back as
// QImage::Format_RGB32; anything libjpeg cannot decode gives a null image.
class JpegImage
{
public:
    static QImage decode(const QByteArray &data);
    // Reads the file (a ":/" resource path works too) and decodes it.
    static QImage load(const QString &path);
};
