// SPDX-License-Identifier: MIT
#include "platform/Occupancy.h"

#include <QRgb>

#include <algorithm>

void TOccupancy::Measure(const QImage &image)
{
    const int width = image.width();
    m_height = image.height();
    const int chunks = (width + Chunk - 1) / Chunk;
    m_words = (chunks + 63) / 64;
    m_bits.assign(std::size_t(m_height) * std::size_t(m_words), 0);
    for (int y = 0; y < m_height; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        quint64 *bits = m_bits.data() + std::size_t(y) * std::size_t(m_words);
        for (int chunk = 0; chunk < chunks; ++chunk) {
            const int left = chunk * Chunk;
            const int right = std::min(width, left + Chunk);
            // Inside a filled shape the ends tell at once; only the rest is
            // read through, a whole chunk in one vectorised pass.
            QRgb any = row[left] | row[right - 1];
            if (!any && right - left == Chunk) {
                for (int i = 0; i < Chunk; ++i)
                    any |= row[left + i];
            } else if (!any) {
                for (int x = left; x < right; ++x)
                    any |= row[x];
            }
            if (any)
                bits[chunk / 64] |= quint64(1) << (chunk % 64);
        }
    }
    m_measured = true;
}

void TOccupancy::Reset()
{
    m_measured = false;
    m_bits.clear();
}
