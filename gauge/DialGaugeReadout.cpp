// SPDX-License-Identifier: MIT
#include "gauge/DialGaugeReadout.h"

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeState.h"
#include "platform/NumberText.h"
#include "platform/PolygonFill.h"
#include "platform/VectorDraw.h"

#include <QImage>
#include <QRect>

#include <array>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

// Unlit segments show the dial's colour faintly, whatever its own opacity.
constexpr int UnlitOpacity = 40;
constexpr int LitOpacity = 255;

struct UnitPoint
{
    long double U;
    long double V;
};

// Outlines on the 12 x 15 grid, without the closing point.
constexpr std::array<UnitPoint, 4> SegmentA{{{2.8L, 1}, {10, 1}, {8.8L, 2}, {3.8L, 2}}};
constexpr std::array<UnitPoint, 4> SegmentB{{{10, 1.4L}, {9.3L, 6.8L}, {8.4L, 6.4L}, {9, 2.2L}}};
constexpr std::array<UnitPoint, 4> SegmentC{{{9.2L, 7.2L}, {8.7L, 12.7L}, {7.6L, 11.9L}, {8.2L, 7.7L}}};
constexpr std::array<UnitPoint, 4> SegmentD{{{7.4L, 12.1L}, {8.4L, 13}, {1.3L, 13}, {2.2L, 12.1L}}};
constexpr std::array<UnitPoint, 4> SegmentE{{{2.2L, 11.8L}, {1, 12.7L}, {1.7L, 7.2L}, {2.8L, 7.7L}}};
constexpr std::array<UnitPoint, 4> SegmentF{{{3, 6.4L}, {1.8L, 6.8L}, {2.6L, 1.3L}, {3.6L, 2.2L}}};
constexpr std::array<UnitPoint, 6> SegmentG{
    {{2, 7}, {3.1L, 6.5L}, {8.3L, 6.5L}, {9, 7}, {8.2L, 7.5L}, {2.9L, 7.5L}}};

// Lit segments per character, bit 0 = a ... bit 6 = g. 7 lights the upper
// left f as well, 6 the top a and 9 the bottom d.
constexpr std::array<unsigned, 10> DigitSegments{
    0x3F, // 0: a b c d e f
    0x06, // 1: b c
    0x5B, // 2: a b d e g
    0x4F, // 3: a b c d g
    0x66, // 4: b c f g
    0x6D, // 5: a c d f g
    0x7D, // 6: a c d e f g
    0x27, // 7: a b c f
    0x7F, // 8: all
    0x6F, // 9: a b c d f g
};
constexpr unsigned MinusSegments = 0x40; // g

// The cell width w = Hc / 13 x 10, divided first.
double cellWidth(int cellHeight)
{
    return static_cast<long double>(cellHeight) / 13 * 10;
}

// (X + u x w / 12, Y + v x Hc / 15): products first, then the division.
TGPPointF unitPoint(float x, float y, double w, int cellHeight, UnitPoint p)
{
    return TGPPointF(static_cast<float>(x + p.U * w / 12),
                     static_cast<float>(y + p.V * cellHeight / 15));
}

template<std::size_t N>
TDialGaugeReadout::TSegmentPolygon closedPolygon(const std::array<UnitPoint, N> &outline, float x,
                                                 float y, int cellHeight)
{
    static_assert(N + 1 <= 7);
    const double w = cellWidth(cellHeight);
    TDialGaugeReadout::TSegmentPolygon polygon;
    for (std::size_t i = 0; i < N; ++i)
        polygon.Points[i] = unitPoint(x, y, w, cellHeight, outline[i]);
    polygon.Points[N] = polygon.Points[0];
    polygon.Count = int(N + 1);
    return polygon;
}

} // namespace

int TDialGaugeReadout::CellHeight(const QRectF &textRect)
{
    const double height = textRect.height();
    // Anything beyond this would be no read-out anyone can see; the bound
    // keeps the conversion defined.
    if (!std::isfinite(height) || std::fabs(height) > 1e9)
        return 0;
    return static_cast<int>(std::nearbyint(height));
}

