// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// Extended-precision arithmetic that reports invalid operations, division by
// zero and overflow as EInvalidOp, EZeroDivide and EOverflow at the very
// operation where a hardware trap would fire, while every hardware trap stays
// masked: Qt and the font libraries are not written to survive an unmasked
// trap. The checks look at operands and results only, never at the sticky
// status flags, which any library may have left set. Underflow and inexact
// results pass silently, as they do with the traps masked.
class FloatGuard
{
public:
    static long double add(long double a, long double b);
    static long double subtract(long double a, long double b);
    static long double multiply(long double a, long double b);
    static long double divide(long double a, long double b);
    static long double squareRoot(long double x);
    static long double tangent(long double x);

    // The value rounded to a double, as storing it does; EOverflow when the
    // rounded value lies beyond the double range.
    static double store(long double x);

    // Nearest integer, halves to the even neighbour; EInvalidOp outside the
    // signed 64-bit range.
    static qint64 roundToInt64(long double x);
};
