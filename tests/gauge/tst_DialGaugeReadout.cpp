// SPDX-License-Identifier: MIT
#include <QLocale>
#include <QResizeEvent>
#include <QtTest>

#include <memory>

#include "gauge/DialGauge.h"
#include "gauge/DialGaugeReadout.h"
#include "gauge/DialGaugeState.h"
#include "platform/SysErrors.h"
#include "platform/VectorDraw.h"

// The read-out reads the gauge's state, not the widget.
static const TDialGaugeState &StateOf(const TDialGauge &gauge)
{
    return *TDialGaugeState::Of(&gauge);
}

using Readout = TDialGaugeReadout;

namespace {

// The calculator's gauge: 303 x 308, dial 291 wide, its read-out colours.
constexpr TColor DigitColor = 9841920;        // 0x962D00: R 0x00, G 0x2D, B 0x96
constexpr TColor InnerColor = 16765615;       // 0xFFD1AF: R 0xAF, G 0xD1, B 0xFF
constexpr QRgb LitRgb = 0xFF002D96;
constexpr QRgb UnlitRgb = 0xFFAFD1FF;
constexpr double TextTop = 308 / 1.21;        // 254.545...

std::unique_ptr<TDialGauge> mainGauge()
{
    auto gauge = std::make_unique<TDialGauge>();
    gauge->Digit()->SetColor(DigitColor);
    gauge->InnerCircle()->SetColor(InnerColor);
    const QSize old = gauge->size();
    gauge->resize(303, 308);
    // A hidden widget gets its resize event only when shown.
    QResizeEvent resize(gauge->size(), old);
    QCoreApplication::sendEvent(gauge.get(), &resize);
    return gauge;
}

QRectF textRect(const TDialGauge &gauge)
{
    const double w = gauge.width(), h = gauge.height();
    return QRectF(w / 2 - w / 7, h / 1.21, w / 4, h / 12);
}

QImage renderValue(const TDialGauge &gauge, double value)
{
    QImage buffer;
    TGPBitmap bitmap(buffer, gauge.width(), gauge.height());
    {
        TGPGraphics graphics(&bitmap);
        graphics.SetSmoothingMode(TSmoothingMode::AntiAlias);
        Readout::DrawValue(graphics, StateOf(gauge), textRect(gauge), value);
    }
    return buffer;
}

// Centre (mean of the outline's corners) of each segment, in grid units.
constexpr std::array<QPointF, 7> SegmentCentre{{
    {6.35, 1.5}, {9.175, 4.2}, {8.425, 9.875}, {4.825, 12.55},
    {1.925, 9.85}, {2.75, 4.175}, {33.5 / 6, 7},
}};

QPointF gridPoint(QPointF origin, int cellHeight, QPointF unit)
{
    const double w = cellHeight / 13.0 * 10;
    return origin + QPointF(unit.x() * w / 12, unit.y() * cellHeight / 15);
}

// Straight-alpha colour of a pixel of the face bitmap (premultiplied).
QRgb colourAt(const QImage &image, QPointF p)
{
    return qUnpremultiply(image.pixel(int(p.x()), int(p.y())));
}

enum class Look { Blank, Unlit, Lit, Other };

QString lookName(Look look)
{
    switch (look) {
    case Look::Blank: return "blank";
    case Look::Unlit: return "unlit";
    case Look::Lit: return "lit";
    case Look::Other: break;
    }
    return "other";
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Segments are under two pixels thin at this size, so a probe may be only
// partly covered: lit is mostly opaque digit colour, unlit a faint inner
// circle colour (never above alpha 40).
Look lookAt(const QImage &image, QPointF p)
{
    const QRgb pixel = colourAt(image, p);
    const int alpha = qAlpha(pixel);
    if (alpha == 0)
        return Look::Blank;
    if (alpha >= 150 && near(pixel, LitRgb, 30))
        return Look::Lit;
    if (alpha <= 40 && near(pixel, UnlitRgb, 16))
        return Look::Unlit;
    return Look::Other;
}

// Lit segments of each character, from its picture on a display.
QString litSegments(QChar character)
{
    static const QHash<QChar, QString> table{
        {u'0', "abcdef"}, {u'1', "bc"},    {u'2', "abdeg"}, {u'3', "abcdg"},
        {u'4', "bcfg"},   {u'5', "acdfg"}, {u'6', "acdefg"}, {u'7', "abcf"},
        {u'8', "abcdefg"}, {u'9', "abcdfg"}, {u'-', "g"},
    };
    return table.value(character);
}

// "0 8 7. 4 6": one token per cell, "-" the minus, a trailing "." the point.
struct ExpectedCell
{
    QChar character;
    bool point;
};

QList<ExpectedCell> parseCells(const QString &cells)
{
    QList<ExpectedCell> result;
    for (const QString &token : cells.split(u' ', Qt::SkipEmptyParts))
        result.append({token[0], token.size() > 1});
    return result;
}

int characterCode(QChar c)
{
    return c == u'-' ? Readout::MinusSign : c.digitValue();
}

const QList<double> MainCells{108.2143, 126.3943, 144.5743, 165.0823, 183.2623};
const QList<double> NegativeCells{90.3908, 108.5708, 126.7508, 144.9308, 165.4388, 183.6188};

} // namespace

Q_DECLARE_METATYPE(Look)

class tst_DialGaugeReadout : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void layout_data();
    void layout();
    void cellHeight_data();
    void cellHeight();
    void segmentOutlines_data();
    void segmentOutlines();
    void segmentBounds_data();
    void segmentBounds();
    void digitSegments_data();
    void digitSegments();
    void mainGaugeRender_data();
    void mainGaugeRender();
    void decimalPoint();
    void commaLocaleDrawsTheSamePicture();
    void switchedOffColours_data();
    void switchedOffColours();
    void pictureLength_data();
    void pictureLength();
};

