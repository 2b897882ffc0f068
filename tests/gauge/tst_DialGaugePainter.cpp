// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QLabel>
#include <QPainter>
#include <QProcess>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <tuple>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"
#include "gauge/DialGaugePainter.h"
#include "gauge/DialGaugePrivate.h"
#include "platform/SysErrors.h"

using Change = std::function<void(TDialGauge &)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QColor Parent(128, 128, 128);
constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;
const QString TooLong(225, u'0');

// DialGauge1 of the calculator's window, resting at value.
std::unique_ptr<TDialGauge> mainGauge(double value = 87.456)
{
    return mainWindowGauge(value);
}

// Every layer off but the scale labels (they have no switch).
void stripDown(TDialGauge &g)
{
    g.InnerCircle()->SetColor(clNone);
    g.InnerCircle()->Gloss()->SetColor(clNone);
    g.OuterCircle()->SetColor(clNone);
    g.OuterRim()->SetColor(clNone);
    g.SetDivisionColor(clNone);
    g.SetSubDivisionColor(clNone);
    g.Arc()->SetColor(clNone);
    g.Arc()->Threshold()->SetColor(clNone);
    g.Digit()->SetVisible(false);
    g.Needle()->SetColor(clNone);
    g.Needle()->SetShineColor(clNone);
    g.Needle()->SetOuterCenterColor(clNone);
    g.Needle()->SetInnerCenterColor(clNone);
}

QImage canvas(const TDialGauge &g, qreal dpr = 1)
{
    QImage image(g.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Parent);
    return image;
}

// Through the gauge's own paint event and painter (cached). A gauge's first
// picture is painted straight; the picture it settles on is taken instead.
QImage grab(TDialGauge &g)
{
    QImage image = canvas(g);
    if (!g.property("painted").toBool()) {
        g.setProperty("painted", true);
        g.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        image = canvas(g);
    }
    g.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage paintWith(TDialGaugePainter &painter, const TDialGauge &g, qreal dpr = 1)
{
    QImage image = canvas(g, dpr);
    QPainter p(&image);
    painter.paint(p);
    return image;
}

QImage straight(const TDialGauge &g, qreal dpr = 1)
{
    TDialGaugePainter painter(g);
    painter.SetCaching(false);
    return paintWith(painter, g, dpr);
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b)),
                     qAbs(qAlpha(a) - qAlpha(b))});
}

int maxDistance(const QImage &a, const QImage &b, QPoint *where = nullptr)
{
    if (a.size() != b.size() || a.format() != b.format() || a.depth() != 32)
        return 256;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (ra[x] == rb[x])
                continue;
            const int d = channelDistance(ra[x], rb[x]);
            if (d > worst) {
                worst = d;
                if (where)
                    *where = QPoint(x, y);
            }
        }
    }
    return worst;
}

// How far a lies outside the range b spans within a device pixel of each
// pixel: 0 where a is b shifted by up to a pixel, or in between.
int envelopeDistance(const QImage &a, const QImage &b, QPoint *where, int *outside = nullptr)
{
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    if (outside)
        *outside = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            for (int shift : {24, 16, 8, 0}) {
                const int v = int(p >> shift) & 0xFF;
                int lo = 255, hi = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(std::clamp(x + dx, 0, b.width() - 1), std::clamp(y + dy, 0, b.height() - 1));
                        const int w = int(b.pixel(q) >> shift) & 0xFF;
                        lo = std::min(lo, w);
                        hi = std::max(hi, w);
                    }
                const int off = std::max({0, lo - v, v - hi});
                if (outside && off > 2 && shift == 0)
                    ++*outside;
                if (off > worst) {
                    worst = off;
                    *where = QPoint(x, y);
                }
            }
        }
    return worst;
}

qint64 sumOfDistances(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += channelDistance(a.pixel(x, y), b.pixel(x, y));
    return sum;
}

// Within 2 levels per channel, or a message naming the worst pixel.
#define COMPARE_PICTURES(actual, expected, what)                                                   \
    do {                                                                                           \
        QPoint at;                                                                                 \
        const int worst = maxDistance(actual, expected, &at);                                      \
        QVERIFY2(worst <= 2, qPrintable(QString("%1: %2 levels apart at %3,%4")                    \
                                            .arg(what).arg(worst).arg(at.x()).arg(at.y())));        \
    } while (false)

// Where a face point is shown: the face is scaled into DialRect.
QPointF toScreen(const TDialGauge &g, QPointF face)
{
    return QPointF(g.DialLeft() + face.x() * g.DialWidth() / g.width(),
                   g.DialTop() + face.y() * g.DialHeight() / g.height());
}

QPointF toFace(const TDialGauge &g, QPointF screen)
{
    return QPointF((screen.x() - g.DialLeft()) * g.width() / g.DialWidth(),
                   (screen.y() - g.DialTop()) * g.height() / g.DialHeight());
}

// The point of an ellipse in the direction of angle (degrees, clockwise).
QPointF onEllipse(const QRectF &r, double degrees)
{
    const double t = degrees * M_PI / 180;
    const double a = r.width() / 2, b = r.height() / 2;
    const double k = a * b / std::hypot(b * std::cos(t), a * std::sin(t));
    return r.center() + QPointF(k * std::cos(t), k * std::sin(t));
}

// Roughly how many pixels p lies outside the ellipse in r (negative inside).
double outside(const QRectF &r, QPointF p)
{
    const QPointF d = p - r.center();
    const double rho = std::hypot(d.x() / (r.width() / 2), d.y() / (r.height() / 2));
    return (rho - 1) * std::min(r.width(), r.height()) / 2;
}

double offEllipse(const QRectF &r, QPointF p)
{
    return std::abs(outside(r, p));
}

QRgb at(const QImage &image, QPointF p)
{
    return image.pixel(int(std::floor(p.x())), int(std::floor(p.y())));
}

bool isRed(QRgb c)
{
    return qRed(c) > 220 && qGreen(c) < 50 && qBlue(c) < 50;
}

struct Layer
{
    Change setUp;
    Change switchOff;
    // Where switching the layer off may change pixels (screen coordinates).
    std::function<bool(const TDialGauge &, QPointF)> area;
};

bool nearFaceEllipse(const TDialGauge &g, QPointF s, const QRectF &faceRect, double halfWidth)
{
    return offEllipse(faceRect, toFace(g, s)) <= halfWidth + 3;
}

bool inRect(QPointF p, const QRectF &r)
{
    return r.adjusted(-3, -3, 3, 3).contains(p);
}

QRectF outlineBounds(const TDialGauge &g, int points)
{
    const TArrayOfPointF outline = g.NeedleOutline(g.Value());
    return QPolygonF(outline.mid(0, points)).boundingRect();
}

