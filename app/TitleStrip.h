// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

// The picture behind both windows' title strips: a 1 x 22 JPEG built into the
// application, decoded once and stretched over the strip.
class TitleStrip
{
public:
    // The decoded picture; null if the built-in data could not be decoded.
    static QImage picture();
    // The picture stretched to size, row by row without blending, so the dark
    // bottom row stays a crisp line under the strip.
    static QPixmap stretched(const QSize &size);
};
