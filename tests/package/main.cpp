// SPDX-License-Identifier: MIT
// Uses the installed DialGauge package and nothing else: makes a gauge, sets
// it through its setters and by property name, listens to it, paints it into
// an image and probes the pixels. Exit status 0 when everything holds.
#include <QApplication>
#include <QImage>
#include <QMetaProperty>

#include <cstdio>

#include <DialGauge/DialGauge.h>

#ifdef REACH_CALCULATOR
// Calculator code and the library's internals; none of it may link.
class CalculationFields;
class CrushCalculation
{
public:
    static void run(CalculationFields &fields);
};
class ErrorBox
{
public:
    static QString title();
};
class MainGauge
{
public:
    static QWidget *create(QWidget *parent);
};
QString FormatNumberText(long double value);
quint32 ArgbFromColor(int opacity, TColor color);
#endif

namespace {

int checks = 0;
int failures = 0;

void check(bool ok, const char *what)
{
    ++checks;
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

QImage paint(TDialGauge &gauge)
{
    QImage image(gauge.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    gauge.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

#ifdef REACH_CALCULATOR
    if (argc > 99) {
        CrushCalculation::run(*static_cast<CalculationFields *>(nullptr));
        ErrorBox::title();
        MainGauge::create(nullptr);
        FormatNumberText(1);
        ArgbFromColor(255, clRed);
    }
#endif

    TDialGauge gauge;
    check(gauge.size() == QSize(200, 200) && gauge.sizeHint() == QSize(200, 200), "a new gauge is 200 x 200");
    gauge.SetAnimation(false);
    gauge.SetMaximumValue(250);
    // An opaque green disc without its highlight, so that probes are exact.
    gauge.InnerCircle()->SetColor(0x00FF00);
    gauge.InnerCircle()->SetOpacity(255);
    gauge.InnerCircle()->Gloss()->SetColor(clNone);

    QList<double> values;
    QObject::connect(&gauge, &TDialGauge::valueChanged, [&values](double value) { values << value; });
    int callbacks = 0;
    gauge.OnValueChanged = [&callbacks](QObject *, double) { ++callbacks; };
    gauge.SetValue(125);
    gauge.SetValue(250.5);
    check(values == QList<double>{125} && callbacks == 1, "valueChanged and OnValueChanged once, with 125");
    check(gauge.Value() == 125, "a value past the maximum is refused");

    check(gauge.setProperty("NeedleType", QStringLiteral("ntSelector")), "NeedleType written by name");
    const QMetaProperty needleType = gauge.metaObject()->property(gauge.metaObject()->indexOfProperty("NeedleType"));
    check(QByteArray(needleType.enumerator().valueToKey(needleType.read(&gauge).toInt())) == "ntSelector",
          "NeedleType read back by name");

    const QImage up = paint(gauge);
    check(up.pixel(0, 0) == QColor(Qt::magenta).rgb(), "the parent shows in the corner");
    check(up.pixel(70, 130) == qRgb(0, 255, 0), "the disc is painted green");
    check(up.pixel(100, 100) == ColorToRgb(0x8B0000), "the inner cap sits in the centre");
    check(up.pixel(100, 60) != qRgb(0, 255, 0), "the needle points up at mid-scale");
    gauge.SetValue(0);
    check(paint(gauge).pixel(100, 60) == qRgb(0, 255, 0), "the needle follows the value");

    auto *style = qobject_cast<IStyleInterface *>(&gauge);
    check(style != nullptr, "the style interface is offered");
    if (style)
        style->ApplyStyle(4);
    check(gauge.Arc()->Color() == 0xFFEFE3, "preset 4 colours the arc");

    QStringList errors;
    QObject::connect(&gauge, &TDialGauge::paintError, [&errors](const QString &message) { errors << message; });
    gauge.SetValueFormat(QString(225, u'0'));
    paint(gauge);
    QCoreApplication::processEvents();
    check(errors == QStringList{QStringLiteral("Format string too long")}, "a refused picture is reported once");

    std::printf("consumer: %d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}
