// SPDX-License-Identifier: MIT
#include "platform/FloatGuard.h"
#include "platform/SysErrors.h"

#include <QTest>

#include <cfenv>
#include <charconv>
#include <functional>
#include <limits>

namespace {

using Limits = std::numeric_limits<long double>;
constexpr long double Inf = Limits::infinity();
constexpr long double Max = Limits::max();
constexpr long double NaN = Limits::quiet_NaN();
constexpr long double DoubleMax = std::numeric_limits<double>::max();

QByteArray exact(long double value)
{
    char buffer[80];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QByteArray(buffer, end - buffer);
}

// Runs one operation; returns the kind of the error raised, or "" and the result.
QString outcome(const std::function<long double()> &operation, long double &result)
{
    try {
        result = operation();
        return QString();
    } catch (const Exception &error) {
        return QString::fromLatin1(error.kind());
    }
}

std::function<long double()> operationFor(const QString &op, long double a, long double b)
{
    if (op == u"+")
        return [=] { return FloatGuard::add(a, b); };
    if (op == u"-")
        return [=] { return FloatGuard::subtract(a, b); };
    if (op == u"*")
        return [=] { return FloatGuard::multiply(a, b); };
    if (op == u"/")
        return [=] { return FloatGuard::divide(a, b); };
    if (op == u"sqrt")
        return [=] { return FloatGuard::squareRoot(a); };
    if (op == u"tan")
        return [=] { return FloatGuard::tangent(a); };
    if (op == u"store")
        return [=] { return FloatGuard::store(a); };
    return [=] { return (long double)FloatGuard::roundToInt64(a); };
}

} // namespace

class tst_FloatGuard : public QObject
{
    Q_OBJECT

private slots:
    void operations_data();
    void operations();
    void staleFlagsRaiseNothing();
    void trapsStayMasked();
};

