// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// Which stretches of each row of a premultiplied image hold anything, in
// chunks of Chunk pixels. A layer of a ring or a band is empty over most of
// each row; blending it over another image then reads only the chunks that
// hold pixels.
class TOccupancy
{
public:
    static constexpr int Chunk = 32;

    // Measures image; everything counts as occupied until this is called.
    void Measure(const QImage &image);
    void Reset();

    // True when a chunk of row y within the columns [from, to) is occupied
    // (always before Measure).
    bool Any(int y, int from, int to) const
    {
        if (from >= to)
            return false;
        if (!m_measured || y < 0 || y >= m_height)
            return true;
        const quint64 *bits = m_bits.data() + std::size_t(y) * std::size_t(m_words);
        for (int chunk = std::max(from, 0) / Chunk; chunk <= (to - 1) / Chunk && chunk / 64 < m_words; ++chunk) {
            if (Occupied(bits, chunk))
                return true;
        }
        return false;
    }

    // Calls action(left, right) for each run of occupied chunks of row y,
    // clipped to the columns [from, to).
    template<typename Action>
    void ForEachRun(int y, int from, int to, Action action) const
    {
        if (!m_measured || y < 0 || y >= m_height) {
            if (from < to)
                action(from, to);
            return;
        }
        const quint64 *bits = m_bits.data() + std::size_t(y) * std::size_t(m_words);
        int chunk = from / Chunk;
        const int lastChunk = (to - 1) / Chunk;
        while (chunk <= lastChunk) {
            if (!Occupied(bits, chunk)) {
                ++chunk;
                continue;
            }
            int end = chunk + 1;
            while (end <= lastChunk && Occupied(bits, end))
                ++end;
            const int left = qMax(from, chunk * Chunk);
            const int right = qMin(to, end * Chunk);
            if (left < right)
                action(left, right);
            chunk = end;
        }
    }

private:
    static bool Occupied(const quint64 *bits, int chunk) { return (bits[chunk / 64] >> (chunk % 64)) & 1; }

    bool m_measured = false;
    int m_height = 0;
    int m_words = 0;
    std::vector<quint64> m_bits;
};
