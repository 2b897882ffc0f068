// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QPalette>
#include <QtMath>
#include <QtTest>

#include <functional>

#include "platform/VectorDraw.h"

using Draw = std::function<void(TGPGraphics &)>;
using Make = std::function<TStatus()>;

struct Probe
{
    QPoint at;
    QRgb rgba;   // straight alpha
};
Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(Draw)
Q_DECLARE_METATYPE(Make)
Q_DECLARE_METATYPE(TStatus)
Q_DECLARE_METATYPE(TStringAlignment)
Q_DECLARE_METATYPE(TLinearGradientMode)

namespace {

const QString kFamily = QStringLiteral("DejaVu Sans");

// Paints into a fresh transparent image through a bitmap that reuses it.
QImage render(int width, int height, const Draw &draw, bool antiAlias = true)
{
    QImage pixels;
    {
        TGPBitmap bitmap(pixels, width, height);
        TGPGraphics graphics(&bitmap);
        graphics.SetSmoothingMode(antiAlias ? TSmoothingMode::AntiAlias : TSmoothingMode::Off);
        draw(graphics);
    }
    return pixels;
}

int alphaAt(const QImage &image, QPointF p)
{
    return qAlpha(image.pixel(int(std::floor(p.x())), int(std::floor(p.y()))));
}

// The point on the ellipse in rect at distance fraction f from the centre,
// along the ray at angle degrees (clockwise on screen).
QPointF onRay(const QRectF &rect, double degrees, double f = 1.0)
{
    const double a = qDegreesToRadians(degrees), rx = rect.width() / 2, ry = rect.height() / 2;
    const double r = 1.0 / std::sqrt(std::pow(std::cos(a) / rx, 2) + std::pow(std::sin(a) / ry, 2));
    return rect.center() + f * r * QPointF(std::cos(a), std::sin(a));
}

// Ink bounds: pixels with some alpha.
QRect inkRect(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 60)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance
        && std::abs(qRed(actual) - qRed(expected)) <= tolerance
        && std::abs(qGreen(actual) - qGreen(expected)) <= tolerance
        && std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

bool blank(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0)
                return false;
    return true;
}

} // namespace

class tst_VectorDraw : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void pieQuadrants_data();
    void pieQuadrants();
    void arcExtent_data();
    void arcExtent();
    void evenOddFill_data();
    void evenOddFill();
    void penStroke_data();
    void penStroke();
    void dashStyle_data();
    void dashStyle();
    void linearGradient_data();
    void linearGradient();
    void penBrushQuery();
    void argbFromColor_data();
    void argbFromColor();
    void argbFromChannels_data();
    void argbFromChannels();
    void systemColourFollowsPalette();
    void failingStatus_data();
    void failingStatus();
    void drawsNothing_data();
    void drawsNothing();
    void stringAnchor_data();
    void stringAnchor();
    void measuredBoxHoldsText();
    void fontSizeAndStyle();
    void missingFamilyStillDraws();
    void drawImage_data();
    void drawImage();
    void bitmapReusesBuffer();
    void borrowedPainterIsGivenBack();
};

void tst_VectorDraw::cleanup()
{
    QApplication::setPalette(QPalette());
}

void tst_VectorDraw::pieQuadrants_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("sweep");
    // Bits for the quadrants lower right, lower left, upper left, upper right.
    QTest::addColumn<int>("filled");

    QTest::newRow("0 over 90: lower right") << 0.f << 90.f << 0b0001;
    QTest::newRow("90 over 90: lower left") << 90.f << 90.f << 0b0010;
    QTest::newRow("180 over 90: upper left") << 180.f << 90.f << 0b0100;
    QTest::newRow("270 over 90: upper right") << 270.f << 90.f << 0b1000;
    QTest::newRow("-90 over 90: upper right") << -90.f << 90.f << 0b1000;
    QTest::newRow("0 over -90: upper right") << 0.f << -90.f << 0b1000;
    QTest::newRow("90 over 180: left half") << 90.f << 180.f << 0b0110;
    QTest::newRow("45 over 360: whole") << 45.f << 360.f << 0b1111;
    QTest::newRow("10 over 720: whole, no more") << 10.f << 720.f << 0b1111;
}

