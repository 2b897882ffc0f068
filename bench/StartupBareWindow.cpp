// SPDX-License-Identifier: MIT
// The yardstick for the calculator's start-up: a bare window holding the
// same number of plain stock widgets as the main window, with the same
// classes, places, fonts and texts (read from the file StartupMainWindow
// --describe wrote), but none of the calculator's own: no gauge, no decoded
// image, no about window. Shown, and ended after its first complete frame.

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QWidget>

#include "bench/FirstFrame.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    QWidget *last = &window;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(u'\t');
        if (f.size() < 7)
            continue;
        const QRect place(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        QFont font;
        font.fromString(f[5]);
        const QString &text = f[6];
        if (f[0] == QLatin1String("window")) {
            window.setFixedSize(place.size());
            window.setFont(font);
            continue;
        }
        QWidget *w = nullptr;
        if (f[0] == QLatin1String("QLineEdit"))
            w = new QLineEdit(text, &window);
        else if (f[0] == QLatin1String("QPushButton"))
            w = new QPushButton(text, &window);
        else if (f[0] == QLatin1String("QGroupBox"))
            w = new QGroupBox(text, &window);
        else if (f[0] == QLatin1String("QLabel"))
            w = new QLabel(text, &window);
        else if (f[0] == QLatin1String("QFrame"))
            w = new QFrame(&window);
        else
            w = new QWidget(&window);
        w->setGeometry(place);
        w->setFont(font);
        last = w;
    }
    FirstFrame done(window, *last);
    window.show();
    return app.exec();
}