const QMap<QString, Layer> &layers()
{
    static const QMap<QString, Layer> table{
        {"inner circle",
         {{}, [](TDialGauge &g) { g.InnerCircle()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return outside(g.DialRect(), toFace(g, s)) < 3; }}},
        {"outer circle",
         {{}, [](TDialGauge &g) { g.OuterCircle()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return nearFaceEllipse(g, s, g.DialRect(), 291 * 0.03 / 2); }}},
        {"outer rim",
         {{}, [](TDialGauge &g) { g.OuterRim()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return nearFaceEllipse(g, s, g.DialRect(), 0.5); }}},
        {"division ticks",
         {{}, [](TDialGauge &g) { g.SetDivisionColor(clNone); },
          [](const TDialGauge &g, QPointF s) {
              const double r = QLineF(toFace(g, s), g.ScaleCenter()).length();
              return r > g.ScaleRadius() - 303 / 20.0 - 4 && r < g.ScaleRadius() + 4;
          }}},
        {"subdivision ticks",
         {{}, [](TDialGauge &g) { g.SetSubDivisionColor(clNone); },
          [](const TDialGauge &g, QPointF s) {
              const double r = QLineF(toFace(g, s), g.ScaleCenter()).length();
              return r > g.ScaleRadius() - 303 / 50.0 - 4 && r < g.ScaleRadius() + 4;
          }}},
        {"arc",
         {{}, [](TDialGauge &g) { g.Arc()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return nearFaceEllipse(g, s, g.ArcRect(), 303 / 80.0); }}},
        {"threshold band",
         {{}, [](TDialGauge &g) { g.Arc()->Threshold()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return nearFaceEllipse(g, s, g.ArcRect(), 303 / 100.0); }}},
        {"section",
         {[](TDialGauge &g) {
              TDialGaugeSection *s = g.Sections()->Add();
              s->SetStartValue(50);
              s->SetEndValue(200);
              s->SetOuterMargin(40);
              s->SetInnerMargin(60);
          },
          [](TDialGauge &g) { g.Sections()->Items(0)->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) {
              const QPointF f = toFace(g, s);
              return QLineF(f, QPointF(151.5, 154)).length() > 57 && outside(QRectF(40, 40, 223, 228), f) < 3;
          }}},
        {"value box",
         {{}, [](TDialGauge &g) { g.Digit()->SetBackGroundColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return inRect(toFace(g, s), QRectF(90.9, 250.41, 121.2, 34.22)); }}},
        {"digits",
         {{}, [](TDialGauge &g) { g.Digit()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return inRect(toFace(g, s), QRectF(90.9, 250.41, 121.2, 34.22)); }}},
        {"dial text",
         {[](TDialGauge &g) { g.SetDialText("km/h"); }, [](TDialGauge &g) { g.SetDialText(""); },
          [](const TDialGauge &g, QPointF s) { return inRect(toFace(g, s), QRectF(111, 205, 81, 30)); }}},
        {"needle body",
         {{}, [](TDialGauge &g) { g.Needle()->SetColor(clNone); },
          [](const TDialGauge &g, QPointF s) { return inRect(s, outlineBounds(g, 5)); }}},
        {"shine",
         {{}, [](TDialGauge &g) { g.Needle()->SetShineColorTo(clNone); },
          [](const TDialGauge &g, QPointF s) { return inRect(s, outlineBounds(g, 3)); }}},
        {"outer cap",
         {{}, [](TDialGauge &g) { g.Needle()->SetOuterCenterColorTo(clNone); },
          [](const TDialGauge &, QPointF s) { return QLineF(s, QPointF(152, 154)).length() < 291 / 10.0 + 3; }}},
        {"inner cap",
         {{}, [](TDialGauge &g) { g.Needle()->SetInnerCenterColor(clNone); },
          [](const TDialGauge &, QPointF s) { return QLineF(s, QPointF(152, 154)).length() < 291 / 14.0 + 3; }}},
        {"gloss",
         {{}, [](TDialGauge &g) { g.InnerCircle()->Gloss()->SetColor(clNone); },
          [](const TDialGauge &, QPointF s) {
              return inRect(s, QRectF(35.1, 26.72, 232.8, 207.2)) || inRect(s, QRectF(78.75, 233.92, 145.5, 59.2));
          }}},
    };
    return table;
}


// A square gauge of side pixels in a preset's colours, resting at value.
std::unique_ptr<TDialGauge> presetGauge(int preset, int side, double value)
{
    auto g = mainGauge(0);
    g->SetAnimation(false);
    g->ApplyStyle(quint8(preset));
    resizeTo(*g, side, side);
    g->SetValue(value);
    return g;
}

// What a paint event for region does: the parent drawn again under it, the
// gauge clipped to it and told of it.
void paintRegion(TDialGaugePainter &painter, QImage &image, const QRegion &region)
{
    QPainter p(&image);
    p.setClipRegion(region);
    p.fillRect(QRect(QPoint(), image.deviceIndependentSize().toSize()), Parent);
    painter.paint(p, region);
}

// The region the gauge's last change asked to repaint.
QRegion requested(TDialGauge &g)
{
    const QRegion region = TDialGaugePrivate::Get(g).m_requestedRegion;
    return region.isEmpty() ? QRegion(g.rect()) : region;
}

} // namespace

class tst_DialGaugePainter : public QObject
{
    Q_OBJECT

private slots:
    void cachedEqualsStraight();
    void layerSwitchedOff_data();
    void layerSwitchedOff();
    void needleTip_data();
    void needleTip();
    void capsCentred_data();
    void capsCentred();
    void sections_data();
    void sections();
    void arcAndBand_data();
    void arcAndBand();
    void parentShowsThrough();
    void focusCircle_data();
    void focusCircle();
    void unknownFontDrawsInArial();
    void refusedReadoutReportedOnce();
    void reportedThroughTheGauge();
    void glideKeepsTheCache();
    void firstPaintStraightThenWarm();
    void firstFrameFromAnotherCore_data();
    void firstFrameFromAnotherCore();
    void shownGaugeLaysItsFirstFrame();
    void leavingBeforeTheFirstPaint();
    void glideEndsOnTheValue();
    void restingGaugeDoesNotRepaint();
    void layeredEqualsStraight_data();
    void layeredEqualsStraight();
    void regionPaintsDuringGlide_data();
    void regionPaintsDuringGlide();
    void keptCellsThenOtherPaths_data();
    void keptCellsThenOtherPaths();
    void changeRedrawsOnlyItsLayers_data();
    void changeRedrawsOnlyItsLayers();
    void changesInSequence_data();
    void changesInSequence();
    void noStaleLayer_data();
    void noStaleLayer();
    void hiDpiPaintsDevicePixels_data();
    void hiDpiPaintsDevicePixels();
};

