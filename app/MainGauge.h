// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// The main window's gauge "DialGauge1", built and configured apart from the
// window so that the window code needs no gauge internals.
class MainGauge
{
public:
    // Creates DialGauge1 on parent at (348, 34, 303, 308), configured; its
    // paint errors go to the error box.
    static QWidget *create(QWidget *parent);
    // Hands the computed km/h value to the gauge's Value.
    static void setValue(QWidget *gauge, double value);
};
