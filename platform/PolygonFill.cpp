// SPDX-License-Identifier: MIT
#include "platform/PolygonFill.h"

#include <QColor>
#include <QHash>
#include <QRgba64>
#include <QVarLengthArray>

#include "platform/PixelCompose.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

// Source-over of a premultiplied colour at the given coverage, as the
// engine blends a solid or fetched colour along a span.
inline void Over(QRgb &dest, QRgb color, uint coverage)
{
    if (coverage != 255)
        color = PixelCompose::ByteMul(color, coverage);
    // Over nothing (a cleared layer) the colour is the result.
    if (dest == 0)
        dest = color;
    else
        PixelCompose::Over(dest, color);
}

// What the engine does for a source without any alpha: source-over is
// then a copy, and coverage mixes the two pixels in one rounding.
inline void Mix(QRgb &dest, QRgb color, uint coverage)
{
    if (coverage == 255) {
        dest = color;
        return;
    }
    const uint rest = 255 - coverage;
    uint t = (color & 0xff00ff) * coverage + (dest & 0xff00ff) * rest;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    uint x = ((color >> 8) & 0xff00ff) * coverage + ((dest >> 8) & 0xff00ff) * rest;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    dest = x | t;
}

// Positions in 1/256 pixel, from the outline mapper's 1/64.
constexpr int Bits = 8;
constexpr int One = 1 << Bits;

qint64 Fixed(double v)
{
    return qint64(qRound64(v * 64)) * (One / 64);
}

// Floor division and its remainder, as the engine steps along an edge.
std::pair<qint64, qint64> Divide(qint64 p, qint64 d)
{
    qint64 q = p / d;
    qint64 r = p % d;
    if (r < 0) {
        --q;
        r += d;
    }
    return {q, r};
}

} // namespace

// Cells of the fill's box, each with the winding crossing it (cover) and
// twice the area it covers, in 1/256 pixel; plus a column left of the box
// gathering everything left of it.
class TPolygonFill::TCells
{
public:
    // cells and marks are all zero, and are left so by Sweep.
    TCells(std::vector<qint64> &cells, std::vector<quint64> &marks, const QRect &box)
        : m_cells(cells), m_marks(marks), m_box(box)
    {
        m_stride = box.width() + 1;
        m_words = (box.width() + 63) / 64;
        const std::size_t size = std::size_t(m_stride) * std::size_t(box.height()) * 2;
        if (m_cells.size() < size)
            m_cells.resize(size, 0);
        const std::size_t words = std::size_t(m_words) * std::size_t(box.height());
        if (m_marks.size() < words)
            m_marks.resize(words, 0);
    }

    void Line(qint64 x1, qint64 y1, qint64 x2, qint64 y2)
    {
        const qint64 ey1 = y1 >> Bits;
        const qint64 ey2 = y2 >> Bits;
        if (std::max(ey1, ey2) < m_box.top() || std::min(ey1, ey2) > m_box.bottom())
            return;
        const qint64 fy1 = y1 - (ey1 << Bits);
        const qint64 fy2 = y2 - (ey2 << Bits);
        qint64 dx = x2 - x1;
        qint64 dy = y2 - y1;
        if (ey1 == ey2) {
            Scanline(ey1, x1, fy1, x2, fy2);
            return;
        }
        if (dx == 0) {
            const qint64 ex = x1 >> Bits;
            const qint64 twoFx = (x1 - (ex << Bits)) << 1;
            const qint64 first = dy < 0 ? 0 : One;
            const qint64 incr = dy < 0 ? -1 : 1;
            qint64 ey = ey1;
            qint64 delta = first - fy1;
            Add(ex, ey, twoFx * delta, delta);
            ey += incr;
            delta = first + first - One;
            while (ey != ey2) {
                Add(ex, ey, twoFx * delta, delta);
                ey += incr;
            }
            delta = fy2 - One + first;
            Add(ex, ey, twoFx * delta, delta);
            return;
        }
        qint64 p = (One - fy1) * dx;
        qint64 first = One;
        qint64 incr = 1;
        if (dy < 0) {
            p = fy1 * dx;
            first = 0;
            incr = -1;
            dy = -dy;
        }
        auto [delta, mod] = Divide(p, dy);
        qint64 x = x1 + delta;
        qint64 ey = ey1;
        Scanline(ey, x1, fy1, x, first);
        ey += incr;
        if (ey != ey2) {
            const auto [lift, rem] = Divide(One * dx, dy);
            mod -= dy;
            while (ey != ey2) {
                // Without a branch: the carry follows the slope's remainder,
                // which no predictor guesses.
                mod += rem;
                const qint64 carry = mod >= 0;
                delta = lift + carry;
                mod -= dy & -carry;
                const qint64 next = x + delta;
                // Rows outside the box only move the edge on.
                if (ey >= m_box.top() && ey <= m_box.bottom())
                    Scanline(ey, x, One - first, next, first);
                x = next;
                ey += incr;
            }
        }
        Scanline(ey, x, One - first, x2, fy2);
    }

