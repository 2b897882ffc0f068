// SPDX-License-Identifier: MIT
#include "app/CrushCalculation.h"

#include "platform/FloatGuard.h"
#include "platform/NumberText.h"

namespace {

using X = long double;

X plus(X a, X b) { return FloatGuard::add(a, b); }
X times(X a, X b) { return FloatGuard::multiply(a, b); }
X over(X a, X b) { return FloatGuard::divide(a, b); }
double store(X x) { return FloatGuard::store(x); }

// The nearest extended values to the decimals: 6.28318 is the angle factor
// (deliberately not 2 pi), 3.6 turns m/s into km/h.
constexpr X AngleFactor = 6.28318L;
constexpr X KmhPerMs = 3.6L;

double readStored(const CalculationFields &fields, const QString &name)
{
    return store(ParseNumberText(fields.fieldText(name)));
}

// A field that must hold a number although its value is not used.
void readDiscarded(const CalculationFields &fields, const QString &name)
{
    ParseNumberText(fields.fieldText(name));
}

// Text of x rounded to hundredths (halves to even on the extended x * 100).
QString hundredthsText(X x)
{
    const qint64 hundredths = FloatGuard::roundToInt64(times(x, 100));
    return FormatNumberText(X(hundredths) / 100);
}

} // namespace

void CrushCalculation::run(CalculationFields &fields)
{
    const double m = readStored(fields, QStringLiteral("xMasa"));
    readDiscarded(fields, QStringLiteral("xBatalla"));
    const double A = readStored(fields, QStringLiteral("xA"));
    const double B = readStored(fields, QStringLiteral("xB"));
    const double alpha = readStored(fields, QStringLiteral("xAnguloFPI"));
    readDiscarded(fields, QStringLiteral("xMs"));
    readDiscarded(fields, QStringLiteral("xKms"));
    const double L = readStored(fields, QStringLiteral("xL"));
    const double C1 = readStored(fields, QStringLiteral("xC1"));
    const double C2 = readStored(fields, QStringLiteral("xC2"));
    const double C3 = readStored(fields, QStringLiteral("xC3"));
    const double C4 = readStored(fields, QStringLiteral("xC4"));
    const double C5 = readStored(fields, QStringLiteral("xC5"));
    const double C6 = readStored(fields, QStringLiteral("xC6"));

    // The terms in their fixed order, each in extended precision and stored
    // as a double; sums run from left to right.
    const double L5 = store(over(L, 5));
    const double A2 = store(over(A, 2));
    const double S1 = store(plus(plus(plus(plus(plus(times(2, C2), C1), times(2, C3)), times(2, C4)),
                                    times(2, C5)),
                                C6));
    const double B6 = store(over(B, 6));
    X s2 = times(C1, C1);
    s2 = plus(s2, times(times(2, C2), C2));
    s2 = plus(s2, times(times(2, C3), C3));
    s2 = plus(s2, times(times(2, C4), C4));
    s2 = plus(s2, times(times(2, C5), C5));
    s2 = plus(s2, times(C6, C6));
    s2 = plus(s2, times(C1, C2));
    s2 = plus(s2, times(C2, C3));
    s2 = plus(s2, times(C3, C4));
    s2 = plus(s2, times(C4, C5));
    s2 = plus(s2, times(C5, C6));
    const double S2 = store(s2);
    const double G = store(over(times(times(5, A), A), times(2, B)));
    const double T1 = store(times(A2, S1));
    const double T2 = store(times(B6, S2));
    const double r = store(over(times(AngleFactor, alpha), 360));
    const double t = store(FloatGuard::tangent(r));
    const double F = store(plus(times(t, t), 1));
    const double Q = store(plus(plus(T1, T2), G));
    const double E = store(times(times(Q, L5), F));

    fields.setFieldText(QStringLiteral("xEDeformacion"), hundredthsText(E));

    // The speed goes through its text, so km/h is 3.6 times the m/s shown.
    const X speed = FloatGuard::squareRoot(over(times(2, E), m));
    const QString speedText = hundredthsText(speed);
    const double v = store(ParseNumberText(speedText));
    fields.setFieldText(QStringLiteral("xMs"), hundredthsText(v));
    fields.setFieldText(QStringLiteral("xKms"), hundredthsText(times(KmhPerMs, v)));

    fields.setGaugeValue(store(ParseNumberText(fields.fieldText(QStringLiteral("xKms")))));
}