TDialGaugeReadout::TSegmentPolygon TDialGaugeReadout::SegmentPolygon(TSegment segment, float x,
                                                                     float y, int cellHeight)
{
    switch (segment) {
    case sgA: return closedPolygon(SegmentA, x, y, cellHeight);
    case sgB: return closedPolygon(SegmentB, x, y, cellHeight);
    case sgC: return closedPolygon(SegmentC, x, y, cellHeight);
    case sgD: return closedPolygon(SegmentD, x, y, cellHeight);
    case sgE: return closedPolygon(SegmentE, x, y, cellHeight);
    case sgF: return closedPolygon(SegmentF, x, y, cellHeight);
    case sgG: return closedPolygon(SegmentG, x, y, cellHeight);
    case SegmentCount: break;
    }
    return {};
}

bool TDialGaugeReadout::SegmentLit(TSegment segment, int character)
{
    if (segment < sgA || segment >= SegmentCount)
        return false;
    unsigned mask = 0;
    if (character == MinusSign)
        mask = MinusSegments;
    else if (character >= 0 && character <= 9)
        mask = DigitSegments[std::size_t(character)];
    return (mask >> segment) & 1u;
}

QRectF TDialGaugeReadout::SegmentBounds(float x, float y, int cellHeight)
{
    // The outlines reach u = 1 and 10 across and v = 1 and 13 down.
    const double w = cellWidth(cellHeight);
    const TGPPointF first = unitPoint(x, y, w, cellHeight, UnitPoint{1, 1});
    const TGPPointF last = unitPoint(x, y, w, cellHeight, UnitPoint{10, 13});
    return QRectF(first.toQPointF(), last.toQPointF()).normalized();
}

TGPRectF TDialGaugeReadout::DecimalPointRect(float x, float y, int cellHeight)
{
    const double w = cellWidth(cellHeight);
    const auto size = static_cast<float>(w / 7);
    return TGPRectF(static_cast<float>(x + 10 * w / 12),
                    static_cast<float>(y + 12 * static_cast<long double>(cellHeight) / 15), size,
                    size);
}

std::vector<TDialGaugeReadout::TCell> TDialGaugeReadout::LayoutValue(const TDialGaugeState &gauge,
                                                                     const QRectF &textRect,
                                                                     double value)
{
    const QString format = gauge.ValueFormat();
    const QChar separator = DecimalSeparator();
    const long double width = gauge.Width();
    // A glide lays out each value three times (the repaint region, from
    // and to, and the paint): the last few layouts are kept per thread, by
    // everything they are made from, the numbers compared bit for bit.
    struct TKeptLayout
    {
        QString format;
        QChar separator, group;
        std::array<double, 6> numbers{};
        std::vector<TCell> cells;
    };
    thread_local std::array<std::optional<TKeptLayout>, 4> kept;
    thread_local std::size_t next = 0;
    const QChar group = ThousandSeparator();
    const std::array<double, 6> numbers{value,           double(gauge.Width()), double(gauge.DialWidth()),
                                        textRect.left(), textRect.top(),        textRect.height()};
    for (const std::optional<TKeptLayout> &entry : kept) {
        if (entry && entry->separator == separator && entry->group == group && entry->format == format
            && std::memcmp(entry->numbers.data(), numbers.data(), sizeof numbers) == 0)
            return entry->cells;
    }

    const QString text = FormatPictureText(format, value);
    const qsizetype n = text.size();

    const double characterAdvance = width / 250 * 15;
    const double separatorAdvance = static_cast<long double>(gauge.DialWidth()) / 250 * 2;

    // Room for the sign is made from the value, so -0.001 (shown as 000.00)
    // starts as far left as a signed text would.
    double offset = 0;
    if (value < 0)
        offset = -width / 17;

    std::vector<TCell> cells;
    cells.reserve(std::size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        // A separator in the last place gets no point: only a digit two or
        // more places from the end can carry one.
        const bool pointAfter = i < n - 2 && text[i + 1] == separator;
        if (c == u'.' || c == u',') {
            offset += separatorAdvance;
            continue;
        }
        int character = MinusSign;
        if (c >= u'0' && c <= u'9')
            character = c.unicode() - u'0';
        else if (c != u'-')
            continue;
        const TGPPointF origin(static_cast<float>(textRect.left() + offset),
                               static_cast<float>(textRect.top()));
        cells.push_back(TCell{character, origin, pointAfter});
        offset += characterAdvance;
    }
    kept[next] = TKeptLayout{format, separator, group, numbers, cells};
    next = (next + 1) % kept.size();
    return cells;
}

