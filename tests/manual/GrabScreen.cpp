// SPDX-License-Identifier: MIT
// Saves what the X display shows, or the part of it given as x y w h, as a
// PNG: scripts/designer-shot.sh photographs Designer with it.
//   GrabScreen output.png [x y width height]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: %s output.png [x y width height]\n", argv[0]);
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    QPixmap shot = argc == 6 ? screen->grabWindow(0, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]))
                             : screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "could not grab the screen into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