void tst_FloatGuard::operations_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<long double>("a");
    QTest::addColumn<long double>("b");
    QTest::addColumn<QString>("error");
    QTest::addColumn<long double>("result");

    const QString overflow = QStringLiteral("EOverflow");
    const QString invalid = QStringLiteral("EInvalidOp");
    const QString zeroDivide = QStringLiteral("EZeroDivide");

    QTest::newRow("sum") << "+" << 1.0L << 2.0L << "" << 3.0L;
    QTest::newRow("sum overflows") << "+" << Max << Max << overflow << 0.0L;
    QTest::newRow("opposite infinities") << "+" << Inf << -Inf << invalid << 0.0L;
    QTest::newRow("infinity plus one raises nothing") << "+" << Inf << 1.0L << "" << Inf;
    QTest::newRow("NaN operand") << "+" << NaN << 1.0L << invalid << 0.0L;
    QTest::newRow("difference overflows") << "-" << -Max << Max << overflow << 0.0L;
    QTest::newRow("infinity minus infinity") << "-" << Inf << Inf << invalid << 0.0L;
    QTest::newRow("product") << "*" << 2.5L << -4.0L << "" << -10.0L;
    QTest::newRow("product overflows") << "*" << 1e3000L << -1e3000L << overflow << 0.0L;
    QTest::newRow("product beyond double stays extended") << "*" << 1e300L << 1e300L << ""
                                                          << 1e300L * 1e300L;
    QTest::newRow("product underflows silently") << "*" << 1e-3000L << 1e-3000L << "" << 0.0L;
    QTest::newRow("zero times infinity") << "*" << 0.0L << Inf << invalid << 0.0L;
    QTest::newRow("quotient") << "/" << 1.0L << 4.0L << "" << 0.25L;
    QTest::newRow("by zero") << "/" << 1.0L << 0.0L << zeroDivide << 0.0L;
    QTest::newRow("by negative zero") << "/" << -1.0L << -0.0L << zeroDivide << 0.0L;
    QTest::newRow("tiny by zero") << "/" << Limits::denorm_min() << 0.0L << zeroDivide << 0.0L;
    QTest::newRow("zero by zero") << "/" << 0.0L << 0.0L << invalid << 0.0L;
    QTest::newRow("negative zero by zero") << "/" << -0.0L << 0.0L << invalid << 0.0L;
    QTest::newRow("infinity by zero raises nothing") << "/" << Inf << -0.0L << "" << -Inf;
    QTest::newRow("infinity by infinity") << "/" << Inf << -Inf << invalid << 0.0L;
    QTest::newRow("quotient overflows") << "/" << 1e4000L << 1e-4000L << overflow << 0.0L;
    QTest::newRow("quotient underflows silently") << "/" << 1e-4000L << 1e4000L << "" << 0.0L;
    QTest::newRow("zero by a number") << "/" << 0.0L << 5.0L << "" << 0.0L;
    QTest::newRow("root") << "sqrt" << 6.25L << 0.0L << "" << 2.5L;
    QTest::newRow("root of negative zero") << "sqrt" << -0.0L << 0.0L << "" << -0.0L;
    QTest::newRow("root of a negative") << "sqrt" << -1.0L << 0.0L << invalid << 0.0L;
    QTest::newRow("root of a tiny negative") << "sqrt" << -1e-4000L << 0.0L << invalid << 0.0L;
    QTest::newRow("tangent of zero") << "tan" << 0.0L << 0.0L << "" << 0.0L;
    QTest::newRow("tangent of infinity") << "tan" << Inf << 0.0L << invalid << 0.0L;
    QTest::newRow("store keeps a double") << "store" << 0.1L << 0.0L << "" << (long double)0.1;
    QTest::newRow("store rounds to nearest even")
        << "store" << 1.0L + 0x1p-53L << 0.0L << "" << 1.0L;
    QTest::newRow("store of the largest double")
        << "store" << DoubleMax << 0.0L << "" << DoubleMax;
    QTest::newRow("store rounds down to the largest double")
        << "store" << 0x1.fffffffffffff7fep1023L << 0.0L << "" << DoubleMax;
    QTest::newRow("store at half an ulp past the largest double")
        << "store" << 0x1.fffffffffffff8p1023L << 0.0L << overflow << 0.0L;
    QTest::newRow("store of 1e309") << "store" << 1e309L << 0.0L << overflow << 0.0L;
    QTest::newRow("store of -1e309") << "store" << -1e309L << 0.0L << overflow << 0.0L;
    QTest::newRow("store underflows silently") << "store" << 1e-400L << 0.0L << "" << 0.0L;
    QTest::newRow("store of a subnormal double")
        << "store" << 0x1p-1074L << 0.0L << "" << 0x1p-1074L;
    QTest::newRow("round half down to even") << "round" << 12.5L << 0.0L << "" << 12.0L;
    QTest::newRow("round half up to even") << "round" << 13.5L << 0.0L << "" << 14.0L;
    QTest::newRow("round negative half") << "round" << -12.5L << 0.0L << "" << -12.0L;
    QTest::newRow("round just below a half") << "round" << 12.4999999L << 0.0L << "" << 12.0L;
    QTest::newRow("round largest 64-bit")
        << "round" << 9223372036854775807.0L << 0.0L << "" << 9223372036854775807.0L;
    QTest::newRow("round 2^63") << "round" << 0x1p63L << 0.0L << invalid << 0.0L;
    QTest::newRow("round smallest 64-bit") << "round" << -0x1p63L << 0.0L << "" << -0x1p63L;
    QTest::newRow("round below the smallest 64-bit")
        << "round" << -9223372036854775809.0L << 0.0L << invalid << 0.0L;
    QTest::newRow("round 1e19") << "round" << 1e19L << 0.0L << invalid << 0.0L;
    QTest::newRow("round infinity") << "round" << -Inf << 0.0L << invalid << 0.0L;
    QTest::newRow("round NaN") << "round" << NaN << 0.0L << invalid << 0.0L;
}

void tst_FloatGuard::operations()
{
    QFETCH(QString, op);
    QFETCH(long double, a);
    QFETCH(long double, b);
    QFETCH(QString, error);
    QFETCH(long double, result);

    long double actual = 0;
    QCOMPARE(outcome(operationFor(op, a, b), actual), error);
    if (error.isEmpty())
        QCOMPARE(exact(actual), exact(result));
}

// Flags left set by any other code must not turn a sound step into an error.
void tst_FloatGuard::staleFlagsRaiseNothing()
{
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    long double result = 0;
    QCOMPARE(outcome([] { return FloatGuard::divide(1, 8); }, result), QString());
    QCOMPARE(outcome([] { return FloatGuard::store(0.5L); }, result), QString());
    QCOMPARE(outcome([] { return (long double)FloatGuard::roundToInt64(2.5L); }, result),
             QString());
    std::feclearexcept(FE_ALL_EXCEPT);
}

// The hardware traps stay masked through failing operations: an unmasked trap
// would end the process inside a library.
void tst_FloatGuard::trapsStayMasked()
{
    long double result = 0;
    outcome([] { return FloatGuard::divide(1, 0); }, result);
    outcome([] { return FloatGuard::multiply(Max, Max); }, result);
    outcome([] { return FloatGuard::squareRoot(-1); }, result);
    outcome([] { return FloatGuard::store(1e400L); }, result);
    QCOMPARE(fegetexcept(), 0);
}

QTEST_GUILESS_MAIN(tst_FloatGuard)
#include "tst_FloatGuard.moc"