// The kept layers must give the straight paint over a run of changes that
// each drop (or, for the cut-off rim, bypass) what is kept.
void tst_DialGaugePainter::cachedEqualsStraight()
{
    auto gauge = mainGauge(0);
    TDialGauge &g = *gauge;
    TDialGaugePainter hiDpi(g);
    const QPalette palette = QApplication::palette();
    const std::vector<std::pair<const char *, Change>> steps{
        {"start", [](TDialGauge &) {}},
        {"value 27.54", [](TDialGauge &g) { g.SetAnimation(false); g.SetValue(27.54); }},
        {"value 87.456", [](TDialGauge &g) { g.SetValue(87.456); }},
        {"value 250", [](TDialGauge &g) { g.SetValue(250); }},
        {"four digits", [](TDialGauge &g) { g.SetValueFormat("0000.000"); g.SetValue(175.25); }},
        {"dial text", [](TDialGauge &g) { g.SetDialText("km/h"); }},
        {"focus", [](TDialGauge &g) {
             g.SetTabStop(true);
             QFocusEvent in(QEvent::FocusIn);
             QCoreApplication::sendEvent(&g, &in);
         }},
        {"value under focus", [](TDialGauge &g) { g.SetValue(12.5); }},
        {"sections", [](TDialGauge &g) {
             g.Sections()->Add()->SetInnerMargin(50);
             TDialGaugeSection *back = g.Sections()->Add();
             back->SetStartValue(240);
             back->SetEndValue(150);
             back->SetColor(Red);
         }},
        {"value by angle", [](TDialGauge &g) { g.Arc()->Threshold()->SetThresholdKind(tkValue); }},
        {"no read-out", [](TDialGauge &g) { g.Digit()->SetVisible(false); g.SetValue(63); }},
        {"system colour", [](TDialGauge &g) { g.Digit()->SetVisible(true); g.InnerCircle()->SetColor(clBtnFace); }},
        {"palette", [](TDialGauge &) {
             QPalette changed = QApplication::palette();
             changed.setColor(QPalette::Button, QColor(200, 40, 90));
             QApplication::setPalette(changed);
         }},
        {"rim cut off from repaint", [](TDialGauge &g) {
             g.OuterRim()->OnChange = nullptr;
             g.OuterRim()->SetColor(Red);
         }},
        {"resize", [](TDialGauge &g) { resizeTo(g, 260, 180); g.SetValue(99.9); }},
        {"back to size", [](TDialGauge &g) { resizeTo(g, 303, 308); }},
    };
    for (const auto &[name, change] : steps) {
        change(g);
        QVERIFY2(maxDistance(grab(g), straight(g)) <= 2, name);
        QVERIFY2(maxDistance(paintWith(hiDpi, g, 2), straight(g, 2)) <= 2, name);
    }
    for (quint8 preset = 0; preset < 10; ++preset) {
        g.ApplyStyle(preset);
        g.SetValue(preset * 25.0);
        QVERIFY2(maxDistance(grab(g), straight(g)) <= 2, qPrintable(QString("preset %1").arg(preset)));
    }
    QApplication::setPalette(palette);
}

