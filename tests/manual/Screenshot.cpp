// SPDX-License-Identifier: MIT
// Saves a picture of the main window after the worked example has been typed
// and calculated, and one of the about window next to it (name-about.png),
// so a reviewer can compare them with the intended layout:
//   scripts/screenshot.sh [output.png]

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "app/Application.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

int main(int argc, char **argv)
{
    Application app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral("docs/screenshot.png");
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    const QChar point = TForm1::zeroText().at(1);
    const std::pair<const char *, const char *> example[] = {
        {"xMasa", "1500"}, {"xA", "35000"}, {"xB", "300000"}, {"xAnguloFPI", "0"},
        {"xL", "1.5"},    {"xC1", "0.2"},  {"xC2", "0.3"},    {"xC3", "0.4"},
        {"xC4", "0.4"},   {"xC5", "0.3"},  {"xC6", "0.2"},
    };
    for (const auto &[field, text] : example) {
        QLineEdit *edit = form.findChild<QLineEdit *>(QString::fromLatin1(field));
        edit->clear();
        QTest::keyClicks(edit, QString::fromLatin1(text).replace(QLatin1Char('.'), point));
    }
    form.Calcular->click();

    int status = 0;
    // Long enough for the needle to glide onto its value.
    QTimer::singleShot(1500, &app, [&] {
        if (!form.grab().save(output))
            status = 1;
        TForm2 about;
        about.show();
        QString aboutOutput = output;
        const qsizetype dot = output.lastIndexOf(QLatin1Char('.'));
        aboutOutput.insert(dot < 0 ? output.size() : dot, QStringLiteral("-about"));
        if (!about.grab().save(aboutOutput))
            status = 1;
        app.quit();
    });
    app.exec();
    return status;
}
