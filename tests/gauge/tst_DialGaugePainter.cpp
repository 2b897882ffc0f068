#include <QtTest>

#include <QLabel>
#include <QPainter>

#include <cmath>
#include <functional>
#include <memory>

#include "gauge/DialGauge.h"
#include "tests/gauge/GaugeTestSupport.h"
#include "gauge/DialGaugePainter.h"
#include "platform/SysErrors.h"

using Change = std::function<void(TDialGauge &)>;

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

// Through the gauge's own paint event and painter (cached).
QImage grab(TDialGauge &g)
{
    QImage image = canvas(g);
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

int maxDistance(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            worst = std::max(worst, channelDistance(a.pixel(x, y), b.pixel(x, y)));
    return worst;
}

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
    void glideEndsOnTheValue();
    void restingGaugeDoesNotRepaint();
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

QTEST_MAIN(tst_DialGaugePainter)
#include "tst_DialGaugePainter.moc"