void tst_DialGaugePainter::layerSwitchedOff_data()
{
    QTest::addColumn<QString>("layer");
    for (const QString &name : layers().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void tst_DialGaugePainter::layerSwitchedOff()
{
    QFETCH(QString, layer);
    const Layer &l = layers()[layer];
    auto g = mainGauge();
    if (l.setUp)
        l.setUp(*g);
    const QImage on = grab(*g);
    l.switchOff(*g);
    const QImage off = grab(*g);
    int changed = 0;
    for (int y = 0; y < on.height(); ++y) {
        for (int x = 0; x < on.width(); ++x) {
            if (on.pixel(x, y) == off.pixel(x, y))
                continue;
            ++changed;
            QVERIFY2(l.area(*g, QPointF(x + 0.5, y + 0.5)), qPrintable(QString("changed at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(changed > 20);
}

void tst_DialGaugePainter::needleTip_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("0") << 0.0;
    QTest::newRow("125") << 125.0;
    QTest::newRow("250") << 250.0;
}

// Opaque red body, nothing over it: the tip lies where the outline says.
void tst_DialGaugePainter::needleTip()
{
    QFETCH(double, value);
    auto g = mainGauge(value);
    stripDown(*g);
    g->Needle()->SetColor(Red);
    const QImage image = grab(*g);
    for (double other : {0.0, 125.0, 250.0}) {
        const TArrayOfPointF outline = g->NeedleOutline(other);
        const QPointF inward = (outline[2] - outline[0]) / QLineF(outline[0], outline[2]).length();
        QCOMPARE(isRed(at(image, outline[0] + 25 * inward)), other == value);
        QVERIFY(!isRed(at(image, outline[0] - 4 * inward)));
    }
}

void tst_DialGaugePainter::capsCentred_data()
{
    QTest::addColumn<bool>("outer");
    QTest::addColumn<double>("diameter");
    QTest::newRow("outer") << true << 291 / 5.0;
    QTest::newRow("inner") << false << 291 / 7.0;
}

// Coverage-weighted centre along the middle row and column: (152, 154), the
// rounded centre, not DialCenter (151.5, 154).
void tst_DialGaugePainter::capsCentred()
{
    QFETCH(bool, outer);
    QFETCH(double, diameter);
    auto g = mainGauge();
    stripDown(*g);
    const QImage without = grab(*g);
    if (outer) {
        g->Needle()->SetOuterCenterColor(Green);
        g->Needle()->SetOuterCenterColorTo(Green);
        g->Needle()->SetOuterCenterOpacity(255);
    } else {
        g->Needle()->SetInnerCenterColor(Green);
        g->Needle()->SetInnerCenterColorTo(Green);
    }
    const QImage with = grab(*g);
    auto coverage = [&](int x, int y) {
        return (qGreen(with.pixel(x, y)) - qGreen(without.pixel(x, y))) / (255.0 - qGreen(without.pixel(x, y)));
    };
    double sumX = 0, momentX = 0, sumY = 0, momentY = 0;
    for (int i = 100; i < 205; ++i) {
        sumX += coverage(i, 154);
        momentX += coverage(i, 154) * (i + 0.5);
        sumY += coverage(152, i);
        momentY += coverage(152, i) * (i + 0.5);
    }
    QVERIFY(std::abs(momentX / sumX - 152) < 0.2);
    QVERIFY(std::abs(momentY / sumY - 154) < 0.2);
    QVERIFY(std::abs(sumX - diameter) < 1);
}

void tst_DialGaugePainter::sections_data()
{
    QTest::addColumn<int>("innerMargin");
    QTest::addColumn<double>("startValue");
    QTest::addColumn<double>("endValue");
    QTest::addColumn<QPointF>("face");
    QTest::addColumn<bool>("covered");
    // Default 200 x 200 gauge: scale 135..405 degrees around (100, 100).
    QTest::newRow("pie near the centre") << 0 << 0.0 << 100.0 << QPointF(80, 100) << true;
    QTest::newRow("pie outer part") << 0 << 0.0 << 100.0 << QPointF(50, 100) << true;
    QTest::newRow("pie leaves the gap") << 0 << 0.0 << 100.0 << QPointF(100, 150) << false;
    QTest::newRow("pie ends at its margin") << 0 << 0.0 << 100.0 << QPointF(17, 100) << false;
    QTest::newRow("ring segment hole") << 30 << 0.0 << 100.0 << QPointF(80, 100) << false;
    QTest::newRow("ring segment band") << 30 << 0.0 << 100.0 << QPointF(50, 100) << true;
    QTest::newRow("negative sweep") << 0 << 100.0 << 0.0 << QPointF(50, 100) << true;
    QTest::newRow("negative sweep gap") << 0 << 100.0 << 0.0 << QPointF(100, 150) << false;
    QTest::newRow("half to the top") << 0 << 0.0 << 50.0 << QPointF(50, 100) << true;
    QTest::newRow("half not right") << 0 << 0.0 << 50.0 << QPointF(150, 100) << false;
}

void tst_DialGaugePainter::sections()
{
    QFETCH(int, innerMargin);
    QFETCH(double, startValue);
    QFETCH(double, endValue);
    QFETCH(QPointF, face);
    QFETCH(bool, covered);
    TDialGauge g;
    resizeTo(g, 200, 200);
    stripDown(g);
    TDialGaugeSection *section = g.Sections()->Add();
    section->SetColor(Red);
    section->SetOpacity(255);
    section->SetInnerMargin(innerMargin);
    section->SetStartValue(startValue);
    section->SetEndValue(endValue);
    QCOMPARE(isRed(at(grab(g), toScreen(g, face))), covered);
}

void tst_DialGaugePainter::arcAndBand_data()
{
    QTest::addColumn<bool>("band");
    QTest::addColumn<bool>("byValue");
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("drawn");
    // Arc over the threshold's 135..405 degrees; band 125..192.5.
    QTest::newRow("arc before start") << false << false << 132.0 << false;
    QTest::newRow("arc after start") << false << false << 138.0 << true;
    QTest::newRow("arc before end") << false << false << 402.0 << true;
    QTest::newRow("arc after end") << false << false << 408.0 << false;
    QTest::newRow("band before start") << true << false << 122.0 << false;
    QTest::newRow("band after start") << true << false << 128.0 << true;
    QTest::newRow("band before end") << true << false << 189.5 << true;
    QTest::newRow("band after end") << true << false << 195.5 << false;
    // By value 20..80 on 0..250 over 125..415: 148.2..217.8 degrees.
    QTest::newRow("value arc before") << false << true << 145.2 << false;
    QTest::newRow("value arc after start") << false << true << 151.2 << true;
    QTest::newRow("value arc before end") << false << true << 214.8 << true;
    QTest::newRow("value arc after end") << false << true << 220.8 << false;
}

void tst_DialGaugePainter::arcAndBand()
{
    QFETCH(bool, band);
    QFETCH(bool, byValue);
    QFETCH(double, angle);
    QFETCH(bool, drawn);
    auto g = mainGauge();
    stripDown(*g);
    g->Arc()->SetOpacity(255);
    g->Arc()->Threshold()->SetOpacity(255);
    if (band)
        g->Arc()->Threshold()->SetColor(Red);
    else
        g->Arc()->SetColor(Red);
    if (byValue) {
        g->Arc()->Threshold()->SetStartValue(20);
        g->Arc()->Threshold()->SetEndValue(80);
        g->Arc()->Threshold()->SetThresholdKind(tkValue);
    }
    QCOMPARE(isRed(at(grab(*g), toScreen(*g, onEllipse(g->ArcRect(), angle)))), drawn);
}

// Around the round face the parent's own pixels stay: its background and a
// label under the gauge.
void tst_DialGaugePainter::parentShowsThrough()
{
    QWidget parent;
    parent.resize(400, 400);
    parent.setAutoFillBackground(true);
    parent.setPalette(QPalette(QColor(0, 200, 0)));
    QLabel label(&parent);
    label.setGeometry(0, 0, 120, 60);
    label.setAutoFillBackground(true);
    label.setPalette(QPalette(QColor(200, 0, 200)));
    auto g = mainGauge();
    g->setParent(&parent);
    g->setGeometry(20, 20, 303, 308);
    g->show();
    const QImage image = parent.grab().toImage();
    QCOMPARE(image.pixel(22, 22), qRgb(200, 0, 200));
    QCOMPARE(image.pixel(320, 22), qRgb(0, 200, 0));
    QCOMPARE(image.pixel(22, 325), qRgb(0, 200, 0));
    const QRgb middle = image.pixel(20 + 151, 20 + 100);
    QVERIFY(middle != qRgb(0, 200, 0) && middle != qRgb(200, 0, 200));
}

void tst_DialGaugePainter::focusCircle_data()
{
    QTest::addColumn<bool>("tabStop");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("tab stop, focused") << true << true << true;
    QTest::newRow("tab stop, no focus") << true << false << false;
    QTest::newRow("no tab stop, focused") << false << true << false;
}

void tst_DialGaugePainter::focusCircle()
{
    QFETCH(bool, tabStop);
    QFETCH(bool, focused);
    QFETCH(bool, drawn);
    auto g = mainGauge();
    const QImage plain = grab(*g);
    g->SetTabStop(tabStop);
    QFocusEvent focus(focused ? QEvent::FocusIn : QEvent::FocusOut);
    QCoreApplication::sendEvent(g.get(), &focus);
    const QImage image = grab(*g);
    const QRectF ring = g->DialRect().adjusted(-3, -3, 3, 3);
    int changed = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == plain.pixel(x, y))
                continue;
            ++changed;
            QVERIFY(offEllipse(ring, toFace(*g, QPointF(x + 0.5, y + 0.5))) < 3);
        }
    }
    QCOMPARE(changed > 100, drawn);
}

void tst_DialGaugePainter::unknownFontDrawsInArial()
{
    auto g = mainGauge();
    g->SetDialText("km/h 0123");
    g->Font()->SetName("Arial");
    const QImage arial = grab(*g);
    g->Font()->SetName("No Such Family Here");
    QCOMPARE(grab(*g), arial);
    g->Font()->SetName("DejaVu Serif");
    QVERIFY(grab(*g) != arial);
}

// A refused picture is reported once per picture; the dial goes on painting
// with the box but without digits until ValueFormat changes.
void tst_DialGaugePainter::refusedReadoutReportedOnce()
{
    auto g = mainGauge();
    TDialGaugePainter painter(*g);
    QStringList reports;
    painter.SetErrorReport([&reports](const Exception &e) { reports << e.message(); });
    const std::vector<std::pair<QString, int>> formats{
        {"000.00", 0}, {TooLong, 1}, {TooLong, 1}, {TooLong + "0", 2}, {"000.00", 2}, {TooLong, 3}};
    for (const auto &[format, expected] : formats) {
        g->SetValueFormat(format);
        const QImage first = paintWith(painter, *g);
        QCOMPARE(paintWith(painter, *g), first);
        QCOMPARE(reports.size(), expected);
    }
    QCOMPARE(reports.last(), QStringLiteral("Format string too long"));
    const QImage refused = paintWith(painter, *g);
    g->SetValueFormat("000.00");
    g->Digit()->SetColor(clNone);
    QVERIFY(maxDistance(refused, straight(*g)) <= 2);
}

// The gauge's own paints report through its channel, once per picture and
// only after the paint; the gauge opens no window of its own.
void tst_DialGaugePainter::reportedThroughTheGauge()
{
    auto g = mainGauge();
    QStringList log;
    g->OnPaintError = [&log, &g](QObject *sender, const QString &message) {
        QCOMPARE(sender, static_cast<QObject *>(g.get()));
        log << "callback " + message;
    };
    QObject::connect(g.get(), &TDialGauge::paintError, [&log](const QString &message) { log << "signal " + message; });
    g->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    const QStringList once{"callback Format string too long", "signal Format string too long"};
    g->SetValueFormat(TooLong);
    g->repaint();
    QVERIFY2(log.isEmpty(), "reported inside the paint");
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        g->repaint();
    }
    QCoreApplication::processEvents();
    QCOMPARE(log, once);
    g->SetValueFormat(TooLong + "0");
    g->repaint();
    QCoreApplication::processEvents();
    QCOMPARE(log, once + once);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_DialGaugePainter::glideKeepsTheCache()
{
    auto g = mainGauge(0);
    g->SetAnimation(false);
    TDialGaugePainter painter(*g);
    paintWith(painter, *g);
    const quint64 builds = painter.CacheBuildCount();
    for (double v : {0.5, 1.25, 27.54, 99.0, 250.0}) {
        g->SetValue(v);
        paintWith(painter, *g);
    }
    QCOMPARE(painter.CacheBuildCount(), builds);
    g->InnerCircle()->SetOpacity(151);
    paintWith(painter, *g);
    QCOMPARE(painter.CacheBuildCount(), builds + 1);
}

// The needle and the read-out count along and end exactly on the value.
// The window's first appearance does not wait for the kept layers: the
// first paint is straight, the layers are made just after it, and every
// picture stays within the straight one's rounding.
void tst_DialGaugePainter::firstPaintStraightThenWarm()
{
    for (const QSize size : {QSize(303, 308), QSize(180, 120)}) {
        auto g = mainGauge(42.5);
        resizeTo(*g, size.width(), size.height());
        TDialGaugePainter &painter = *TDialGaugePrivate::Get(*g).m_painter;
        QImage first = canvas(*g);
        g->render(&first, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(painter.CacheBuildCount(), 0u);
        QCOMPARE(maxDistance(first, straight(*g)), 0);
        QCoreApplication::processEvents();
        const quint64 built = painter.CacheBuildCount();
        QVERIFY(built > 0);
        QVERIFY(maxDistance(grab(*g), straight(*g)) <= 2);
        QCOMPARE(painter.CacheBuildCount(), built);
        // A new size starts straight again.
        resizeTo(*g, size.width() + 40, size.height() + 40);
        QImage resized = canvas(*g);
        g->render(&resized, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(painter.CacheBuildCount(), built);
        QCOMPARE(maxDistance(resized, straight(*g)), 0);
    }
    // A painter of its own makes its layers at the first paint.
    auto g = mainGauge(42.5);
    TDialGaugePainter own(*g);
    paintWith(own, *g);
    QVERIFY(own.CacheBuildCount() > 0);
}

void tst_DialGaugePainter::firstFrameFromAnotherCore_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("side");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<Change>("before");
    QTest::addColumn<Change>("after");
    QTest::addColumn<bool>("laid");
    auto none = [](TDialGauge &) {};
    for (const int preset : {-1, 1, 4, 9}) {
        for (const int side : {150, 303, 600})
            QTest::addRow("preset %d, %d", preset, side) << preset << side << 1.0 << Change(none) << Change(none) << true;
    }
    QTest::newRow("ratio 2") << -1 << 303 << 2.0 << Change(none) << Change(none) << true;
    QTest::newRow("ratio 2, preset 7") << 7 << 150 << 2.0 << Change(none) << Change(none) << true;
    // What Assign leaves alone goes along too.
    QTest::newRow("focus circle, format") << -1 << 303 << 1.0 << Change([](TDialGauge &g) {
        g.SetTabStop(true);
        TDialGaugeState::Of(&g)->SetFocus(true);
        g.SetValueFormat("00.0");
        g.SetDialText("km/h");
    }) << Change(none) << true;
    QTest::newRow("system colours") << -1 << 303 << 1.0 << Change([](TDialGauge &g) {
        QPalette changed = QApplication::palette();
        changed.setColor(QPalette::Button, QColor(200, 40, 90));
        QApplication::setPalette(changed);
        g.InnerCircle()->SetColor(clBtnFace);
        g.Needle()->SetColor(clBtnFace);
    }) << Change(none) << true;
    // Whatever changes in between, the first picture is the gauge as it is.
    QTest::newRow("value") << -1 << 303 << 1.0 << Change(none)
                           << Change([](TDialGauge &g) { g.SetValue(12.5); }) << false;
    QTest::newRow("colour") << -1 << 303 << 1.0 << Change(none)
                            << Change([](TDialGauge &g) { g.Arc()->SetColor(Red); }) << false;
    QTest::newRow("resize") << -1 << 303 << 1.0 << Change(none)
                            << Change([](TDialGauge &g) { resizeTo(g, 240, 200); }) << false;
    QTest::newRow("palette") << -1 << 303 << 1.0 << Change([](TDialGauge &g) {
        g.InnerCircle()->SetColor(clBtnFace);
    }) << Change([](TDialGauge &) {
        QPalette changed = QApplication::palette();
        changed.setColor(QPalette::Button, QColor(20, 140, 90));
        QApplication::setPalette(changed);
    }) << false;
    QTest::newRow("refused read-out") << -1 << 303 << 1.0 << Change([](TDialGauge &g) {
        g.SetValueFormat(TooLong);
    }) << Change(none) << false;
}

// The first picture, painted from a copy of the gauge on another thread,
// is exactly the straight paint of the gauge as it is at that paint.
void tst_DialGaugePainter::firstFrameFromAnotherCore()
{
    QFETCH(int, preset);
    QFETCH(int, side);
    QFETCH(qreal, dpr);
    QFETCH(Change, before);
    QFETCH(Change, after);
    QFETCH(bool, laid);
    if (QThread::idealThreadCount() < 2)
        QSKIP("one core: nothing is painted elsewhere");
    const QPalette palette = QApplication::palette();
    auto g = preset < 0 ? mainGauge(63.2) : presetGauge(preset, side, 63.2);
    g->SetAnimation(false);
    resizeTo(*g, side, side + 5);
    before(*g);
    int reports = 0;
    TDialGaugePainter painter(*g);
    painter.SetErrorReport([&reports](const Exception &) { ++reports; });
    painter.SetStraightFirstPaint(true);
    painter.PrepareFirstPaint(dpr);
    after(*g);
    const QImage first = paintWith(painter, *g, dpr);
    const QImage expected = straight(*g, dpr);
    QApplication::setPalette(palette);
    QCOMPARE(painter.FirstFramesLaid(), laid ? 1u : 0u);
    QCOMPARE(maxDistance(first, expected), 0);
    QCOMPARE(reports, g->ValueFormat() == TooLong ? 1 : 0);
    // Asked for and never painted: the painter waits for the task.
    auto dropped = std::make_unique<TDialGaugePainter>(*g);
    dropped->SetStraightFirstPaint(true);
    dropped->PrepareFirstPaint(dpr);
    dropped.reset();
}

void tst_DialGaugePainter::shownGaugeLaysItsFirstFrame()
{
    if (QThread::idealThreadCount() < 2)
        QSKIP("one core: nothing is painted elsewhere");
    auto g = mainGauge(42.5);
    g->show();
    QImage first = canvas(*g);
    g->render(&first, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(TDialGaugePrivate::Get(*g).m_painter->FirstFramesLaid(), 1u);
    QCOMPARE(maxDistance(first, straight(*g)), 0);
}

// A program that shows a gauge and takes its application down before any
// paint (a window left to the end, a run that only starts up) ends cleanly:
// the first picture's thread is waited for before fonts and the platform go.
void tst_DialGaugePainter::leavingBeforeTheFirstPaint()
{
    if (QThread::idealThreadCount() < 2)
        QSKIP("one core: nothing is painted elsewhere");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The window is left on purpose.
    const QString asan = environment.value("ASAN_OPTIONS");
    environment.insert("ASAN_OPTIONS", asan.isEmpty() ? "detect_leaks=0" : asan + ":detect_leaks=0");
    for (int run = 0; run < 12; ++run) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"--show-and-leave"});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
    }
}

void tst_DialGaugePainter::glideEndsOnTheValue()
{
    auto gliding = mainGauge(0);
    gliding->SetValue(27.54);
    QList<QImage> seen;
    for (int tick = 0; tick < 200 && gliding->Value() != 27.54; ++tick) {
        gliding->AnimationStep();
        seen << grab(*gliding);
    }
    QVERIFY(seen.size() > 3);
    QVERIFY(seen.first() != seen.last());
    QCOMPARE(seen.last(), grab(*mainGauge(27.54)));
}

void tst_DialGaugePainter::restingGaugeDoesNotRepaint()
{
    auto g = mainGauge(50);
    g->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    int paints = 0;
    struct Counter : QObject
    {
        int &count;
        explicit Counter(int &c) : count(c) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            count += e->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    QTest::qWait(50);
    g->installEventFilter(&counter);
    for (int tick = 0; tick < 100; ++tick) {
        g->AnimationStep();
        QCoreApplication::processEvents();
    }
    QCOMPARE(paints, 0);
    g->SetValue(60);
    for (int tick = 0; tick < 5; ++tick) {
        g->AnimationStep();
        QCoreApplication::processEvents();
    }
    QVERIFY(paints > 0);
}

// Every preset at every size and both ratios: the kept layers give the
// straight picture, and so do partial paints of the region a value change
// asks for, over the picture before it.
void tst_DialGaugePainter::layeredEqualsStraight_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("side");
    QTest::addColumn<qreal>("dpr");
    for (int preset = 0; preset < 10; ++preset)
        for (int side : {150, 300, 600, 1200})
            for (qreal dpr : {1.0, 2.0}) {
                // The largest pictures cost the most: every other preset.
                if (side * dpr >= 1200 && preset % 3)
                    continue;
                QTest::addRow("preset %d, %d px, ratio %g", preset, side, dpr) << preset << side << dpr;
            }
}

void tst_DialGaugePainter::layeredEqualsStraight()
{
    QFETCH(int, preset);
    QFETCH(int, side);
    QFETCH(qreal, dpr);
    auto g = presetGauge(preset, side, 10 + preset * 7.3);
    TDialGaugePainter painter(*g);
    QImage shown = paintWith(painter, *g, dpr);
    COMPARE_PICTURES(shown, straight(*g, dpr), "whole");
    // A small step (one digit and the needle) and a long one.
    for (double step : {0.37, 151.25}) {
        g->SetValue(g->Value() + step);
        paintRegion(painter, shown, requested(*g));
        COMPARE_PICTURES(shown, straight(*g, dpr), QString("region after %1").arg(step));
    }
}

// A glide as the timer drives it, each step painting only the region it
// asked for.
void tst_DialGaugePainter::regionPaintsDuringGlide_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<double>("target");
    QTest::newRow("calculator, up") << -1 << 1.0 << 187.5;
    QTest::newRow("calculator, ratio 2") << -1 << 2.0 << 187.5;
    // The dial's edge falls between device pixels: scaled with a painter.
    QTest::newRow("calculator, ratio 1.5") << -1 << 1.5 << 187.5;
    QTest::newRow("preset 3, down") << 3 << 1.0 << 0.0;
    QTest::newRow("preset 6, ratio 2, short") << 6 << 2.0 << 93.4;
}

void tst_DialGaugePainter::regionPaintsDuringGlide()
{
    QFETCH(int, preset);
    QFETCH(qreal, dpr);
    QFETCH(double, target);
    auto g = mainGauge(87.456);
    if (preset >= 0)
        g->ApplyStyle(quint8(preset));
    TDialGaugePainter painter(*g);
    QImage shown = paintWith(painter, *g, dpr);
    g->SetValue(target);
    int steps = 0;
    while (g->Value() != target && steps < 2000) {
        g->AnimationStep();
        paintRegion(painter, shown, requested(*g));
        // Every step near the ends, where the read-out changes most.
        if (steps < 8 || steps % 5 == 0 || g->Value() == target)
            COMPARE_PICTURES(shown, straight(*g, dpr), QString("step %1 at %2").arg(steps).arg(g->Value()));
        ++steps;
    }
    QVERIFY(steps > 3);
}

// A cell whose scaled pixels are kept leaves the face under it showing the
// cell before; what samples that face next (a cell beside it, a change of
// caps or digits, a read-out moved by its sign) must see the cell shown.
void tst_DialGaugePainter::keptCellsThenOtherPaths_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
}