void tst_VectorDraw::pieQuadrants()
{
    QFETCH(float, start);
    QFETCH(float, sweep);
    QFETCH(int, filled);

    const QImage image = render(100, 100, [&](TGPGraphics &g) {
        TGPGraphicsPath path;
        QCOMPARE(path.AddPie(0, 0, 100, 100, start, sweep), TStatus::Ok);
        TGPSolidBrush brush(0xFF000000);
        QCOMPARE(g.FillPath(&brush, &path), TStatus::Ok);
    });
    const QPoint quadrant[] = {{70, 70}, {30, 70}, {30, 30}, {70, 30}};
    for (int q = 0; q < 4; ++q)
        QVERIFY2((alphaAt(image, quadrant[q]) == 255) == bool(filled & (1 << q)), qPrintable(QString::number(q)));
}

void tst_VectorDraw::arcExtent_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("sweep");
    QTest::addColumn<QList<double>>("drawnAt");
    QTest::addColumn<QList<double>>("emptyAt");

    const QRectF circle(20, 20, 160, 160);
    QTest::newRow("0 over 90") << circle << 0.f << 90.f << QList<double>{5, 45, 85} << QList<double>{-10, 100, 180, 270};
    QTest::newRow("threshold band 125 over 67.5")
        << QRectF(15, 15, 173, 178) << 125.f << 67.5f << QList<double>{128, 160, 189} << QList<double>{118, 199, 0};
    QTest::newRow("135 over 270, across 360") << circle << 135.f << 270.f << QList<double>{140, 270, 360, 400}
                                              << QList<double>{90, 60, 120};
    QTest::newRow("negative sweep runs anticlockwise") << circle << 90.f << -60.f << QList<double>{35, 60, 85}
                                                       << QList<double>{100, 20};
    // On an ellipse an angle is the direction of the ray from the centre:
    // the parametric 45 degrees of this ellipse would lie on the 14 degree ray.
    QTest::newRow("flat ellipse, ray angles") << QRectF(0, 75, 200, 50) << 0.f << 45.f
                                              << QList<double>{10, 30, 40} << QList<double>{52, 80};
}

void tst_VectorDraw::arcExtent()
{
    QFETCH(QRectF, rect);
    QFETCH(float, start);
    QFETCH(float, sweep);
    QFETCH(QList<double>, drawnAt);
    QFETCH(QList<double>, emptyAt);

    const QImage image = render(200, 200, [&](TGPGraphics &g) {
        TGPPen pen(0xFF000000, 4);
        QCOMPARE(g.DrawArc(&pen, rect.x(), rect.y(), rect.width(), rect.height(), start, sweep), TStatus::Ok);
    });
    for (double angle : drawnAt)
        QVERIFY2(alphaAt(image, onRay(rect, angle)) > 200, qPrintable(QString::number(angle)));
    for (double angle : emptyAt)
        QVERIFY2(alphaAt(image, onRay(rect, angle)) == 0, qPrintable(QString::number(angle)));
}

void tst_VectorDraw::evenOddFill_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<QList<QPoint>>("filled");
    QTest::addColumn<QList<QPoint>>("empty");

    QTest::newRow("ring of two ellipses") << Draw([](TGPGraphics &g) {
        TGPGraphicsPath path;
        path.AddEllipse(0, 0, 100, 100);
        path.AddEllipse(25, 25, 50, 50);
        TGPSolidBrush brush(0xFF000000);
        g.FillPath(&brush, &path);
    }) << QList<QPoint>{{10, 50}, {50, 90}} << QList<QPoint>{{50, 50}, {40, 60}, {2, 2}};

    // Outer arc back from the end, inner arc forward: one figure, a band.
    QTest::newRow("ring segment from two arcs") << Draw([](TGPGraphics &g) {
        TGPGraphicsPath path;
        path.AddArc(0, 0, 100, 100, 135 + 270, -270);
        path.AddArc(30, 30, 40, 40, 135, 270);
        TGPSolidBrush brush(0xFF000000);
        g.FillPath(&brush, &path);
    }) << QList<QPoint>{{50, 8}, {50, 25}, {8, 50}, {92, 50}} << QList<QPoint>{{50, 50}, {50, 36}, {50, 95}};

    QTest::newRow("pentagram polygon") << Draw([](TGPGraphics &g) {
        TGPPointFArray star;
        for (int i = 0; i < 5; ++i) {
            const double a = qDegreesToRadians(-90.0 + i * 144.0);
            star.push_back(TGPPointF(float(50 + 48 * std::cos(a)), float(50 + 48 * std::sin(a))));
        }
        TGPSolidBrush brush(0xFF000000);
        g.FillPolygon(&brush, star);
    }) << QList<QPoint>{{50, 10}, {20, 40}} << QList<QPoint>{{50, 52}};
}