    // The pixel's coverage as the engine rounds it: 0..255.
    int Coverage(qint64 cover, qint64 area) const
    {
        qint64 value = (cover * (One * 2) - area) >> (Bits * 2 + 1 - 8);
        if (value < 0)
            value = -value;
        return int(std::min<qint64>(value, 255));
    }

    // Calls span(x, length, coverage) for runs of row y's pixels (x from
    // the box's left), left to right and one after another, and clears the
    // row's cells. Between the cells an edge crossed, coverage holds.
    template<typename Span>
    void Sweep(int y, Span &&span)
    {
        qint64 *const row = &m_cells[Index(0, y)];
        quint64 *const marks = &m_marks[std::size_t(y) * std::size_t(m_words)];
        qint64 cover = row[0];
        row[0] = row[1] = 0;
        const int width = m_box.width();
        // Left of the first cell the row is all inside or all outside.
        bool leading = Coverage(cover, 0) == 0;
        int x = 0;
        for (int word = 0; word < m_words; ++word) {
            quint64 bits = marks[word];
            marks[word] = 0;
            while (bits != 0) {
                const int column = word * 64 + std::countr_zero(bits);
                bits &= bits - 1;
                if (column > x && !leading)
                    span(x, column - x, Coverage(cover, 0));
                leading = false;
                qint64 *cell = row + std::size_t(column + 1) * 2;
                cover += cell[0];
                const int coverage = Coverage(cover, cell[1]);
                cell[0] = cell[1] = 0;
                span(column, 1, coverage);
                x = column + 1;
            }
        }
        // Right of the last cell.
        if (x < width && cover != 0)
            span(x, width - x, Coverage(cover, 0));
    }

private:
    std::size_t Index(int column, int row) const
    {
        return (std::size_t(row) * std::size_t(m_stride) + std::size_t(column)) * 2;
    }

    // One row's cells and marks, found once for all of an edge's cells in it.
    struct TRow
    {
        qint64 *cells;
        quint64 *marks;
    };

    // Null cells for a row outside the box.
    TRow Row(qint64 ey)
    {
        const qint64 row = ey - m_box.top();
        if (row < 0 || row >= m_box.height())
            return {nullptr, nullptr};
        return {&m_cells[Index(0, int(row))], &m_marks[std::size_t(row) * std::size_t(m_words)]};
    }

    void Add(const TRow &row, qint64 ex, qint64 area, qint64 cover)
    {
        if (ex > m_box.right())
            return;
        const qint64 column = std::max<qint64>(ex - m_box.left(), -1) + 1;
        if (column > 0)
            row.marks[(column - 1) >> 6] |= quint64(1) << ((column - 1) & 63);
        qint64 *cell = row.cells + column * 2;
        cell[0] += cover;
        cell[1] += area;
    }

    void Add(qint64 ex, qint64 ey, qint64 area, qint64 cover)
    {
        const TRow row = Row(ey);
        if (row.cells)
            Add(row, ex, area, cover);
    }

    // Part of an edge within one row of pixels, from (x1, y1) to (x2, y2),
    // the ys within the row.
    void Scanline(qint64 ey, qint64 x1, qint64 y1, qint64 x2, qint64 y2)
    {
        qint64 ex1 = x1 >> Bits;
        const qint64 ex2 = x2 >> Bits;
        const qint64 fx1 = x1 - (ex1 << Bits);
        const qint64 fx2 = x2 - (ex2 << Bits);
        if (y1 == y2)
            return;
        const TRow row = Row(ey);
        if (!row.cells)
            return;
        if (ex1 == ex2) {
            Add(row, ex1, (fx1 + fx2) * (y2 - y1), y2 - y1);
            return;
        }
        qint64 dx = x2 - x1;
        qint64 p = (One - fx1) * (y2 - y1);
        qint64 first = One;
        qint64 incr = 1;
        if (dx < 0) {
            p = fx1 * (y2 - y1);
            first = 0;
            incr = -1;
            dx = -dx;
        }
        auto [delta, mod] = Divide(p, dx);
        Add(row, ex1, (fx1 + first) * delta, delta);
        ex1 += incr;
        y1 += delta;
        if (ex1 != ex2) {
            const auto [lift, rem] = Divide(One * (y2 - y1 + delta), dx);
            mod -= dx;
            while (ex1 != ex2) {
                mod += rem;
                const qint64 carry = mod >= 0;
                delta = lift + carry;
                mod -= dx & -carry;
                Add(row, ex1, One * delta, delta);
                y1 += delta;
                ex1 += incr;
            }
        }
        Add(row, ex1, (fx2 + One - first) * (y2 - y1), y2 - y1);
    }