void tst_DialGaugePainter::keptCellsThenOtherPaths()
{
    QFETCH(qreal, dpr);
    auto g = mainGauge(27.54);
    g->SetAnimation(false);
    TDialGaugePainter painter(*g);
    paintWith(painter, *g, dpr);
    auto value = [](double v) { return [v](TDialGauge &x) { x.SetValue(v); }; };
    const std::vector<std::pair<const char *, Change>> steps{
        {"last digit made", value(27.55)},
        {"last digit back", value(27.54)},
        {"last digit kept", value(27.55)},
        {"caps and the digit beside it", [](TDialGauge &x) {
             x.Needle()->SetOuterCenterColor(Red);
             x.SetValue(27.65);
         }},
        {"two digits made", value(27.64)},
        {"two digits kept", value(27.55)},
        {"sign", value(-27.55)},
        {"sign gone", value(27.55)},
        {"digits kept again", value(27.64)},
        {"digit colour and value", [](TDialGauge &x) {
             x.Digit()->SetColor(Red);
             x.SetValue(27.55);
         }},
        {"kept in the new colour", value(27.64)},
        {"longer read-out", value(127.64)},
    };
    for (const auto &[name, change] : steps) {
        change(*g);
        COMPARE_PICTURES(paintWith(painter, *g, dpr), straight(*g, dpr), name);
    }
}

