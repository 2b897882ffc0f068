// SPDX-License-Identifier: MIT
#include "app/MainGauge.h"

#include "gauge/DialGauge.h"
#include "platform/ErrorBox.h"
#include "platform/SysErrors.h"

// DialGauge1 as the main window's stored layout holds it: only the values that
// differ from the gauge's defaults, applied in published order while loading.
QWidget *MainGauge::create(QWidget *parent)
{
    auto *gauge = new TDialGauge(parent);
    gauge->setObjectName(QStringLiteral("DialGauge1"));
    gauge->BeginLoading();
    gauge->setGeometry(348, 34, 303, 308);
    gauge->SetMaximumValue(250);
    gauge->Digit()->SetColor(9841920);
    gauge->Digit()->SetBackGroundColor(16773091);
    gauge->OuterCircle()->SetColor(16765615);
    gauge->OuterCircle()->SetWidth(0.03);
    gauge->InnerCircle()->SetColor(16765615);
    gauge->OuterRim()->SetWidth(1);
    gauge->Needle()->SetColor(16765615);
    gauge->Needle()->SetShineColor(16773091);
    gauge->Needle()->SetOuterCenterColor(16765357);
    gauge->Needle()->SetInnerCenterColor(16765615);
    gauge->Needle()->SetInnerCenterColorTo(16765615);
    gauge->Arc()->SetColor(16773091);
    gauge->Arc()->SetWidth(0.03);
    gauge->Arc()->SetStartAngle(125);
    gauge->Arc()->SetStopAngle(415);
    gauge->Arc()->Threshold()->SetColor(16765615);
    gauge->Arc()->Threshold()->SetCenter(25.0);
    gauge->Arc()->Threshold()->SetEndValue(100.0);
    gauge->SetDivisionColor(9841920);
    gauge->SetSubDivisionColor(9841920);
    gauge->Font()->SetName(QStringLiteral("Tahoma"));
    gauge->Font()->SetHeight(-19);
    gauge->Font()->SetColor(9841920);
    gauge->Font()->SetStyle({});
    gauge->ValueFont()->SetName(QStringLiteral("Tahoma"));
    gauge->ValueFont()->SetHeight(-15);
    gauge->ValueFont()->SetColor(9841920);
    gauge->ValueFont()->SetStyle({});
    gauge->SetValueFormat(QStringLiteral("000.00"));
    gauge->SetTabStop(false);
    gauge->EndLoading();
    // The gauge reports a read-out it cannot format once per picture, after
    // the paint; the window shows it like any other error.
    QObject::connect(gauge, &TDialGauge::paintError, gauge,
                     [](const QString &message) { ErrorBox::show(Exception(message)); });
    return gauge;
}

void MainGauge::setValue(QWidget *gauge, double value)
{
    if (auto *dial = qobject_cast<TDialGauge *>(gauge))
        dial->SetValue(value);
}