    std::vector<qint64> &m_cells;
    // A bit per cell an edge crossed, in each row.
    std::vector<quint64> &m_marks;
    QRect m_box;
    int m_stride = 0;
    int m_words = 0;
};

namespace {

double Cross(const QPointF &o, const QPointF &a, const QPointF &b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

bool SegmentsMeet(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    auto on = [](const QPointF &p, const QPointF &q, const QPointF &r, double cross) {
        return cross == 0 && std::min(p.x(), q.x()) <= r.x() && r.x() <= std::max(p.x(), q.x())
            && std::min(p.y(), q.y()) <= r.y() && r.y() <= std::max(p.y(), q.y());
    };
    return on(c, d, a, d1) || on(c, d, b, d2) || on(a, b, c, d3) || on(a, b, d, d4);
}

} // namespace

TPolygonFill TPolygonFill::Solid(QRgb color)
{
    TPolygonFill fill;
    // As the raster engine takes a brush's colour: premultiplied in 16 bits.
    fill.m_color = qPremultiply(QColor::fromRgba(color).rgba64()).toArgb32();
    return fill;
}

TPolygonFill TPolygonFill::Linear(const QPointF &point1, const QPointF &point2, QRgb color1, QRgb color2)
{
    TPolygonFill fill;
    fill.m_linear = true;
    fill.m_opaque = qAlpha(color1) == 255 && qAlpha(color2) == 255;
    double dx = point2.x() - point1.x();
    double dy = point2.y() - point1.y();
    const double l = dx * dx + dy * dy;
    if (l != 0) {
        dx /= l;
        dy /= l;
        fill.m_offset = -dx * point1.x() - dy * point1.y();
    }
    fill.m_dx = dx;
    fill.m_dy = dy;
    // The engine's colour table: 1024 steps in 16-bit premultiplied colour,
    // rounded to 8 bits. The needle's shine asks for the same one at every
    // frame.
    struct TLastTable
    {
        bool valid = false;
        QRgb color1 = 0, color2 = 0;
        std::array<QRgb, 1024> table{};
    };
    thread_local TLastTable last;
    if (last.valid && last.color1 == color1 && last.color2 == color2) {
        fill.m_table = last.table;
        return fill;
    }
    const QRgba64 first = qPremultiply(QColor::fromRgba(color1).rgba64());
    const QRgba64 second = qPremultiply(QColor::fromRgba(color2).rgba64());
    constexpr int Last = 1023;
    auto channel = [](quint16 a, quint16 b) {
        return std::pair<uint, int>((uint(a) << 16) + (1u << 15),
                                    qRound((double(uint(b) << 16) - double(uint(a) << 16)) / Last));
    };
    auto [r, dr] = channel(first.red(), second.red());
    auto [g, dg] = channel(first.green(), second.green());
    auto [b, db] = channel(first.blue(), second.blue());
    auto [a, da] = channel(first.alpha(), second.alpha());
    fill.m_table[0] = first.toArgb32();
    for (int i = 1; i < Last; ++i) {
        r += uint(dr);
        g += uint(dg);
        b += uint(db);
        a += uint(da);
        fill.m_table[std::size_t(i)] =
            QRgba64::fromRgba64(quint16(r >> 16), quint16(g >> 16), quint16(b >> 16), quint16(a >> 16)).toArgb32();
    }
    fill.m_table[Last] = second.toArgb32();
    last = {true, color1, color2, fill.m_table};
    return fill;
}

// The pixel's centre in logical coordinates, in 1/256 of a table step.
// Dividing by a power of two is multiplying by its inverse, exactly.
inline double TPolygonFill::RowTerm(int y) const
{
    const double ry = m_inverse != 0 ? (y + 0.5) * m_inverse : (y + 0.5) / m_scale;
    return m_dy * ry;
}

inline int TPolygonFill::Position(int x, double rowTerm) const
{
    const double rx = m_inverse != 0 ? (x + 0.5) * m_inverse : (x + 0.5) / m_scale;
    return int((m_dx * rx + rowTerm + m_offset) * 1023 * 256);
}

inline QRgb TPolygonFill::Shade(int position) const
{
    // Repeated: the step modulo 1024, also below zero.
    return m_table[std::size_t(((position + 128) >> 8) & 1023)];
}

namespace {

// The outline without points that repeat the one before (the first one
// repeated at the end included): edges of no length add nothing to a fill.
QVarLengthArray<QPointF, 16> Compact(const QPointF *points, int count)
{
    QVarLengthArray<QPointF, 16> compact;
    for (int i = 0; i < count; ++i) {
        if (compact.isEmpty() || points[i] != compact.back())
            compact.append(points[i]);
    }
    while (compact.size() > 1 && compact.back() == compact.front())
        compact.removeLast();
    return compact;
}

} // namespace

bool TPolygonFill::IsSimple(const QPointF *input, int inputCount)
{
    const QVarLengthArray<QPointF, 16> compact = Compact(input, inputCount);
    const QPointF *points = compact.constData();
    const int count = int(compact.size());
    for (int i = 0; i < count; ++i) {
        const QPointF &a = points[i];
        const QPointF &b = points[(i + 1) % count];
        for (int j = i + 1; j < count; ++j) {
            const bool neighbours = j == i + 1 || (i == 0 && j == count - 1);
            if (neighbours)
                continue;
            if (SegmentsMeet(a, b, points[j], points[(j + 1) % count]))
                return false;
        }
    }
    return true;
}

namespace {

struct TVertex
{
    qint64 x, y;
};

// A solid fill's coverage of its outline's box: which pixels of each row and
// how much. It does not depend on the clip, only on the outline, the scale
// and the image's size.
struct TCoverage
{
    struct TRow
    {
        int y, x, count;
        std::size_t offset;
    };
    std::vector<TRow> rows;
    std::vector<quint8> values;
};

// Outlines of up to this many points have their solid coverage kept: the
// read-out's segments, filled again at every change of a digit.
constexpr int KeptOutlinePoints = 8;
// Kept outlines per thread before all are dropped.
constexpr std::size_t KeptOutlines = 512;

struct TOutlineKey
{
    std::array<double, 3 + 2 * KeptOutlinePoints> numbers{};
    bool operator==(const TOutlineKey &other) const { return numbers == other.numbers; }
};

struct TOutlineHash
{
    std::size_t operator()(const TOutlineKey &key) const
    {
        return qHashBits(key.numbers.data(), sizeof(key.numbers));
    }
};

} // namespace

bool TPolygonFill::Fill(QImage &image, const QRect &clip, const QPointF *input, int inputCount, double scale)
{
    PixelCompose::SettleRegisters();
    if (!input)
        return false;
    const QVarLengthArray<QPointF, 16> compact = Compact(input, inputCount);
    const QPointF *points = compact.constData();
    const int count = int(compact.size());
    if (count < 3)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(points[i].x()) || !std::isfinite(points[i].y()))
            return false;
    }
    if (!IsSimple(points, count))
        return false;
    m_scale = scale;
    int exponent = 0;
    m_inverse = std::frexp(scale, &exponent) == 0.5 ? 1 / scale : 0;
    m_step = int(m_dx / scale * 1023 * 256);
    std::array<TVertex, 16> local;
    std::vector<TVertex> many;
    TVertex *device = local.data();
    if (count > int(local.size())) {
        many.resize(std::size_t(count));
        device = many.data();
    }
    qint64 left = std::numeric_limits<qint64>::max(), top = left;
    qint64 right = std::numeric_limits<qint64>::min(), bottom = right;
    for (int i = 0; i < count; ++i) {
        device[i] = TVertex{Fixed(points[i].x() * scale), Fixed(points[i].y() * scale)};
        left = std::min(left, device[i].x);
        right = std::max(right, device[i].x);
        top = std::min(top, device[i].y);
        bottom = std::max(bottom, device[i].y);
    }
    // Far outside any image: nothing the engine would show either.
    constexpr qint64 Limit = qint64(1) << 40;
    if (left < -Limit || top < -Limit || right > Limit || bottom > Limit)
        return false;
    const QRect bounds(QPoint(int(left >> Bits), int(top >> Bits)), QPoint(int(right >> Bits), int(bottom >> Bits)));
    const QRect box = bounds & clip & image.rect();
    if (box.isEmpty())
        return true;
    uchar *const bits = image.bits();
    if (!bits)
        return false;
    const qsizetype bytesPerLine = image.bytesPerLine();
    auto pixelRow = [&](int y) { return reinterpret_cast<QRgb *>(bits + y * bytesPerLine); };

    // Kept zeroed for the thread's next fill: a glide fills the same shapes
    // at every frame. Up to a bound, so one huge fill does not hold its memory.
    constexpr std::size_t KeptCells = std::size_t(1) << 19;
    thread_local std::vector<qint64> cellStore;
    thread_local std::vector<quint64> markStore;
    // For each row y of area: startRow(y), then span(x, length, coverage)
    // for runs of the outline's pixels in it, left to right, one after
    // another (x, y device).
    auto rasterize = [&](const QRect &area, auto &&startRow, auto &&span) {
        TCells cells(cellStore, markStore, area);
        for (int i = 0; i < count; ++i) {
            const TVertex &a = device[i];
            const TVertex &b = device[(i + 1) % count];
            cells.Line(a.x, a.y, b.x, b.y);
        }
        const int left = area.x();
        for (int y = 0; y < area.height(); ++y) {
            startRow(area.y() + y);
            cells.Sweep(y, [&](int x, int length, int coverage) { span(left + x, length, coverage); });
        }
        if (cellStore.size() > KeptCells) {
            cellStore.clear();
            cellStore.shrink_to_fit();
            markStore.clear();
            markStore.shrink_to_fit();
        }
    };

    if (m_repeated && !m_linear && count <= KeptOutlinePoints) {
        thread_local std::unordered_map<TOutlineKey, TCoverage, TOutlineHash> kept;
        TOutlineKey key;
        key.numbers[0] = image.width();
        key.numbers[1] = image.height();
        key.numbers[2] = scale;
        for (int i = 0; i < count; ++i) {
            key.numbers[std::size_t(3 + 2 * i)] = points[i].x();
            key.numbers[std::size_t(4 + 2 * i)] = points[i].y();
        }
        auto found = kept.find(key);
        if (found == kept.end()) {
            if (kept.size() >= KeptOutlines)
                kept.clear();
            TCoverage coverage;
            int y = 0;
            rasterize(bounds & image.rect(), [&](int row) { y = row; }, [&](int x, int length, int value) {
                if (value == 0)
                    return;
                if (coverage.rows.empty() || coverage.rows.back().y != y
                    || coverage.rows.back().x + coverage.rows.back().count != x)
                    coverage.rows.push_back({y, x, 0, coverage.values.size()});
                coverage.rows.back().count += length;
                coverage.values.insert(coverage.values.end(), std::size_t(length), quint8(value));
            });
            found = kept.emplace(key, std::move(coverage)).first;
        }
        for (const TCoverage::TRow &row : found->second.rows) {
            if (row.y < box.top() || row.y > box.bottom())
                continue;
            const int from = std::max(row.x, box.left());
            const int to = std::min(row.x + row.count, box.right() + 1);
            QRgb *pixels = pixelRow(row.y);
            const quint8 *values = found->second.values.data() + row.offset - row.x;
            for (int x = from; x < to; ++x)
                Over(pixels[x], m_color, values[x]);
        }
        return true;
    }

    QRgb *line = nullptr;
    if (!m_linear) {
        rasterize(box, [&](int y) { line = pixelRow(y); }, [&](int x, int length, int coverage) {
            if (coverage == 0)
                return;
            if (coverage == 255 && m_color >= 0xff000000u) {
                std::fill_n(line + x, length, m_color);
                return;
            }
            for (int i = x; i < x + length; ++i)
                Over(line[i], m_color, uint(coverage));
        });
        return true;
    }
    // The engine fills runs of equal coverage, and steps a gradient along
    // each from where it starts.
    int run = 0;
    int position = 0;
    double rowTerm = 0;
    auto startRow = [&](int y) {
        line = pixelRow(y);
        rowTerm = RowTerm(y);
        run = 0;
    };
    auto gradient = [&](int x, int length, int coverage, auto &&blend) {
        if (coverage == 0) {
            run = 0;
            return;
        }
        int i = x;
        if (coverage != run) {
            run = coverage;
            position = Position(x, rowTerm);
            blend(line[i++], Shade(position), uint(coverage));
        }
        for (; i < x + length; ++i) {
            position += m_step;
            blend(line[i], Shade(position), uint(coverage));
        }
    };
    if (m_opaque) {
        rasterize(box, startRow, [&](int x, int length, int coverage) { gradient(x, length, coverage, Mix); });
    } else {
        rasterize(box, startRow, [&](int x, int length, int coverage) {
            gradient(x, length, coverage, [](QRgb &dest, QRgb color, uint c) { Over(dest, color, c); });
        });
    }
    return true;
}