// Each appearance object reaches only the layers that read it; the picture
// after the change is still the straight one.
void tst_DialGaugePainter::changeRedrawsOnlyItsLayers_data()
{
    using L = TDialGaugePainter;
    QTest::addColumn<Change>("change");
    QTest::addColumn<QList<int>>("layers");
    QTest::addColumn<qreal>("dpr");
    const std::vector<std::tuple<const char *, Change, QList<int>>> rows{
        {"disc opacity", [](TDialGauge &g) { g.InnerCircle()->SetOpacity(151); }, {L::lyDisc}},
        {"disc colour", [](TDialGauge &g) { g.InnerCircle()->SetColor(Red); }, {L::lyDisc, L::lyDigits}},
        {"ring width", [](TDialGauge &g) { g.OuterCircle()->SetWidth(3); }, {L::lyRing}},
        {"rim colour", [](TDialGauge &g) { g.OuterRim()->SetColor(Red); }, {L::lyRim}},
        {"section", [](TDialGauge &g) { g.Sections()->Add()->SetColor(Red); }, {L::lySections}},
        {"ticks", [](TDialGauge &g) { g.SetDivisionColor(Red); }, {L::lyScale}},
        {"labels", [](TDialGauge &g) { g.ValueFont()->SetColor(Green); }, {L::lyScale}},
        {"arc", [](TDialGauge &g) { g.Arc()->SetColor(Green); }, {L::lyArc}},
        {"band", [](TDialGauge &g) { g.Arc()->Threshold()->SetEndValue(40); }, {L::lyArc}},
        {"box", [](TDialGauge &g) { g.Digit()->SetBackGroundColor(Green); }, {L::lyBox}},
        {"dial text", [](TDialGauge &g) { g.SetDialText("km/h"); }, {L::lyUpper}},
        {"digits", [](TDialGauge &g) { g.Digit()->SetColor(Red); }, {L::lyDigits}},
        {"caps", [](TDialGauge &g) { g.Needle()->SetOuterCenterColor(Red); }, {L::lyCaps}},
        {"gloss", [](TDialGauge &g) { g.InnerCircle()->Gloss()->SetOpacity(90); }, {L::lyCaps}},
        {"needle", [](TDialGauge &g) { g.Needle()->SetColor(Red); }, {}},
        {"shine", [](TDialGauge &g) { g.Needle()->SetShineColor(Green); }, {}},
        {"value", [](TDialGauge &g) { g.SetValue(212.5); }, {}},
        {"scale range", [](TDialGauge &g) { g.SetMaximumValue(300); },
         {L::lySections, L::lyScale, L::lyArc}},
    };
    for (const auto &[name, change, layers] : rows)
        for (qreal dpr : {1.0, 2.0})
            QTest::addRow("%s, ratio %g", name, dpr) << change << layers << dpr;
}

