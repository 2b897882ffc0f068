// SPDX-License-Identifier: MIT
// The calculator at work where no display is at hand: scripts/run-app.sh runs
// this on a virtual X server. It starts the windows as the calculator does,
// types the worked example through the X server's keyboard (XTest), presses
// Alt+C, waits for the needle to rest, saves a screenshot of the window,
// prints the three results read back from it and closes it with its "X":
//   RunAppDemo [screenshot.png]

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>

#include <cmath>
#include <cstdio>

#include "XTestInput.h"
#include "XWindowInfo.h"
#include "app/Application.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

namespace {

constexpr int kWait = 15000; // ms

int fail(const char *what)
{
    std::fprintf(stderr, "RunAppDemo: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral("build/run-app.png");
    XTestInput keyboard;
    XWindowInfo x;
    if (!keyboard.isOpen() || !x.isOpen())
        return fail("needs an X server with the XTest extension");

    TForm1 form;
    TForm2 about;
    form.setAboutWindow(&about);
    Startup::showMainWindow(form);
    if (!QTest::qWaitFor([&] { return x.inputFocus() == form.winId(); }, kWait))
        return fail("the main window did not get the keyboard");

    // The worked example, one field after the other with Tab; the wheelbase
    // keeps its "0.00". The decimal symbol is the regional one.
    const QChar point = TForm1::zeroText().at(1);
    const char *const typed[] = {"1500", nullptr, "35000", "300000", "1.5", "0.2",
                                 "0.3",  "0.4",   "0.4",   "0.3",    "0.2", "0"};
    for (const char *text : typed) {
        if (text)
            keyboard.type(QString::fromLatin1(text).replace(QLatin1Char('.'), point));
        keyboard.tap(XTestInput::Tab);
    }
    keyboard.chord({XTestInput::Alt}, 'c');

    // At rest: the needle stands on the km/h value that was written.
    const bool rested = QTest::qWaitFor(
        [&] {
            const QString kmh = form.xKms->text();
            if (kmh == TForm1::zeroText())
                return false;
            const double value = QString(kmh).replace(point, QLatin1Char('.')).toDouble();
            return std::abs(form.DialGauge1->property("Value").toDouble() - value) < 1e-9;
        },
        kWait);
    if (!rested)
        return fail("no result reached the gauge");

    // The picture as the X server shows it.
    const QPoint at = x.screenPosition(form.winId());
    const QPixmap shot = form.screen()->grabWindow(0, at.x(), at.y(), form.width(), form.height());
    if (!shot.save(output))
        return fail("could not save the screenshot");

    const QByteArray energy = form.xEDeformacion->text().toUtf8();
    const QByteArray ms = form.xMs->text().toUtf8();
    const QByteArray kmh = form.xKms->text().toUtf8();
    std::printf("Energía perdida por deformación: %s Julios\n", energy.constData());
    std::printf("Velocidad EBS: %s m/s\n", ms.constData());
    std::printf("Velocidad EBS: %s km/h\n", kmh.constData());
    std::printf("Screenshot: %s\n", qPrintable(output));
    std::fflush(stdout);

    keyboard.click(at + form.Cerrar->mapTo(&form, form.Cerrar->rect().center()));
    if (!QTest::qWaitFor([&] { return !form.isVisible(); }, kWait))
        return fail("the window did not close");
    return 0;
}