void tst_DialGaugeReadout::layout_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QList<double>>("lefts");

    const QList<double> sixCells{108.2143, 126.3943, 144.5743, 162.7543, 183.2623, 201.4423};
    const QList<double> grouped{108.2143, 128.7223, 146.9023, 165.0823, 185.5903, 203.7703};

    QTest::newRow("87.456: the separator adds 2.328")
        << "C" << "000.00" << 87.456 << "0 8 7. 4 6" << MainCells;
    QTest::newRow("-12.5: minus W/17 to the left")
        << "C" << "000.00" << -12.5 << "- 0 1 2. 5 0" << NegativeCells;
    QTest::newRow("-0.001: no sign, still shifted")
        << "C" << "000.00" << -0.001 << "0 0 0. 0 0"
        << QList<double>{90.3908, 108.5708, 126.7508, 147.2588, 165.4388};
    QTest::newRow("+0.001: not shifted") << "C" << "000.00" << 0.001 << "0 0 0. 0 0" << MainCells;
    QTest::newRow("1234.5: four integer digits")
        << "C" << "000.00" << 1234.5 << "1 2 3 4. 5 0" << sixCells;
    QTest::newRow("comma locale: same cells") << "de_DE" << "000.00" << 87.456 << "0 8 7. 4 6"
                                              << MainCells;
    QTest::newRow("grouping comma advances, no point")
        << "C" << "#,##0.00" << 1234.5 << "1 2 3 4. 5 0" << grouped;
    // After the row above: the same picture and value, only the grouping
    // character differs.
    QTest::newRow("grouping apostrophe takes no room")
        << "de_CH" << "#,##0.00" << 1234.5 << "1 2 3 4. 5 0" << sixCells;
    QTest::newRow("grouping point in a comma locale")
        << "de_DE" << "#,##0.00" << 1234.5 << "1 2 3 4. 5 0" << grouped;
    QTest::newRow("grouping space takes no room")
        << "fr_FR" << "#,##0.00" << 1234.5 << "1 2 3 4. 5 0" << sixCells;
    QTest::newRow("literal text takes no room")
        << "C" << "000.00 km" << 87.456 << "0 8 7. 4 6" << MainCells;
    QTest::newRow("separator last: no point, still advances")
        << "C" << "0.0'.'" << 5.0 << "5. 0" << QList<double>{108.2143, 128.7223};
    QTest::newRow("only a separator after the digit")
        << "C" << "0'.'" << 5.0 << "5" << QList<double>{108.2143};
    QTest::newRow("space before the separator: no point")
        << "C" << "0 .0" << 5.0 << "5 0" << QList<double>{108.2143, 128.7223};
    QTest::newRow("whole numbers") << "C" << "#" << 87.456 << "8 7"
                                   << QList<double>{108.2143, 126.3943};
}

