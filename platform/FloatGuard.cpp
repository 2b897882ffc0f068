// SPDX-License-Identifier: MIT
#include "platform/FloatGuard.h"

#include "platform/SysErrors.h"

#include <cmath>

// Every check below relies on infinities and NaNs being honoured.
#if defined(__FAST_MATH__) || (defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__)
#error "FloatGuard needs IEEE semantics: do not build it with -ffast-math"
#endif

namespace {

void checkOperand(long double x)
{
    if (std::isnan(x))
        throw EInvalidOp();
}

// A NaN result comes only from an invalid operation; an infinite result from
// finite operands only from an overflow.
long double checkResult(long double result, long double a, long double b)
{
    if (std::isnan(result))
        throw EInvalidOp();
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
        throw EOverflow();
    return result;
}

} // namespace

long double FloatGuard::add(long double a, long double b)
{
    checkOperand(a);
    checkOperand(b);
    return checkResult(a + b, a, b);
}

long double FloatGuard::subtract(long double a, long double b)
{
    checkOperand(a);
    checkOperand(b);
    return checkResult(a - b, a, b);
}

long double FloatGuard::multiply(long double a, long double b)
{
    checkOperand(a);
    checkOperand(b);
    return checkResult(a * b, a, b);
}

long double FloatGuard::divide(long double a, long double b)
{
    checkOperand(a);
    checkOperand(b);
    if (b == 0) {
        if (a == 0)
            throw EInvalidOp();
        if (std::isfinite(a))
            throw EZeroDivide();
        // An infinite dividend raises nothing; the quotient is never formed
        // because dividing by zero is undefined in C++.
        return std::signbit(a) != std::signbit(b) ? -HUGE_VALL : HUGE_VALL;
    }
    if (std::isinf(a) && std::isinf(b))
        throw EInvalidOp();
    return checkResult(a / b, a, b);
}

long double FloatGuard::squareRoot(long double x)
{
    checkOperand(x);
    if (x < 0) // -0 has the root -0
        throw EInvalidOp();
    return std::sqrt(x);
}

long double FloatGuard::tangent(long double x)
{
    checkOperand(x);
    if (std::isinf(x))
        throw EInvalidOp();
    return std::tan(x);
}

double FloatGuard::store(long double x)
{
    checkOperand(x);
    // Half an ulp above the largest double: from here on, rounding to
    // nearest gives infinity. Below it the conversion is defined.
    constexpr long double OverflowThreshold = 0x1.fffffffffffff8p1023L;
    if (std::fabs(x) >= OverflowThreshold) {
        if (std::isinf(x))
            return double(x);
        throw EOverflow();
    }
    return double(x);
}

qint64 FloatGuard::roundToInt64(long double x)
{
    checkOperand(x);
    const long double rounded = std::nearbyint(x);
    if (!(rounded >= -0x1p63L && rounded < 0x1p63L))
        throw EInvalidOp();
    return qint64(rounded);
}
