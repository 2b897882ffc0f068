// SPDX-License-Identifier: MIT
#pragma once

#include <QtPlugin>

#include <DialGauge/DialGaugeExport.h>

// One-operation style interface: any control that offers it can be recoloured
// with a numbered preset without the host knowing its class.
class DIALGAUGE_EXPORT IStyleInterface
{
public:
    virtual ~IStyleInterface() = default;
    virtual void ApplyStyle(quint8 preset) = 0;
};

#define IStyleInterface_iid "{C3483464-4D3F-4062-AE03-9119302BDC92}"
Q_DECLARE_INTERFACE(IStyleInterface, IStyleInterface_iid)