void tst_DialGaugeReadout::layout()
{
    QFETCH(QString, locale);
    QFETCH(QString, picture);
    QFETCH(double, value);
    QFETCH(QString, cells);
    QFETCH(QList<double>, lefts);

    QLocale::setDefault(QLocale(locale));
    auto gauge = mainGauge();
    QCOMPARE(gauge->DialWidth(), 291);
    gauge->SetValueFormat(picture);

    const auto laidOut = Readout::LayoutValue(StateOf(*gauge), textRect(*gauge), value);
    const QList<ExpectedCell> expected = parseCells(cells);
    QCOMPARE(int(laidOut.size()), expected.size());
    QCOMPARE(lefts.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const auto &cell = laidOut[std::size_t(i)];
        QCOMPARE(cell.Character, characterCode(expected[i].character));
        QCOMPARE(cell.PointAfter, expected[i].point);
        QVERIFY2(qAbs(cell.Origin.X - lefts[i]) < 1e-3,
                 qPrintable(QString("cell %1 at %2").arg(i).arg(cell.Origin.X, 0, 'f', 4)));
        QCOMPARE(cell.Origin.Y, float(TextTop));
    }
}

void tst_DialGaugeReadout::cellHeight_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("expected");

    QTest::newRow("main gauge 308/12") << 308 / 12.0 << 26;
    QTest::newRow("half to even") << 24.5 << 24;
    QTest::newRow("not a number") << qQNaN() << 0;
}

void tst_DialGaugeReadout::cellHeight()
{
    QFETCH(double, height);
    QFETCH(int, expected);
    QCOMPARE(Readout::CellHeight(QRectF(0, 0, 10, height)), expected);
}

void tst_DialGaugeReadout::segmentOutlines_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("area"); // in grid units, clockwise on screen

    QTest::newRow("a top") << int(Readout::sgA) << 5 << 6.1;
    QTest::newRow("b upper right") << int(Readout::sgB) << 5 << 4.43;
    QTest::newRow("c lower right") << int(Readout::sgC) << 5 << 5.175;
    QTest::newRow("d bottom") << int(Readout::sgD) << 5 << 5.535;
    QTest::newRow("e lower left") << int(Readout::sgE) << 5 << 5.39;
    QTest::newRow("f upper left") << int(Readout::sgF) << 5 << 5.51;
    QTest::newRow("g middle") << int(Readout::sgG) << 7 << 6.125;
}

void tst_DialGaugeReadout::segmentOutlines()
{
    QFETCH(int, segment);
    QFETCH(int, count);
    QFETCH(double, area);

    const int hc = 26; // w = 20: a unit is 5/3 px across, 26/15 px down
    const auto polygon =
        Readout::SegmentPolygon(Readout::TSegment(segment), 108.2143f, 254.5455f, hc);
    QCOMPARE(polygon.Count, count);
    QCOMPARE(polygon.Points[std::size_t(count - 1)], polygon.Points[0]);
    double twice = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const TGPPointF p = polygon.Points[std::size_t(i)], q = polygon.Points[std::size_t(i + 1)];
        twice += double(p.X) * q.Y - double(q.X) * p.Y;
    }
    const double unitArea = (20.0 / 12) * (26.0 / 15);
    QVERIFY2(qAbs(twice / 2 / unitArea - area) < 2e-3, qPrintable(QString::number(twice / 2 / unitArea)));
}

void tst_DialGaugeReadout::segmentBounds_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("cellHeight");
    QTest::newRow("main gauge") << 108.2143f << 254.5455f << 26;
    QTest::newRow("small, off the grid") << 3.3f << 7.77f << 7;
    QTest::newRow("upside down") << 50.5f << 40.25f << -20;
}

// The bounds the painter keeps a cell's pixels by hold every outline, and no
// more.
void tst_DialGaugeReadout::segmentBounds()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(int, cellHeight);
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (int s = Readout::sgA; s < Readout::SegmentCount; ++s) {
        const auto polygon = Readout::SegmentPolygon(Readout::TSegment(s), x, y, cellHeight);
        for (int i = 0; i < polygon.Count; ++i) {
            left = std::min(left, double(polygon.Points[std::size_t(i)].X));
            right = std::max(right, double(polygon.Points[std::size_t(i)].X));
            top = std::min(top, double(polygon.Points[std::size_t(i)].Y));
            bottom = std::max(bottom, double(polygon.Points[std::size_t(i)].Y));
        }
    }
    const QRectF bounds = Readout::SegmentBounds(x, y, cellHeight);
    QCOMPARE(bounds.left(), left);
    QCOMPARE(bounds.right(), right);
    QCOMPARE(bounds.top(), top);
    QCOMPARE(bounds.bottom(), bottom);
}

