#include "app/Startup.h"

#include <QApplication>

int Startup::run(int &argc, char **argv)
{
    QApplication app(argc, argv);
    return 0;
}