void tst_VectorDraw::evenOddFill()
{
    QFETCH(Draw, draw);
    QFETCH(QList<QPoint>, filled);
    QFETCH(QList<QPoint>, empty);

    const QImage image = render(100, 100, draw);
    for (QPoint p : filled)
        QVERIFY2(alphaAt(image, p) == 255, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : empty)
        QVERIFY2(alphaAt(image, p) == 0, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void tst_VectorDraw::penStroke_data()
{
    QTest::addColumn<float>("width");
    QTest::newRow("width 1") << 1.f;
    QTest::newRow("width 4") << 4.f;
    QTest::newRow("width 10") << 10.f;
    QTest::newRow("width 8.73, the main ring") << 8.73f;
}

void tst_VectorDraw::penStroke()
{
    QFETCH(float, width);

    // A line at y 50.5 from x 20 to 80, and a pie corner, with the same pen.
    const QImage image = render(100, 200, [&](TGPGraphics &g) {
        TGPPen pen(0xFF000000, width);
        g.DrawLine(&pen, 20, 50.5f, 80, 50.5f);
        TGPGraphicsPath pie;
        pie.AddPie(0, 100, 160, 160, 0, 90);
        g.DrawPath(&pen, &pie);
    });
    const double top = 50.5 - width / 2, bottom = 50.5 + width / 2;
    QCOMPARE(alphaAt(image, {50, 50}), 255);
    QCOMPARE(alphaAt(image, {50, std::floor(top) - 1}), 0);
    QCOMPARE(alphaAt(image, {50, std::ceil(bottom) + 0.5}), 0);
    // Flat caps end the stroke at the end points.
    QCOMPARE(alphaAt(image, {19, 50}), 0);
    QCOMPARE(alphaAt(image, {80, 50}), 0);
    QVERIFY(alphaAt(image, {20, 50}) > 200);
    // The pie's corner at its centre (80, 180) is mitred: its outer corner
    // (up and left) is filled out to a square, not cut off.
    if (width >= 4) {
        const double inset = width / 2 - 1.5;
        QVERIFY(alphaAt(image, {80 - inset, 180 - inset}) > 200);
    }
}

void tst_VectorDraw::dashStyle_data()
{
    QTest::addColumn<TDashStyle>("style");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("solid") << TDashStyle::Solid << false;
    QTest::newRow("dot") << TDashStyle::Dot << true;
}

void tst_VectorDraw::dashStyle()
{
    QFETCH(TDashStyle, style);
    QFETCH(bool, gaps);

    const QImage image = render(100, 20, [&](TGPGraphics &g) {
        TGPPen pen(0xFF000000, 1);
        QCOMPARE(pen.SetDashStyle(style), TStatus::Ok);
        QCOMPARE(pen.GetDashStyle(), style);
        g.DrawLine(&pen, 10, 10.5f, 90, 10.5f);
    }, false);
    int painted = 0, longestRun = 0, run = 0;
    for (int x = 10; x < 90; ++x) {
        const bool on = qAlpha(image.pixel(x, 10)) > 0;
        painted += on;
        run = on ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    if (gaps) {
        QVERIFY(painted >= 80 / 4);
        QVERIFY(longestRun <= 2);
    } else {
        QCOMPARE(painted, 80);
    }
}

void tst_VectorDraw::linearGradient_data()
{
    QTest::addColumn<bool>("fromRect");
    QTest::addColumn<QRectF>("geometry");   // points: topLeft to bottomRight
    QTest::addColumn<TLinearGradientMode>("mode");
    QTest::addColumn<ARGB>("color1");
    QTest::addColumn<ARGB>("color2");
    QTest::addColumn<QList<Probe>>("probes");

    const ARGB red = 0xFFFF0000, blue = 0xFF0000FF;
    QTest::newRow("two points: ends and middle")
        << false << QRectF(QPointF(10, 0), QPointF(90, 0)) << TLinearGradientMode::Horizontal << red << blue
        << QList<Probe>{{{10, 5}, red}, {{89, 5}, blue}, {{50, 5}, 0xFF7F0080}};
    QTest::newRow("two points: tiled past the end")
        << false << QRectF(QPointF(10, 0), QPointF(50, 0)) << TLinearGradientMode::Horizontal << red << blue
        << QList<Probe>{{{50, 5}, red}, {{70, 5}, 0xFF7F0080}, {{5, 5}, 0xFF2000DF}};
    QTest::newRow("rect, vertical: top edge to bottom edge")
        << true << QRectF(0, 20, 100, 60) << TLinearGradientMode::Vertical << red << blue
        << QList<Probe>{{{3, 20}, red}, {{97, 20}, red}, {{50, 79}, blue}, {{50, 50}, 0xFF7F0080}};
    QTest::newRow("rect, forward diagonal: corners")
        << true << QRectF(0, 0, 100, 100) << TLinearGradientMode::ForwardDiagonal << red << blue
        << QList<Probe>{{{0, 0}, red}, {{99, 99}, blue}, {{99, 0}, 0xFF7F0080}, {{0, 99}, 0xFF7F0080}};
    QTest::newRow("rect, forward diagonal, wide: other corners at mid colour")
        << true << QRectF(0, 25, 100, 50) << TLinearGradientMode::ForwardDiagonal << red << blue
        << QList<Probe>{{{99, 25}, 0xFF7F0080}, {{0, 74}, 0xFF7F0080}, {{1, 26}, red}, {{98, 73}, blue}};
    // Channels blend straight: half way to transparent black is half grey.
    QTest::newRow("fade to transparent black")
        << false << QRectF(QPointF(0, 0), QPointF(100, 0)) << TLinearGradientMode::Horizontal << 0xFFFFFFFFu
        << 0x00000000u << QList<Probe>{{{50, 5}, 0x7F7F7F7F}, {{0, 5}, 0xFFFFFFFF}};
}

void tst_VectorDraw::linearGradient()
{
    QFETCH(bool, fromRect);
    QFETCH(QRectF, geometry);
    QFETCH(TLinearGradientMode, mode);
    QFETCH(ARGB, color1);
    QFETCH(ARGB, color2);
    QFETCH(QList<Probe>, probes);

    const QImage image = render(100, 100, [&](TGPGraphics &g) {
        const auto brush = fromRect
            ? TGPLinearGradientBrush(TGPRectF(geometry.x(), geometry.y(), geometry.width(), geometry.height()),
                                     color1, color2, mode)
            : TGPLinearGradientBrush(TGPPointF(geometry.left(), geometry.top()),
                                     TGPPointF(geometry.right(), geometry.bottom()), color1, color2);
        QCOMPARE(brush.PeekLastStatus(), TStatus::Ok);
        QCOMPARE(g.FillRectangle(&brush, 0, 0, 100, 100), TStatus::Ok);
    }, false);
    for (const Probe &probe : probes) {
        const QRgb actual = image.pixel(probe.at);
        QVERIFY2(near(actual, probe.rgba, 8),
                 qPrintable(QStringLiteral("at %1,%2: %3, expected %4").arg(probe.at.x()).arg(probe.at.y())
                                .arg(actual, 8, 16, QLatin1Char('0')).arg(probe.rgba, 8, 16, QLatin1Char('0'))));
    }
}

void tst_VectorDraw::penBrushQuery()
{
    TGPPen colourPen(0xFF123456, 3);
    QCOMPARE(colourPen.GetFillType(), TBrushType::SolidColor);
    const std::unique_ptr<TGPBrush> solid = colourPen.GetBrush();
    const auto *solidBrush = dynamic_cast<const TGPSolidBrush *>(solid.get());
    QVERIFY(solidBrush);
    QCOMPARE(solidBrush->GetColor(), 0xFF123456u);

    TGPLinearGradientBrush gradient(TGPPointF(0, 0), TGPPointF(100, 0), 0xFFFF0000, 0xFF0000FF);
    TGPPen gradientPen(&gradient, 5);
    QCOMPARE(gradientPen.GetFillType(), TBrushType::LinearGradient);
    const std::unique_ptr<TGPBrush> linear = gradientPen.GetBrush();
    QVERIFY(dynamic_cast<const TGPLinearGradientBrush *>(linear.get()));
    // The queried brush fills like the pen's own fill.
    const QImage image = render(100, 10, [&](TGPGraphics &g) { g.FillRectangle(linear.get(), 0, 0, 100, 10); }, false);
    QVERIFY(near(image.pixel(1, 5), 0xFFFF0000, 8));
    QVERIFY(near(image.pixel(98, 5), 0xFF0000FF, 8));
}

void tst_VectorDraw::argbFromColor_data()
{
    QTest::addColumn<int>("opacity");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<ARGB>("expected");

    QTest::newRow("red is the low byte") << 255 << TColor(0x0000FF) << 0xFFFF0000u;
    QTest::newRow("byte order") << 255 << TColor(0x123456) << 0xFF563412u;
    QTest::newRow("half opacity") << 128 << clNavy << 0x80000080u;
    QTest::newRow("transparent black") << 0 << clBlack << 0x00000000u;
    QTest::newRow("opacity 300 draws like 44") << 300 << clWhite << 0x2CFFFFFFu;
    QTest::newRow("opacity -1 draws like 255") << -1 << clGray << 0xFF808080u;
    QTest::newRow("high byte of a plain colour ignored") << 255 << TColor(0x1F00FF00) << 0xFF00FF00u;
}

void tst_VectorDraw::argbFromColor()
{
    QFETCH(int, opacity);
    QFETCH(TColor, color);
    QFETCH(ARGB, expected);
    QCOMPARE(ArgbFromColor(opacity, color), expected);
}

void tst_VectorDraw::argbFromChannels_data()
{
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<ARGB>("expected");
    QTest::newRow("in order") << QList<int>{0x12, 0x34, 0x56, 0x78} << 0x12345678u;
    QTest::newRow("low eight bits of each") << QList<int>{256, 257, -1, 0x1FE} << 0x0001FFFEu;
}

void tst_VectorDraw::argbFromChannels()
{
    QFETCH(QList<int>, channels);
    QFETCH(ARGB, expected);
    QCOMPARE(ArgbFromChannels(channels[0], channels[1], channels[2], channels[3]), expected);
}

void tst_VectorDraw::systemColourFollowsPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0x11, 0x22, 0x33));
    QApplication::setPalette(palette);
    QCOMPARE(ArgbFromColor(200, clBtnFace), 0xC8112233u);

    palette.setColor(QPalette::Button, QColor(0xA0, 0xB0, 0xC0));
    QApplication::setPalette(palette);
    QCOMPARE(ArgbFromColor(255, clBtnFace), 0xFFA0B0C0u);
}