void TDialGaugeReadout::DrawValue(TGPGraphics &graphics, const TDialGaugeState &gauge,
                                  const QRectF &textRect, double value)
{
    const int cellHeight = CellHeight(textRect);
    for (const TCell &cell : LayoutValue(gauge, textRect, value))
        DrawDigit(graphics, gauge, cell.Character, cell.Origin.X, cell.Origin.Y, cell.PointAfter,
                  cellHeight);
}

void TDialGaugeReadout::DrawDigit(TGPGraphics &graphics, const TDialGaugeState &gauge, int character,
                                  float x, float y, bool pointAfter, int cellHeight)
{
    const TColor litColor = gauge.Digit()->Color();
    if (litColor == clNone)
        return;

    std::array<TSegmentPolygon, SegmentCount> segments;
    for (int s = sgA; s < SegmentCount; ++s)
        segments[std::size_t(s)] = SegmentPolygon(TSegment(s), x, y, cellHeight);

    // clNone switches the dial's colour off; it is no colour to show the
    // unlit segments in.
    const TColor unlitColor = gauge.InnerCircle()->Color();
    if (unlitColor != clNone) {
        const TGPSolidBrush unlit(ArgbFromColor(UnlitOpacity, unlitColor));
        for (const TSegmentPolygon &polygon : segments)
            graphics.FillPolygon(&unlit, polygon.Points.data(), polygon.Count);
    }

    const TGPSolidBrush lit(ArgbFromColor(LitOpacity, litColor));
    for (int s = sgA; s < SegmentCount; ++s) {
        if (SegmentLit(TSegment(s), character)) {
            const TSegmentPolygon &polygon = segments[std::size_t(s)];
            graphics.FillPolygon(&lit, polygon.Points.data(), polygon.Count);
        }
    }
    if (pointAfter)
        DrawDecimalPoint(graphics, gauge, x, y, cellHeight);
}

void TDialGaugeReadout::DrawDecimalPoint(TGPGraphics &graphics, const TDialGaugeState &gauge, float x, float y,
                                         int cellHeight)
{
    const TColor litColor = gauge.Digit()->Color();
    if (litColor == clNone)
        return;
    const TGPSolidBrush lit(ArgbFromColor(LitOpacity, litColor));
    graphics.FillEllipse(&lit, DecimalPointRect(x, y, cellHeight));
}

bool TDialGaugeReadout::FillSegments(QImage &pixels, const QRect &clip, qreal dpr, const TDialGaugeState &gauge,
                                     int character, float x, float y, int cellHeight)
{
    const TColor litColor = gauge.Digit()->Color();
    if (litColor == clNone)
        return true;
    std::array<std::array<QPointF, 7>, SegmentCount> segments;
    std::array<int, SegmentCount> counts{};
    for (int s = sgA; s < SegmentCount; ++s) {
        const TSegmentPolygon polygon = SegmentPolygon(TSegment(s), x, y, cellHeight);
        for (int i = 0; i < polygon.Count; ++i)
            segments[std::size_t(s)][std::size_t(i)] = polygon.Points[std::size_t(i)].toQPointF();
        counts[std::size_t(s)] = polygon.Count;
        if (!TPolygonFill::IsSimple(segments[std::size_t(s)].data(), polygon.Count))
            return false;
    }
    const TColor unlitColor = gauge.InnerCircle()->Color();
    if (unlitColor != clNone) {
        TPolygonFill unlit = TPolygonFill::Solid(ArgbFromColor(UnlitOpacity, unlitColor));
        unlit.SetRepeated(true);
        for (int s = sgA; s < SegmentCount; ++s)
            unlit.Fill(pixels, clip, segments[std::size_t(s)].data(), counts[std::size_t(s)], dpr);
    }
    TPolygonFill lit = TPolygonFill::Solid(ArgbFromColor(LitOpacity, litColor));
    lit.SetRepeated(true);
    for (int s = sgA; s < SegmentCount; ++s) {
        if (SegmentLit(TSegment(s), character))
            lit.Fill(pixels, clip, segments[std::size_t(s)].data(), counts[std::size_t(s)], dpr);
    }
    return true;
}
