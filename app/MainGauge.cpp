#include "app/MainGauge.h"

#include <QWidget>

// Placeholder until the gauge control exists: an empty, transparent area.
QWidget *MainGauge::create(QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QStringLiteral("DialGauge1"));
    w->setGeometry(348, 34, 303, 308);
    return w;
}

void MainGauge::setValue(QWidget *, double) {}