void tst_DialGaugePainter::changeRedrawsOnlyItsLayers()
{
    QFETCH(Change, change);
    QFETCH(QList<int>, layers);
    QFETCH(qreal, dpr);
    auto g = mainGauge(87.456);
    g->SetAnimation(false);
    TDialGaugePainter painter(*g);
    paintWith(painter, *g, dpr);
    std::array<quint64, TDialGaugePainter::LayerCount> before{};
    for (int layer = 0; layer < TDialGaugePainter::LayerCount; ++layer)
        before[std::size_t(layer)] = painter.BuildCount(TDialGaugePainter::TLayer(layer));
    change(*g);
    COMPARE_PICTURES(paintWith(painter, *g, dpr), straight(*g, dpr), "after the change");
    for (int layer = 0; layer < TDialGaugePainter::LayerCount; ++layer) {
        const quint64 builds = painter.BuildCount(TDialGaugePainter::TLayer(layer)) - before[std::size_t(layer)];
        QVERIFY2(builds == (layers.contains(layer) ? 1u : 0u), qPrintable(QString("layer %1").arg(layer)));
    }
}

// Changes one after another, the same layer again and again and one below it
// in between: what the layers below a change compose to, and the read-out's
// cells, are kept only while they hold.
void tst_DialGaugePainter::changesInSequence_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
}

