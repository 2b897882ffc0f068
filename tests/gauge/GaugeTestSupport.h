#pragma once

#include <QCoreApplication>
#include <QResizeEvent>

#include "gauge/DialGauge.h"

// Qt sends no resize event for an unchanged size nor for a hidden widget, so
// the event is sent here: the control must see its size change.
inline void resizeTo(TDialGauge &gauge, int w, int h)
{
    const QSize old = gauge.size();
    gauge.resize(w, h);
    QResizeEvent event(gauge.size(), old);
    QCoreApplication::sendEvent(&gauge, &event);
}