void tst_VectorDraw::failingStatus_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<TStatus>("expected");

    auto row = [](const char *name, Make make, TStatus expected) { QTest::newRow(name) << make << expected; };
    row("bitmap 0 wide", [] { return TGPBitmap(0, 10).GetLastStatus(); }, TStatus::InvalidParameter);
    row("bitmap -5 high", [] { return TGPBitmap(10, -5).GetLastStatus(); }, TStatus::InvalidParameter);
    row("bitmap of a null image", [] { return TGPBitmap(QImage()).GetLastStatus(); }, TStatus::InvalidParameter);
    row("surface on a failed bitmap", [] {
        TGPBitmap bitmap(0, 0);
        return TGPGraphics(&bitmap).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("surface on no bitmap", [] { return TGPGraphics(static_cast<TGPImage *>(nullptr)).GetLastStatus(); },
        TStatus::InvalidParameter);
    row("second surface on a bitmap", [] {
        TGPBitmap bitmap(4, 4);
        TGPGraphics first(&bitmap);
        return TGPGraphics(&bitmap).GetLastStatus();
    }, TStatus::ObjectBusy);
    row("borrowed painter not painting", [] {
        QPainter idle;
        return TGPGraphics(idle).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("unknown font family", [] { return TGPFontFamily("No Such Family 42").GetLastStatus(); },
        TStatus::FontFamilyNotFound);
    row("empty family name", [] { return TGPFontFamily(QString()).GetLastStatus(); }, TStatus::FontFamilyNotFound);
    row("installed family, other case", [] { return TGPFontFamily(kFamily.toUpper()).GetLastStatus(); },
        TStatus::Ok);
    row("font without family", [] { return TGPFont(nullptr, 10).GetLastStatus(); }, TStatus::InvalidParameter);
    row("font of size 0", [] {
        TGPFontFamily family(kFamily);
        return TGPFont(&family, 0).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("base brush", [] { return TGPBrush().GetLastStatus(); }, TStatus::NotImplemented);
    row("path gradient brush", [] { return TGPPathGradientBrush(nullptr).GetLastStatus(); }, TStatus::NotImplemented);
    row("preset blend of count 0", [] {
        TGPPathGradientBrush brush(nullptr);
        const ARGB colors[] = {0, 0xB4FF0000};
        const float positions[] = {0, 1};
        return brush.SetInterpolationColors(colors, positions, 0);
    }, TStatus::InvalidParameter);
    row("preset blend without colours", [] {
        TGPPathGradientBrush brush(nullptr);
        const float positions[] = {0, 0.5f, 1};
        brush.SetInterpolationColors(nullptr, positions, 3);
        return brush.GetLastStatus();
    }, TStatus::InvalidParameter);
    row("gradient between equal points", [] {
        return TGPLinearGradientBrush(TGPPointF(3, 3), TGPPointF(3, 3), 0, 0).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("gradient over an empty rect", [] {
        return TGPLinearGradientBrush(TGPRectF(0, 0, 10, 0), 0, 0, TLinearGradientMode::Vertical).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("pen of negative width", [] { return TGPPen(0xFF000000, -1).GetLastStatus(); }, TStatus::InvalidParameter);
    row("pen from a brush without object", [] {
        TGPPathGradientBrush brush(nullptr);
        return TGPPen(&brush).GetLastStatus();
    }, TStatus::InvalidParameter);
    row("arc of an empty rect", [] { return TGPGraphicsPath().AddArc(0, 0, 0, 10, 0, 90); },
        TStatus::InvalidParameter);
    row("pie of an inside-out rect", [] { return TGPGraphicsPath().AddPie(0, 0, -10, 10, 0, 90); },
        TStatus::InvalidParameter);
}

void tst_VectorDraw::failingStatus()
{
    QFETCH(Make, make);
    QFETCH(TStatus, expected);
    QCOMPARE(make(), expected);
}

void tst_VectorDraw::drawsNothing_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<TStatus>("status");

    QTest::newRow("fill rectangle 0 wide") << Draw([](TGPGraphics &g) {
        TGPSolidBrush brush(0xFF000000);
        g.FillRectangle(&brush, 10, 10, 0, 20);
    }) << TStatus::Ok;
    QTest::newRow("fill rectangle without brush")
        << Draw([](TGPGraphics &g) { g.FillRectangle(nullptr, 0, 0, 40, 40); }) << TStatus::InvalidParameter;
    QTest::newRow("fill rectangle with the base brush") << Draw([](TGPGraphics &g) {
        TGPBrush brush;
        g.FillRectangle(&brush, 0, 0, 40, 40);
    }) << TStatus::InvalidParameter;
    QTest::newRow("path gradient fills nothing") << Draw([](TGPGraphics &g) {
        TGPGraphicsPath path;
        path.AddEllipse(0, 0, 40, 40);
        TGPPathGradientBrush brush(&path);
        const ARGB colors[] = {0, 0xB4FF0000, 0xB4808080};
        const float positions[] = {0, 0.5f, 1};
        brush.SetInterpolationColors(colors, positions, 3);
        g.FillPath(&brush, &path);
        g.FillEllipse(&brush, 0, 0, 40, 40);
    }) << TStatus::InvalidParameter;
    QTest::newRow("stroke with a failed pen") << Draw([](TGPGraphics &g) {
        TGPPen pen(0xFF000000, -3);
        g.DrawLine(&pen, 0, 0, 40, 40);
        g.DrawEllipse(&pen, 0, 0, 40, 40);
    }) << TStatus::InvalidParameter;
    QTest::newRow("not finite coordinates") << Draw([](TGPGraphics &g) {
        TGPSolidBrush brush(0xFF000000);
        const TGPPointF points[] = {{0, 0}, {40, float(qQNaN())}, {0, 40}};
        g.FillPolygon(&brush, points, 3);
    }) << TStatus::InvalidParameter;
    QTest::newRow("gradient over a layer of zero height") << Draw([](TGPGraphics &g) {
        TGPLinearGradientBrush brush(TGPRectF(0, 0, 40, 0), 0xFFFF0000, 0xFF0000FF, TLinearGradientMode::Vertical);
        g.FillEllipse(&brush, 0, 0, 40, 40);
    }) << TStatus::InvalidParameter;
    QTest::newRow("text in a failed font") << Draw([](TGPGraphics &g) {
        TGPFontFamily family(kFamily);
        TGPFont font(&family, -2);
        TGPSolidBrush brush(0xFF000000);
        g.DrawString("Hello", &font, TGPPointF(2, 2), nullptr, &brush);
    }) << TStatus::InvalidParameter;
}

void tst_VectorDraw::drawsNothing()
{
    QFETCH(Draw, draw);
    QFETCH(TStatus, status);

    TStatus recorded = TStatus::GenericError;
    const QImage image = render(40, 40, [&](TGPGraphics &g) {
        draw(g);
        recorded = g.GetLastStatus();
        QCOMPARE(g.GetLastStatus(), TStatus::Ok);   // reading forgets it
    });
    QVERIFY(blank(image));
    QCOMPARE(recorded, status);
}

void tst_VectorDraw::stringAnchor_data()
{
    QTest::addColumn<TStringAlignment>("alignment");
    QTest::addColumn<double>("anchor");   // 0 ink's left, 0.5 its centre, 1 its right on the origin
    QTest::newRow("near: left edge") << TStringAlignment::Near << 0.0;
    QTest::newRow("centre: top centre") << TStringAlignment::Center << 0.5;
    QTest::newRow("far: right edge") << TStringAlignment::Far << 1.0;
}

void tst_VectorDraw::stringAnchor()
{
    QFETCH(TStringAlignment, alignment);
    QFETCH(double, anchor);

    const TGPPointF origin(100, 30);
    TGPRectF box;
    const QImage image = render(200, 80, [&](TGPGraphics &g) {
        TGPFontFamily family(kFamily);
        TGPFont font(&family, 14);
        TGPStringFormat format(StringFormatFlags::NoClip);
        format.SetAlignment(alignment);
        TGPSolidBrush brush(0xFF000000);
        QCOMPARE(g.MeasureString("HHH", &font, origin, &format, &box), TStatus::Ok);
        QCOMPARE(g.DrawString("HHH", &font, origin, &format, &brush), TStatus::Ok);
    });
    // The layout box hangs from the origin.
    QCOMPARE(box.Y, origin.Y);
    QVERIFY(qAbs(box.X + anchor * box.Width - origin.X) < 0.01);
    const QRect ink = inkRect(image);
    QVERIFY(!ink.isEmpty());
    const double inkAnchor = ink.left() + anchor * (ink.width());
    QVERIFY2(qAbs(inkAnchor - origin.X) <= 3, qPrintable(QString::number(inkAnchor)));
    // Capitals start below the top of the line, within its upper third.
    QVERIFY(ink.top() > origin.Y);
    QVERIFY(ink.top() < origin.Y + box.Height / 3);
}

// Centred gauge text is measured, then drawn into the measured box (clipped
// to it): it must look exactly like the text drawn at the box's corner.
void tst_VectorDraw::measuredBoxHoldsText()
{
    TGPFontFamily family(kFamily);
    TGPFont font(&family, 14, FontStyle::Italic);
    TGPSolidBrush brush(0xFF000000);
    const QString text = QStringLiteral("Velocidad km/h");
    TGPRectF box;
    const QImage atPoint = render(200, 60, [&](TGPGraphics &g) {
        g.MeasureString(text, &font, TGPPointF(10, 10), nullptr, &box);
        g.DrawString(text, &font, TGPPointF(10, 10), nullptr, &brush);
    });
    const QImage inBox = render(200, 60, [&](TGPGraphics &g) { g.DrawString(text, &font, box, nullptr, &brush); });
    QVERIFY(box.Width > 0 && box.Height > 0);
    QCOMPARE(inBox, atPoint);
}

void tst_VectorDraw::fontSizeAndStyle()
{
    TGPFontFamily family(kFamily);
    TGPFont points(&family, 14);
    TGPFont pixels(&family, 14 * 96 / 72.f, FontStyle::Regular, TUnit::Pixel);
    TGPFont bold(&family, 14, FontStyle::Bold);
    TGPFont underlined(&family, 14, FontStyle::Underline);
    TGPSolidBrush brush(0xFF000000);

    TGPRectF regularBox, pixelBox, boldBox;
    QImage plain = render(200, 60, [&](TGPGraphics &g) {
        g.MeasureString("HHHH", &points, TGPPointF(), nullptr, &regularBox);
        g.MeasureString("HHHH", &pixels, TGPPointF(), nullptr, &pixelBox);
        g.MeasureString("HHHH", &bold, TGPPointF(), nullptr, &boldBox);
        g.DrawString("H", &points, TGPPointF(10, 10), nullptr, &brush);
    });
    QCOMPARE(pixelBox, regularBox);
    QVERIFY(boldBox.Width > regularBox.Width);
    // 14 points at 96 dpi is an em of 18.7 pixels: capitals about 13 high.
    const QRect ink = inkRect(plain);
    QVERIFY2(ink.height() >= 12 && ink.height() <= 15, qPrintable(QString::number(ink.height())));

    const QImage line = render(200, 60, [&](TGPGraphics &g) {
        g.DrawString("H", &underlined, TGPPointF(10, 10), nullptr, &brush);
    });
    QVERIFY(inkRect(line).bottom() > ink.bottom() + 1);
}

void tst_VectorDraw::missingFamilyStillDraws()
{
    const QImage image = render(100, 40, [](TGPGraphics &g) {
        TGPFontFamily family("Arial Substituted Nowhere");
        QCOMPARE(family.GetLastStatus(), TStatus::FontFamilyNotFound);
        TGPFont font(&family, 12);
        QCOMPARE(font.GetLastStatus(), TStatus::Ok);
        TGPSolidBrush brush(0xFF000000);
        g.DrawString("Text", &font, TGPPointF(2, 2), nullptr, &brush);
    });
    QVERIFY(!blank(image));
}

void tst_VectorDraw::drawImage_data()
{
    QTest::addColumn<QRectF>("target");   // empty: unscaled at its top-left
    QTest::addColumn<QList<Probe>>("probes");

    const QRgb red = 0xFFFF0000, blue = 0xFF0000FF, none = 0;
    QTest::newRow("scaled into a rectangle") << QRectF(20, 30, 40, 20)
        << QList<Probe>{{{24, 40}, red}, {{56, 40}, blue}, {{24, 32}, red}, {{56, 47}, blue},
                        {{18, 40}, none}, {{62, 40}, none}, {{40, 27}, none}, {{40, 52}, none}};
    QTest::newRow("unscaled at a point") << QRectF(5, 6, 0, 0)
        << QList<Probe>{{{5, 6}, red}, {{9, 15}, red}, {{10, 6}, blue}, {{14, 15}, blue},
                        {{15, 6}, none}, {{5, 16}, none}, {{4, 6}, none}};
}

void tst_VectorDraw::drawImage()
{
    QFETCH(QRectF, target);
    QFETCH(QList<Probe>, probes);

    // 10 x 10: left half red, right half blue.
    TGPBitmap source(10, 10);
    {
        TGPGraphics g(&source);
        TGPSolidBrush red(0xFFFF0000), blue(0xFF0000FF);
        g.FillRectangle(&red, 0, 0, 5, 10);
        g.FillRectangle(&blue, 5, 0, 5, 10);
    }
    const QImage image = render(100, 100, [&](TGPGraphics &g) {
        if (target.isEmpty())
            QCOMPARE(g.DrawImageI(&source, int(target.x()), int(target.y())), TStatus::Ok);
        else
            QCOMPARE(g.DrawImage(&source, target.x(), target.y(), target.width(), target.height()), TStatus::Ok);
    });
    for (const Probe &probe : probes)
        QVERIFY2(near(image.pixel(probe.at), probe.rgba, 16),
                 qPrintable(QStringLiteral("%1,%2").arg(probe.at.x()).arg(probe.at.y())));
    if (!target.isEmpty()) {
        // Smoothly filtered: the seam blends both colours.
        const QRgb seam = image.pixel(40, 40);
        QVERIFY(qRed(seam) > 40 && qBlue(seam) > 40);
    }
}

void tst_VectorDraw::bitmapReusesBuffer()
{
    QImage buffer(30, 20, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::red);
    const uchar *storage = buffer.constBits();
    {
        TGPBitmap bitmap(buffer, 30, 20);
        QCOMPARE(bitmap.GetLastStatus(), TStatus::Ok);
        QCOMPARE(bitmap.GetWidth(), 30);
        TGPGraphics g(&bitmap);
        TGPSolidBrush brush(0xFF0000FF);
        g.FillRectangle(&brush, 0, 0, 5, 5);
    }
    QCOMPARE(buffer.constBits(), storage);
    QCOMPARE(buffer.pixel(2, 2), 0xFF0000FFu);
    QCOMPARE(buffer.pixel(20, 10), 0u);   // cleared to transparent

    TGPBitmap resized(buffer, 40, 10);
    QCOMPARE(buffer.size(), QSize(40, 10));
    QCOMPARE(buffer.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(resized.GetHeight(), 10);
    QVERIFY(blank(buffer));
}

void tst_VectorDraw::borrowedPainterIsGivenBack()
{
    QImage image(60, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::TextAntialiasing);
    const QPen pen(Qt::green, 3);
    const QBrush brush(Qt::yellow);
    QFont font;
    font.setPixelSize(7);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.setFont(font);
    {
        TGPGraphics g(painter);
        QCOMPARE(g.GetLastStatus(), TStatus::Ok);
        g.SetSmoothingMode(TSmoothingMode::AntiAlias);
        g.SetTextRenderingHint(TTextRenderingHint::SingleBitPerPixel);
        TGPSolidBrush red(0xFFFF0000);
        TGPPen blue(0xFF0000FF, 2);
        TGPFontFamily family(kFamily);
        TGPFont big(&family, 20);
        g.FillEllipse(&red, 0, 0, 30, 30);
        g.DrawLine(&blue, 0, 50, 60, 50);
        g.DrawString("x", &big, TGPPointF(30, 0), nullptr, &red);
    }
    QCOMPARE(painter.renderHints(), QPainter::RenderHints(QPainter::TextAntialiasing));
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.brush(), brush);
    QCOMPARE(painter.font().pixelSize(), 7);
    painter.end();
    QCOMPARE(image.pixel(15, 15), 0xFFFF0000u);   // drawn through the borrowed painter
}

QTEST_MAIN(tst_VectorDraw)
#include "tst_VectorDraw.moc"
