// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What the calculation reads and writes: the main window's fields by
// objectName ("xMasa", "xKms", ...) and the gauge's value.
class CalculationFields
{
public:
    virtual ~CalculationFields() = default;
    virtual QString fieldText(const QString &field) const = 0;
    virtual void setFieldText(const QString &field, const QString &text) = 0;
    virtual void setGaugeValue(double value) = 0;
};

// The crush-energy and barrier-speed calculation behind "&Calcular".
class CrushCalculation
{
public:
    // Runs the whole calculation once. Throws EConvertError, EOverflow,
    // EZeroDivide or EInvalidOp at the failing step; fields written before
    // that keep their new texts.
    static void run(CalculationFields &fields);
};
