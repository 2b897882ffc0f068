// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QResizeEvent>

#include <memory>

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

// DialGauge1 of the calculator's window, resting at value, without the
// window: the painter tests and the benchmark draw it apart from the
// calculator (tst_MainGauge checks that it matches).
inline std::unique_ptr<TDialGauge> mainWindowGauge(double value)
{
    auto g = std::make_unique<TDialGauge>();
    g->BeginLoading();
    g->SetMaximumValue(250);
    g->Digit()->SetColor(9841920);
    g->Digit()->SetBackGroundColor(16773091);
    g->OuterCircle()->SetColor(16765615);
    g->InnerCircle()->SetColor(16765615);
    g->OuterRim()->SetWidth(1);
    g->Needle()->SetColor(16765615);
    g->Needle()->SetShineColor(16773091);
    g->Needle()->SetOuterCenterColor(16765357);
    g->Needle()->SetInnerCenterColor(16765615);
    g->Needle()->SetInnerCenterColorTo(16765615);
    g->Arc()->SetColor(16773091);
    g->Arc()->SetStartAngle(125);
    g->Arc()->SetStopAngle(415);
    g->Arc()->Threshold()->SetColor(16765615);
    g->Arc()->Threshold()->SetEndValue(100.0);
    g->SetDivisionColor(9841920);
    g->SetSubDivisionColor(9841920);
    g->Font()->SetHeight(-19);
    g->Font()->SetColor(9841920);
    g->ValueFont()->SetHeight(-15);
    g->ValueFont()->SetColor(9841920);
    g->SetValue(value);
    g->EndLoading();
    resizeTo(*g, 303, 308);
    return g;
}