void tst_DialGaugePainter::changesInSequence()
{
    QFETCH(qreal, dpr);
    auto g = mainGauge(87.456);
    g->SetAnimation(false);
    TDialGaugePainter painter(*g);
    paintWith(painter, *g, dpr);
    const std::vector<std::pair<const char *, Change>> steps{
        {"ticks red", [](TDialGauge &x) { x.SetDivisionColor(Red); }},
        {"ticks green", [](TDialGauge &x) { x.SetDivisionColor(Green); }},
        {"disc below them", [](TDialGauge &x) { x.InnerCircle()->SetOpacity(120); }},
        {"ticks red again", [](TDialGauge &x) { x.SetDivisionColor(Red); }},
        {"ring below them", [](TDialGauge &x) { x.OuterCircle()->SetWidth(4); }},
        {"ticks green again", [](TDialGauge &x) { x.SetDivisionColor(Green); }},
        {"arc above them", [](TDialGauge &x) { x.Arc()->SetColor(Green); }},
        {"ticks and arc", [](TDialGauge &x) {
             x.SetDivisionColor(Red);
             x.Arc()->SetColor(Red);
         }},
        {"arc alone", [](TDialGauge &x) { x.Arc()->SetColor(Green); }},
        // The read-out's cells drawn before must not come back in their
        // old colours.
        {"value 12.34", [](TDialGauge &x) { x.SetValue(12.34); }},
        {"digits red", [](TDialGauge &x) { x.Digit()->SetColor(Red); }},
        {"value back", [](TDialGauge &x) { x.SetValue(87.456); }},
        {"disc colour", [](TDialGauge &x) { x.InnerCircle()->SetColor(Green); }},
        {"value 12.34 again", [](TDialGauge &x) { x.SetValue(12.34); }},
    };
    for (const auto &[name, change] : steps) {
        change(*g);
        COMPARE_PICTURES(paintWith(painter, *g, dpr), straight(*g, dpr), name);
    }
}

// Whatever way a change comes, no kept layer outlives it.
void tst_DialGaugePainter::noStaleLayer_data()
{
    QTest::addColumn<Change>("prepare");
    QTest::addColumn<Change>("change");
    auto none = [](TDialGauge &) {};
    QTest::newRow("resize") << Change(none) << Change([](TDialGauge &g) { resizeTo(g, 200, 240); });
    QTest::newRow("grow") << Change(none) << Change([](TDialGauge &g) { resizeTo(g, 420, 420); });
    QTest::newRow("palette") << Change([](TDialGauge &g) {
        g.InnerCircle()->SetColor(clBtnFace);
        g.Needle()->SetColor(clBtnFace);
        g.Digit()->SetColor(clBtnText);
    }) << Change([](TDialGauge &) {
        QPalette changed = QApplication::palette();
        changed.setColor(QPalette::Button, QColor(200, 40, 90));
        changed.setColor(QPalette::ButtonText, QColor(20, 140, 90));
        QApplication::setPalette(changed);
    });
    for (int preset : {0, 2, 5, 9})
        QTest::addRow("preset %d", preset) << Change(none) << Change([preset](TDialGauge &g) {
            g.ApplyStyle(quint8(preset));
        });
    QTest::newRow("value format") << Change(none) << Change([](TDialGauge &g) { g.SetValueFormat("00.0"); });
    QTest::newRow("arc angles") << Change(none) << Change([](TDialGauge &g) { g.Arc()->SetStopAngle(360); });
    QTest::newRow("fonts") << Change(none) << Change([](TDialGauge &g) {
        g.ValueFont()->SetHeight(-21);
        g.Font()->SetName("DejaVu Serif");
        g.SetDialText("m/s");
    });
    QTest::newRow("change unannounced") << Change(none) << Change([](TDialGauge &g) {
        g.Arc()->OnChange = nullptr;
        g.Arc()->SetColor(Red);
    });
}

void tst_DialGaugePainter::noStaleLayer()
{
    QFETCH(Change, prepare);
    QFETCH(Change, change);
    const QPalette palette = QApplication::palette();
    auto g = mainGauge(63.2);
    g->SetAnimation(false);
    prepare(*g);
    TDialGaugePainter painter(*g);
    for (qreal dpr : {1.0, 2.0})
        paintWith(painter, *g, dpr);
    change(*g);
    const QImage after = paintWith(painter, *g, 2);
    const QImage expected = straight(*g, 2);
    QApplication::setPalette(palette);
    COMPARE_PICTURES(after, expected, "after the change");
}

// At ratio 2 the buffers are device pixels: the picture is the one a gauge
// twice the size (and twice every pixel measure) draws, not a blurred
// upscale. The gauge rounds some of its geometry to whole logical pixels,
// the larger gauge to whole device pixels, so parts sit up to one device
// pixel (half a logical pixel) apart: the scale's centre (291 / 2 rounds
// half-even to 146 logical, 292 device, against 291), and with it the
// ticks, labels, needle and caps; the read-out's cell height and the
// glyphs' places. Each pixel is therefore compared with the larger
// picture's pixels within one device pixel of it; text, whose outlines
// round differently at the two sizes, leaves a few hundred pixels outside.
void tst_DialGaugePainter::hiDpiPaintsDevicePixels_data()
{
    QTest::addColumn<int>("preset");
    QTest::newRow("calculator") << -1;
    QTest::newRow("preset 1") << 1;
    QTest::newRow("preset 7") << 7;
}

void tst_DialGaugePainter::hiDpiPaintsDevicePixels()
{
    QFETCH(int, preset);
    auto sized = [preset](int w, int h, int scale) {
        auto g = mainGauge(87.456);
        if (preset >= 0)
            g->ApplyStyle(quint8(preset));
        resizeTo(*g, w * scale, h * scale);
        g->Font()->SetHeight(g->Font()->Height() * scale);
        g->ValueFont()->SetHeight(g->ValueFont()->Height() * scale);
        g->OuterRim()->SetWidth(g->OuterRim()->Width() * scale);
        g->SetDivisionWidth(g->DivisionWidth() * scale);
        g->SetSubDivisionWidth(g->SubDivisionWidth() * scale);
        return g;
    };
    auto small = sized(303, 308, 1);
    auto large = sized(303, 308, 2);
    TDialGaugePainter painter(*small);
    QImage cached = paintWith(painter, *small, 2);
    const QImage uncached = straight(*small, 2);
    QCOMPARE(cached.size(), QSize(606, 616));
    COMPARE_PICTURES(cached, uncached, "kept layers");
    cached.setDevicePixelRatio(1);
    const QImage sharp = straight(*large);
    QPoint at;
    int outside = 0;
    envelopeDistance(cached, sharp, &at, &outside);
    QVERIFY2(outside * 400 < sharp.width() * sharp.height(),
             qPrintable(QString("%1 pixels off the larger gauge's, one at %2,%3").arg(outside).arg(at.x()).arg(at.y())));
    // Sharp: nearer the larger gauge's picture than the ratio-1 picture
    // blown up, which is what a buffer made in logical pixels would show.
    const QImage blurred = straight(*small).scaled(606, 616, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const qint64 own = sumOfDistances(cached, sharp);
    const qint64 blown = sumOfDistances(blurred.convertToFormat(sharp.format()), sharp);
    QVERIFY2(own * 3 < blown * 2, qPrintable(QString("%1 against %2 blown up").arg(own).arg(blown)));
}

namespace {

int showAndLeave(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto *gauge = mainGauge(42.5).release();
    gauge->show();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--show-and-leave") == 0)
        return showAndLeave(argc, argv);
    QTest::Internal::callInitMain<tst_DialGaugePainter>();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_DialGaugePainter test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_DialGaugePainter.moc"