void tst_DialGaugeReadout::digitSegments_data()
{
    QTest::addColumn<int>("character");
    QTest::addColumn<QString>("lit");

    for (char c = '0'; c <= '9'; ++c)
        QTest::newRow(QByteArray(1, c)) << c - '0' << litSegments(QChar(c));
    QTest::newRow("minus") << int(Readout::MinusSign) << QString("g");
    QTest::newRow("no such character") << 10 << QString();
}

void tst_DialGaugeReadout::digitSegments()
{
    QFETCH(int, character);
    QFETCH(QString, lit);

    // A large cell, so that every probe lies well inside its segment.
    auto gauge = mainGauge();
    const int hc = 150;
    const QPointF origin(10.25, 10.5);
    QImage buffer;
    TGPBitmap bitmap(buffer, 140, 180);
    {
        TGPGraphics graphics(&bitmap);
        graphics.SetSmoothingMode(TSmoothingMode::AntiAlias);
        Readout::DrawDigit(graphics, StateOf(*gauge), character, float(origin.x()), float(origin.y()),
                           false, hc);
    }
    for (int s = 0; s < Readout::SegmentCount; ++s) {
        const QChar name(u'a' + s);
        const bool expectLit = lit.contains(name);
        QCOMPARE(Readout::SegmentLit(Readout::TSegment(s), character), expectLit);

        const QPointF p = gridPoint(origin, hc, SegmentCentre[std::size_t(s)]);
        const QRgb pixel = colourAt(buffer, p);
        if (expectLit) {
            QVERIFY2(pixel == LitRgb, qPrintable(QString("segment %1: %2").arg(name).arg(pixel, 8, 16)));
        } else {
            QVERIFY2(qAlpha(pixel) == 40 && near(pixel, UnlitRgb, 8),
                     qPrintable(QString("segment %1: %2").arg(name).arg(pixel, 8, 16)));
        }
    }
    // No point was asked for.
    const QRectF point = Readout::DecimalPointRect(float(origin.x()), float(origin.y()), hc)
                             .toQRectF();
    QCOMPARE(qAlpha(buffer.pixel(point.center().toPoint())), 0);
}

void tst_DialGaugeReadout::mainGaugeRender_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QList<double>>("lefts");

    QTest::newRow("87.456") << 87.456 << "0 8 7. 4 6" << MainCells;
    QTest::newRow("-12.5") << -12.5 << "- 0 1 2. 5 0" << NegativeCells;
    QTest::newRow("-0.001")
        << -0.001 << "0 0 0. 0 0" << QList<double>{90.3908, 108.5708, 126.7508, 147.2588, 165.4388};
    QTest::newRow("139.6") << 139.6 << "1 3 9. 6 0" << MainCells;
}

void tst_DialGaugeReadout::mainGaugeRender()
{
    QFETCH(double, value);
    QFETCH(QString, cells);
    QFETCH(QList<double>, lefts);

    auto gauge = mainGauge();
    const QImage image = renderValue(*gauge, value);
    const QList<ExpectedCell> expected = parseCells(cells);
    const int hc = 26;
    for (int i = 0; i < expected.size(); ++i) {
        const QPointF origin(lefts[i], TextTop);
        const QString lit = litSegments(expected[i].character);
        for (int s = 0; s < Readout::SegmentCount; ++s) {
            const QChar name(u'a' + s);
            const Look want = lit.contains(name) ? Look::Lit : Look::Unlit;
            const Look got = lookAt(image, gridPoint(origin, hc, SegmentCentre[std::size_t(s)]));
            QVERIFY2(got == want, qPrintable(QString("cell %1 '%2' segment %3: %4, expected %5")
                                                 .arg(i)
                                                 .arg(expected[i].character)
                                                 .arg(name)
                                                 .arg(lookName(got), lookName(want))));
        }
    }
    // Nothing left of the first cell nor right of the last.
    QCOMPARE(lookAt(image, QPointF(lefts.first() - 3, TextTop + 13)), Look::Blank);
    QCOMPARE(lookAt(image, QPointF(lefts.last() + 20 + 2, TextTop + 13)), Look::Blank);
}

