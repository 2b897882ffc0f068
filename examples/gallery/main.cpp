// SPDX-License-Identifier: MIT
// The DialGauge gallery: a program for people to look at the gauge, built
// from the installed package alone. Two options make it useful without
// anyone watching:
//   --screenshot FILE  shows the window, lets the needles settle, saves it
//   --selftest         drives the controls and checks the gauges follow
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

#include <DialGauge/DialGauge.h>

#include "GalleryWindow.h"

namespace {

// Runs the event loop (the gauges' timers with it) for a while.
void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void showAndSettle(GalleryWindow &window, int milliseconds)
{
    window.show();
    window.activateWindow();
    for (int i = 0; i < 100 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++i)
        wait(10);
    wait(milliseconds);
}

int screenshot(GalleryWindow &window, const QString &file)
{
    // Long enough for every glide to end, short of the next live step.
    showAndSettle(window, 1200);
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("gallery: saved %s (%dx%d)\n", qPrintable(file), window.width(), window.height());
    return 0;
}

class Checks
{
public:
    void operator()(bool ok, const char *what)
    {
        ++m_count;
        if (!ok) {
            ++m_failed;
            std::fprintf(stderr, "FAILED: %s\n", what);
        }
    }
    int Report() const
    {
        std::printf("gallery: %d checks, %d failed\n", m_count, m_failed);
        return m_failed == 0 ? 0 : 1;
    }

private:
    int m_count = 0;
    int m_failed = 0;
};

template <typename T>
T *part(const GalleryWindow &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found) {
        std::fprintf(stderr, "gallery: no %s\n", name);
        std::exit(1);
    }
    return found;
}

void pressKey(QWidget *widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

bool allRest(const QList<TDialGauge *> &gauges)
{
    for (const TDialGauge *gauge : gauges)
        if (gauge->Value() != gauge->AnimationTarget())
            return false;
    return true;
}

int selfTest(GalleryWindow &window)
{
    Checks check;
    showAndSettle(window, 0);
    const QList<TDialGauge *> presets = window.PresetGauges();
    check(presets.size() == 10, "ten preset gauges");
    if (presets.size() != 10)
        return check.Report();

    check(presets[4]->Arc()->Color() == 0xFFEFE3 && presets[4]->InnerCircle()->Color() == 0xFFD2AF,
          "preset 4 gives its colours");
    check(presets[6]->InnerCircle()->Color() == clBtnFace, "preset 6 paints the disc in the button face");
    QSet<QByteArray> pictures;
    for (TDialGauge *gauge : presets) {
        const QImage image = gauge->grab().toImage();
        pictures.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    }
    check(pictures.size() == 10, "the ten presets look different");

    // Live: the timers run in the program, and every glide comes to rest.
    QList<double> before;
    for (TDialGauge *gauge : presets)
        before << gauge->AnimationTarget();
    window.NextLiveValues();
    bool moved = true;
    for (int i = 0; i < 10; ++i)
        moved = moved && presets[i]->AnimationTarget() != before[i];
    check(moved, "each preset gets a new value of its own");
    for (int i = 0; i < 300 && !allRest(presets); ++i)
        wait(10);
    check(allRest(presets), "every needle glides to its value and rests");

    // The controls act on all ten.
    part<QCheckBox>(window, "animation")->setChecked(false);
    part<QDoubleSpinBox>(window, "valueSpin")->setValue(40);
    bool set = !part<QCheckBox>(window, "live")->isChecked();
    for (TDialGauge *gauge : presets)
        set = set && !gauge->Animation() && gauge->Value() == 40;
    check(set, "animation off, value 40 on all ten at once, live sequence stopped");

    auto *maximum = part<QSpinBox>(window, "maximum");
    auto *minimum = part<QSpinBox>(window, "minimum");
    maximum->setValue(200);
    minimum->setValue(500);
    bool limits = minimum->value() == 199;
    for (TDialGauge *gauge : presets)
        limits = limits && gauge->MaximumValue() == 200 && gauge->MinimumValue() == 199 && gauge->Value() == 199;
    check(limits, "limits reach all ten and cannot cross");
    minimum->setValue(-50);
    check(part<QSlider>(window, "valueSlider")->minimum() == -50, "the value slider follows the scale");

    part<QCheckBox>(window, "sections")->setChecked(true);
    bool bands = true;
    for (TDialGauge *gauge : presets)
        bands = bands && gauge->Sections()->Count() == 3 && gauge->Sections()->Items(0)->StartValue() == -50
                && gauge->Sections()->Items(2)->EndValue() == 200;
    check(bands, "three bands over the whole scale on all ten");
    maximum->setValue(100);
    check(presets[0]->Sections()->Items(2)->EndValue() == 100, "the bands follow the scale");
    part<QCheckBox>(window, "sections")->setChecked(false);
    check(presets[0]->Sections()->Count() == 0, "bands off");

    // The slider's gauge glides after it.
    auto *sliderGauge = part<TDialGauge>(window, "sliderGauge");
    part<QSlider>(window, "speedSlider")->setValue(180);
    check(sliderGauge->AnimationTarget() == 180 && sliderGauge->Value() != 180, "the needle sets out for the slider's value");
    for (int i = 0; i < 300 && sliderGauge->Value() != 180; ++i)
        wait(10);
    check(sliderGauge->Value() == 180, "and reaches it");

    // The keyboard gauge takes keys.
    auto *keyboard = part<TDialGauge>(window, "keyboardGauge");
    check(keyboard->TabStop() && keyboard->focusPolicy() == Qt::StrongFocus, "the keyboard gauge is a tab stop");
    check(QApplication::focusWidget() == keyboard, "and holds the focus");
    pressKey(keyboard, Qt::Key_End);
    check(keyboard->AnimationTarget() == 100, "End asks for the maximum");
    pressKey(keyboard, Qt::Key_Home);
    check(keyboard->AnimationTarget() == 0, "Home asks for the minimum");

    // Assistive technology finds the gauge without set-up in this program.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(keyboard);
    check(accessible && accessible->role() == QAccessible::Dial && accessible->valueInterface()
              && accessible->valueInterface()->maximumValue().toInt() == 100
              && accessible->text(QAccessible::Name) == QStringLiteral("Keyboard gauge"),
          "the keyboard gauge is an accessible dial with its name and range");

    const QImage picture = window.grab().toImage();
    check(!picture.isNull() && picture.size() == window.size() * picture.devicePixelRatio(), "the window renders");
    return check.Report();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dialgauge_gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The DialGauge gallery."));
    parser.addHelpOption();
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Save a picture of the window to <file> and quit."),
                                              QStringLiteral("file"));
    const QCommandLineOption selfTestOption(
        QStringLiteral("selftest"),
        QStringLiteral("Drive the controls, check the gauges follow, and quit (status 0 when all hold)."));
    parser.addOption(screenshotOption);
    parser.addOption(selfTestOption);
    parser.process(app);

    GalleryWindow window;
    if (parser.isSet(selfTestOption))
        return selfTest(window);
    if (parser.isSet(screenshotOption))
        return screenshot(window, parser.value(screenshotOption));
    window.show();
    return app.exec();
}