void tst_DialGaugeReadout::decimalPoint()
{
    auto gauge = mainGauge();
    const QImage image = renderValue(*gauge, 87.456);

    // After the "7", in the third cell.
    const TGPRectF point = Readout::DecimalPointRect(float(MainCells[2]), float(TextTop), 26);
    QVERIFY(qAbs(point.X - 161.2410) < 1e-3);
    QVERIFY(qAbs(point.Y - 275.3455) < 1e-3);
    QVERIFY(qAbs(point.Width - 20.0 / 7) < 1e-6);
    QCOMPARE(point.Width, point.Height);
    QCOMPARE(colourAt(image, point.toQRectF().center()), LitRgb);

    // The same spot of every other cell stays clear: unlit cells have no point.
    for (int i : {0, 1, 3, 4}) {
        const TGPRectF other = Readout::DecimalPointRect(float(MainCells[i]), float(TextTop), 26);
        QCOMPARE(lookAt(image, other.toQRectF().center()), Look::Blank);
    }
}

void tst_DialGaugeReadout::commaLocaleDrawsTheSamePicture()
{
    auto gauge = mainGauge();
    const QImage withPoint = renderValue(*gauge, 87.456);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QImage withComma = renderValue(*gauge, 87.456);

    QCOMPARE(lookAt(withComma, gridPoint(QPointF(MainCells[1], TextTop), 26, SegmentCentre[0])),
             Look::Lit);
    QVERIFY(withPoint == withComma);
}

void tst_DialGaugeReadout::switchedOffColours_data()
{
    QTest::addColumn<TColor>("digitColor");
    QTest::addColumn<TColor>("innerColor");
    QTest::addColumn<Look>("litLook");
    QTest::addColumn<Look>("unlitLook");

    QTest::newRow("both colours") << DigitColor << InnerColor << Look::Lit << Look::Unlit;
    QTest::newRow("digit colour clNone: nothing") << clNone << InnerColor << Look::Blank
                                                  << Look::Blank;
    QTest::newRow("inner colour clNone: no unlit segments")
        << DigitColor << clNone << Look::Lit << Look::Blank;
}

void tst_DialGaugeReadout::switchedOffColours()
{
    QFETCH(TColor, digitColor);
    QFETCH(TColor, innerColor);
    QFETCH(Look, litLook);
    QFETCH(Look, unlitLook);

    auto gauge = mainGauge();
    gauge->Digit()->SetColor(digitColor);
    gauge->InnerCircle()->SetColor(innerColor);
    const QImage image = renderValue(*gauge, 87.456);

    // "7" in the third cell: a lit, d unlit, point after it.
    const QPointF origin(MainCells[2], TextTop);
    QCOMPARE(lookAt(image, gridPoint(origin, 26, SegmentCentre[Readout::sgA])), litLook);
    QCOMPARE(lookAt(image, gridPoint(origin, 26, SegmentCentre[Readout::sgD])), unlitLook);
    const TGPRectF point = Readout::DecimalPointRect(float(origin.x()), float(origin.y()), 26);
    QCOMPARE(lookAt(image, point.toQRectF().center()), litLook);
    if (litLook == Look::Blank && unlitLook == Look::Blank) {
        QImage blank(image.size(), image.format());
        blank.fill(0);
        QVERIFY(image == blank);
    }
}

void tst_DialGaugeReadout::pictureLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("refused");

    QTest::newRow("224 characters: drawn") << 224 << false;
    QTest::newRow("225 characters: refused") << 225 << true;
    QTest::newRow("400 characters: refused") << 400 << true;
}

void tst_DialGaugeReadout::pictureLength()
{
    QFETCH(int, length);
    QFETCH(bool, refused);

    auto gauge = mainGauge();
    gauge->SetValueFormat(QString(length - 3, u'0') + ".00");
    QImage buffer;
    TGPBitmap bitmap(buffer, gauge->width(), gauge->height());
    QString message;
    {
        TGPGraphics graphics(&bitmap);
        try {
            Readout::DrawValue(graphics, StateOf(*gauge), textRect(*gauge), 87.456);
        } catch (const EConvertError &error) {
            message = error.message();
        }
    }
    QCOMPARE(message, refused ? QString("Format string too long") : QString());
    // A refused picture leaves nothing half drawn.
    QImage blank(buffer.size(), buffer.format());
    blank.fill(0);
    QCOMPARE(buffer == blank, refused);
}

QTEST_MAIN(tst_DialGaugeReadout)
#include "tst_DialGaugeReadout.moc"
