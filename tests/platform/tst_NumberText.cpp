// SPDX-License-Identifier: MIT
#include "platform/NumberText.h"
#include "platform/SysErrors.h"
#include "tests/platform/ExactDecimal.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

using Limits = std::numeric_limits<long double>;

// Exact text of an extended value (shortest round trip, keeps the sign of zero).
QByteArray exact(long double value)
{
    char buffer[80];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QByteArray(buffer, end - buffer);
}

QString zeros(int count)
{
    return QString(count, u'0');
}

} // namespace

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void separators_data();
    void separators();
    void parse_data();
    void parse();
    void powersOfTen();
    void correctlyRounded();
    void ties_data();
    void ties();
    void correctlyRoundedLong();
    void digitIntegerLimit_data();
    void digitIntegerLimit();
    void parseInvalid_data();
    void parseInvalid();
    void parseCommaLocale_data();
    void parseCommaLocale();
    void format_data();
    void format();
    void formatCommaLocale();
    void roundTrip_data();
    void roundTrip();
    void picture_data();
    void picture();
    void pictureCommaLocale_data();
    void pictureCommaLocale();
    void pictureTooLong();
};

void tst_NumberText::separators_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("thousand");

    QTest::newRow("C") << QLocale::c() << QChar(u'.') << QChar(u',');
    QTest::newRow("English (US)") << QLocale(QLocale::English, QLocale::UnitedStates)
                                  << QChar(u'.') << QChar(u',');
    QTest::newRow("Spanish (Spain)") << QLocale(QLocale::Spanish, QLocale::Spain)
                                     << QChar(u',') << QChar(u'.');
    QTest::newRow("German (Switzerland)") << QLocale(QLocale::German, QLocale::Switzerland)
                                          << QChar(u'.') << QChar(u'\u2019');
}

void tst_NumberText::separators()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, decimal);
    QFETCH(QChar, thousand);

    QLocale::setDefault(locale);
    QCOMPARE(DecimalSeparator(), decimal);
    QCOMPARE(ThousandSeparator(), thousand);
}

void tst_NumberText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("expected"); // compiler literals: rounded once

    QTest::newRow("integer") << "12" << 12.0L;
    QTest::newRow("blanks around") << "  12  " << 12.0L;
    QTest::newRow("plus") << "+12" << 12.0L;
    QTest::newRow("minus") << "-12" << -12.0L;
    QTest::newRow("blanks and sign") << "   -1.5 " << -1.5L;
    QTest::newRow("fraction, one rounding") << "123.456" << 123.456L;
    QTest::newRow("tenth, one rounding") << "0.1" << 0.1L;
    QTest::newRow("many leading zeros") << "000000000000000000000000012.5" << 12.5L;
    QTest::newRow("lone separator") << "." << 0.0L;
    QTest::newRow("signed lone separator") << "-." << -0.0L;
    QTest::newRow("separator after digits") << "5." << 5.0L;
    QTest::newRow("separator before digits") << ".5" << 0.5L;
    QTest::newRow("negative zero") << "-0" << -0.0L;
    QTest::newRow("negative zero with digits") << "-000.000e-7" << -0.0L;
    QTest::newRow("exponent") << "1e3" << 1000.0L;
    QTest::newRow("exponent with plus") << "1E+3" << 1000.0L;
    QTest::newRow("negative exponent") << "1e-3" << 0.001L;
    QTest::newRow("exponent and fraction") << "2.5e2" << 250.0L;
    QTest::newRow("lone separator with exponent") << ".e5" << 0.0L;
    QTest::newRow("exponent without digits") << "1e" << 1.0L;
    QTest::newRow("exponent sign without digits") << "1E-" << 1.0L;
    QTest::newRow("exponent then blanks") << "7e1  " << 70.0L;
    QTest::newRow("trailing zeros of the fraction") << "2.50000000000000000000000000000000"
                                                    << 2.5L;
    QTest::newRow("27 fraction digits")
        << "0.000000001234567890123456789" << 1.234567890123456789e-9L;
    QTest::newRow("28 fraction digits")
        << "0.1234567890123456789012345678" << 0.1234567890123456789012345678L;
    QTest::newRow("10^28, first inexact power") << "1e28" << 1e28L;
    QTest::newRow("10^-28") << "1e-28" << 1e-28L;
    QTest::newRow("exponent 499") << "1e499" << 1e499L;
    QTest::newRow("exponent 500 with a leading zero") << "1e0500" << 1e500L;
    QTest::newRow("exponent read past 500 from 493") << "1e4932" << 1e4932L;
    QTest::newRow("fraction brings 4933 into range") << "0.1e4933" << 1e4932L;
    QTest::newRow("largest extended, short text")
        << "1.189731495357231765e4932" << 1.189731495357231765e4932L;
    QTest::newRow("largest extended") << "1.18973149535723176502e4932" << Limits::max();
    QTest::newRow("zero with a huge exponent") << "0e999" << 0.0L;
    QTest::newRow("tiny") << "1e-30" << 1e-30L;
    QTest::newRow("tiny exponent -499") << "1e-499" << 1e-499L;
    QTest::newRow("smallest normal extended")
        << "3.36210314311209350626e-4932" << Limits::min();
    QTest::newRow("subnormal extended") << "1e-4940" << 1e-4940L;
    QTest::newRow("smallest subnormal") << "3.6451995318824746025e-4951" << Limits::denorm_min();
    QTest::newRow("subnormal from a long fraction")
        << "0." + zeros(4950) + "5" << 5e-4951L;
    QTest::newRow("below the extended range") << "1e-4999" << 0.0L;
    QTest::newRow("thousands of fraction digits") << "0." + zeros(6000) + "1" << 0.0L;
    QTest::newRow("30 digits") << "123456789012345678901234567890"
                               << 123456789012345678901234567890.0L;
    QTest::newRow("4933 digits in range") << "1" + zeros(4932) << 1e4932L;
    QTest::newRow("digits above, exponent below the range")
        << "1" + zeros(4900) + "e-4999" << 1e-99L;
}

void tst_NumberText::parse()
{
    QFETCH(QString, text);
    QFETCH(long double, expected);

    QCOMPARE(exact(ParseNumberText(text)), exact(expected));
}

// The reference values come from the standard library's locale-free reader,
// which rounds correctly.
long double readCorrectly(const QByteArray &text)
{
    long double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Every power of ten of the extended range, read in both directions.
void tst_NumberText::powersOfTen()
{
    for (int n = 0; n <= 4932; ++n) {
        const QByteArray up = "1e" + QByteArray::number(n);
        QCOMPARE(exact(ParseNumberText(QString::fromLatin1(up))), exact(readCorrectly(up)));
        const QByteArray down = "1e-" + QByteArray::number(n);
        // The reader refuses subnormal results: the last one is a literal.
        const long double expected = n < 4932 ? readCorrectly(down) : 1e-4932L;
        QCOMPARE(exact(ParseNumberText(QString::fromLatin1(down))), exact(expected));
    }
}

// Short texts with small exponents, against a second correctly rounding reader.
void tst_NumberText::correctlyRounded()
{
    QRandomGenerator random(20240601);
    for (int i = 0; i < 20000; ++i) {
        QByteArray digits = QByteArray::number(random.bounded(1, 10));
        const int count = random.bounded(0, 19);
        for (int d = 0; d < count; ++d)
            digits += char('0' + random.bounded(10));
        const int point = random.bounded(0, int(digits.size()) + 1);
        const int exponent = random.bounded(-8, 9);
        QByteArray text = digits.left(point) + '.' + digits.mid(point);
        if (random.bounded(2))
            text.prepend('-');
        text += 'e' + QByteArray::number(exponent);
        QCOMPARE(exact(ParseNumberText(QString::fromLatin1(text))), exact(readCorrectly(text)));
    }
}

void tst_NumberText::ties_data()
{
    QTest::addColumn<long double>("low");
    // 0: the exact midpoint between low and the next extended value. Else
    // the midpoint cut to |nudge| significant digits, then (nudge > 0) one
    // unit added in the last place: just below or just above the midpoint.
    QTest::addColumn<int>("nudge");

    struct Base
    {
        const char *name;
        long double low;
    };
    const Base bases[] = {
        {"1 (even)", 1.0L},
        {"above 1 (odd)", std::nextafter(1.0L, 2.0L)},
        {"below 2, across the binade", std::nextafter(2.0L, 0.0L)},
        {"202.5", 202.5L},
        {"2^64, integers two apart", 18446744073709551616.0L},
        {"10^28", 1e28L},
        {"10^-30", 1e-30L},
        {"10^4000", 1e4000L},
        {"10^-4000", 1e-4000L},
        {"below the largest", std::nextafter(Limits::max(), 0.0L)},
        {"largest", Limits::max()},
        {"smallest normal", Limits::min()},
        {"largest subnormal", std::nextafter(Limits::min(), 0.0L)},
        {"three smallest subnormals", 3 * Limits::denorm_min()},
        {"smallest subnormal (odd)", Limits::denorm_min()},
        {"zero and the smallest subnormal", 0.0L},
    };
    for (const Base &base : bases) {
        for (const int nudge : {0, -40, 40, -4932, 4932}) {
            const QByteArray kind = nudge == 0 ? QByteArray("tie")
                                    : (nudge < 0 ? "below, " : "above, ")
                                          + QByteArray::number(std::abs(nudge)) + " digits";
            QTest::newRow(QByteArray(base.name) + ": " + kind) << base.low << nudge;
        }
    }
}

// Texts at and next to the midpoint between two neighbouring extended values,
// built exactly from their bit patterns: ties go to the even significand,
// anything off the midpoint to the nearer neighbour.
void tst_NumberText::ties()
{
    using namespace ExactDecimal;
    QFETCH(long double, low);
    QFETCH(int, nudge);

    const long double high = std::nextafter(low, HUGE_VALL);
    const Binary upper = std::isinf(high) ? Binary{Natural(1), 16384} : binaryOf(high);
    const Binary middle = midpoint(binaryOf(low), upper);
    // The midpoint as digits * 10^exponent; its last digit is never 0.
    QByteArray digits = middle.exponent >= 0
                            ? Natural(middle.mantissa).shiftLeft(middle.exponent).toDecimal()
                            : Natural(middle.mantissa).multiplyPowerOfFive(-middle.exponent)
                                  .toDecimal();
    std::int64_t exponent = std::min<std::int64_t>(middle.exponent, 0);
    bool up = !isEvenSignificand(low);
    if (nudge != 0) {
        const int keep = std::abs(nudge);
        Natural cut;
        if (digits.size() > keep) { // the cut is below, one unit more above
            exponent += digits.size() - keep;
            cut = Natural::fromDecimal(digits.left(keep));
            if (nudge > 0)
                cut.addSmall(1);
        } else { // padded with zeros, then one unit off either way
            exponent -= keep - digits.size();
            cut = Natural::fromDecimal(digits + QByteArray(keep - digits.size(), '0'));
            if (nudge > 0)
                cut.addSmall(1);
            else
                cut.decrement();
        }
        digits = cut.toDecimal();
        up = nudge > 0;
    }
    const QString text = QString::fromLatin1(positionalText(Natural::fromDecimal(digits), exponent));

    // An exact midpoint far below 1 has more digits than the digit integer
    // may hold: the text is refused like any other such text.
    const bool refused = Decimal(Natural::fromDecimal(digits), 0).overflowsExtended();
    const long double expected = up ? high : low;
    if (refused || std::isinf(expected)) {
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberText(text));
        return;
    }
    QCOMPARE(exact(ParseNumberText(text)), exact(expected));
    QCOMPARE(exact(ParseNumberText(u'-' + text)), exact(-expected));
}

// Long digit strings over the whole exponent range, checked by exact
// integer comparison with the neighbouring midpoints.
void tst_NumberText::correctlyRoundedLong()
{
    QRandomGenerator random(20240607);
    for (int i = 0; i < 400; ++i) {
        QByteArray text = QByteArray::number(random.bounded(1, 10));
        const int count = random.bounded(19, 120);
        for (int d = 0; d < count; ++d)
            text += char('0' + random.bounded(10));
        text.insert(random.bounded(0, int(text.size()) + 1), '.');
        text += 'e' + QByteArray::number(random.bounded(-4999, 5000));
        const QString number = QString::fromLatin1(text);
        const auto reread = ExactDecimal::readNumberText(number, u'.');
        QVERIFY(reread);
        const ExactDecimal::Decimal value = reread->value();
        if (value.overflowsExtended()) {
            QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberText(number));
            continue;
        }
        const long double parsed = ParseNumberText(number);
        QVERIFY2(value.roundsTo(parsed), text + " read as " + exact(parsed));
    }
}

void tst_NumberText::digitIntegerLimit_data()
{
    QTest::addColumn<int>("nudge"); // units added to the overflow threshold
    QTest::addColumn<QString>("exponent");

    QTest::newRow("at the threshold, scaled down") << 0 << "e-4000";
    QTest::newRow("one below, scaled down") << -1 << "e-4000";
    QTest::newRow("one below, as a fraction") << -1 << "e-0";
    QTest::newRow("at the threshold, fraction digits") << 0 << "e-0";
}

// The digits taken as one integer overflow exactly where that integer,
// rounded to extended, would be infinite, whatever the exponent says.
void tst_NumberText::digitIntegerLimit()
{
    using namespace ExactDecimal;
    QFETCH(int, nudge);
    QFETCH(QString, exponent);

    const Binary largest = binaryOf(Limits::max());
    const Binary threshold = midpoint(largest, {Natural(1), 16384});
    Natural integer = Natural(threshold.mantissa).shiftLeft(threshold.exponent);
    if (nudge < 0)
        integer.decrement();
    QByteArray digits = integer.toDecimal();
    // A separator inside the digits leaves the digit integer as it is.
    if (exponent == QLatin1String("e-0"))
        digits.insert(10, '.');
    const QString text = QString::fromLatin1(digits) + exponent;

    if (nudge == 0) {
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberText(text));
        return;
    }
    const auto reread = readNumberText(text, u'.');
    QVERIFY(reread);
    QVERIFY(reread->value().roundsTo(ParseNumberText(text)));
}

void tst_NumberText::parseInvalid_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("lone plus") << "+";
    QTest::newRow("lone minus") << "-";
    QTest::newRow("exponent letter first") << "e5";
    QTest::newRow("sign and exponent letter") << "-E5";
    QTest::newRow("two signs") << "+-1";
    QTest::newRow("comma under point") << "1,5";
    QTest::newRow("thousands separator") << "1,000";
    QTest::newRow("blank inside") << "1 000";
    QTest::newRow("letter after") << "12a";
    QTest::newRow("leading tab") << "\t12";
    QTest::newRow("trailing tab") << "12\t";
    QTest::newRow("no-break space") << "\u00a012";
    QTest::newRow("two separators") << "1.2.3";
    QTest::newRow("fractional exponent") << "1e5.0";
    QTest::newRow("two exponent signs") << "1e+-5";
    QTest::newRow("hexadecimal") << "0x10";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("not a number") << "nan";
    QTest::newRow("full-width digits") << "\uff11\uff12";
    QTest::newRow("Arabic-Indic digits") << "\u0661\u0662";
    QTest::newRow("digit unread after exponent 500") << "1e5000";
    QTest::newRow("negative exponent past 500") << "1e-5000";
    QTest::newRow("long exponent") << "1e00000000000000000000000000000000050000";
    QTest::newRow("beyond the extended range") << "1e4933";
    QTest::newRow("just beyond the largest extended") << "1.2e4932";
    QTest::newRow("negative beyond the range") << "-5e4999";
    QTest::newRow("4934 digits overflow") << "1" + zeros(4933);
    QTest::newRow("overflowing digits despite the exponent") << "1" + zeros(4940) + "e-4000";
    QTest::newRow("unit after the number") << "1.5 m";
}

void tst_NumberText::parseInvalid()
{
    QFETCH(QString, text);

    try {
        const long double value = ParseNumberText(text);
        QFAIL(qPrintable("accepted as " + QString::fromLatin1(exact(value))));
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), "'" + text + "' is not a valid floating point value");
    }
}

void tst_NumberText::parseCommaLocale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<long double>("expected");

    QTest::newRow("comma") << "1,5" << true << 1.5L;
    QTest::newRow("lone comma") << "," << true << 0.0L;
    QTest::newRow("comma and exponent") << "-1,5e2" << true << -150.0L;
    QTest::newRow("point rejected") << "1.5" << false << 0.0L;
    QTest::newRow("thousands point rejected") << "1.000" << false << 0.0L;
    QTest::newRow("start-up text with a point") << "0.00" << false << 0.0L;
}

void tst_NumberText::parseCommaLocale()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(long double, expected);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (valid)
        QCOMPARE(exact(ParseNumberText(text)), exact(expected));
    else
        QVERIFY_THROWS_EXCEPTION(EConvertError, ParseNumberText(text));
}

void tst_NumberText::format_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0L << "0";
    QTest::newRow("negative zero") << -0.0L << "0";
    QTest::newRow("one") << 1.0L << "1";
    QTest::newRow("minus one") << -1.0L << "-1";
    QTest::newRow("half") << 12.5L << "12.5";
    QTest::newRow("worked energy") << 4386250.0L / 100 << "43862.5";
    QTest::newRow("hundredths 7.65") << 765.0L / 100 << "7.65";
    QTest::newRow("hundredths 0.12") << 12.0L / 100 << "0.12";
    QTest::newRow("hundredths 1234.56") << 123456.0L / 100 << "1234.56";
    QTest::newRow("negative hundredths") << -12345.0L / 100 << "-123.45";
    QTest::newRow("0.1 + 0.2 in doubles") << (long double)(0.1 + 0.2) << "0.3";
    QTest::newRow("one third") << 1.0L / 3 << "0.333333333333333";
    QTest::newRow("two thirds") << 2.0L / 3 << "0.666666666666667";
    QTest::newRow("15 digits") << 123456789012345.0L << "123456789012345";
    QTest::newRow("16th digit 5 rounds up") << 1.000000000000005L << "1.00000000000001";
    QTest::newRow("16th digit 4 rounds down") << 1.000000000000004L << "1";
    QTest::newRow("rounded to 18 digits before 15")
        << 0.12345678901234499999L << "0.123456789012345";
    QTest::newRow("decimals lost from 10^13") << 10000000000000.01L << "10000000000000";
    QTest::newRow("last decimal rounded at 10^13") << 12345678901234.56L << "12345678901234.6";
    QTest::newRow("largest fixed") << 999999999999999.0L << "999999999999999";
    QTest::newRow("rounds up into 10^15") << 999999999999999.5L << "1E15";
    QTest::newRow("10^15 is scientific") << 1e15L << "1E15";
    QTest::newRow("1.5 x 10^16") << 1.5e16L << "1.5E16";
    QTest::newRow("negative scientific") << -2.5e20L << "-2.5E20";
    QTest::newRow("2^64") << 18446744073709551616.0L << "1.84467440737096E19";
    QTest::newRow("0.001") << 1.0L / 1000 << "0.001";
    QTest::newRow("0.0001 still fixed") << 1.0L / 10000 << "0.0001";
    QTest::newRow("0.00012345") << 12345.0L / 100000000 << "0.00012345";
    QTest::newRow("10^-5 is scientific") << 1.0L / 100000 << "1E-5";
    QTest::newRow("negative small scientific") << -1.5e-7L << "-1.5E-7";
    QTest::newRow("10^-400") << 1e-400L << "1E-400";
    QTest::newRow("10^4000") << 1e4000L << "1E4000";
    QTest::newRow("largest double") << (long double)std::numeric_limits<double>::max()
                                    << "1.79769313486232E308";
    QTest::newRow("largest extended") << Limits::max() << "1.18973149535723E4932";
    QTest::newRow("smallest normal extended") << Limits::min() << "3.36210314311209E-4932";
    QTest::newRow("smallest subnormal extended") << Limits::denorm_min()
                                                 << "3.64519953188247E-4951";
    QTest::newRow("infinity") << Limits::infinity() << "INF";
    QTest::newRow("minus infinity") << -Limits::infinity() << "-INF";
    QTest::newRow("not a number") << Limits::quiet_NaN() << "NAN";
}

void tst_NumberText::format()
{
    QFETCH(long double, value);
    QFETCH(QString, expected);

    QCOMPARE(FormatNumberText(value), expected);
}

void tst_NumberText::formatCommaLocale()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(FormatNumberText(4386250.0L / 100), QStringLiteral("43862,5"));
    QCOMPARE(FormatNumberText(1.0L / 1000), QStringLiteral("0,001"));
    QCOMPARE(FormatNumberText(1.5e16L), QStringLiteral("1,5E16"));
    QCOMPARE(FormatNumberText(1234567.0L), QStringLiteral("1234567")); // never grouped
}

void tst_NumberText::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    for (const char *text : {"0.1", "7.65", "27.54", "-123.45", "43862.5", "0.0001", "1E-5",
                             "999999999999999", "1E15", "1.23456789012345E-300",
                             "9.99999999999999E4931", "1.18973149535723E4932",
                             "3.64519953188247E-4951", "0.333333333333333"})
        QTest::newRow(text) << QString::fromLatin1(text);
}

// The canonical text of a value reads back to a value with the same text.
void tst_NumberText::roundTrip()
{
    QFETCH(QString, text);
    QCOMPARE(FormatNumberText(ParseNumberText(text)), text);
}

void tst_NumberText::picture_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("readout 7.456") << "000.00" << 7.456L << "007.46";
    QTest::newRow("readout 87.456") << "000.00" << 87.456L << "087.46";
    QTest::newRow("readout 250") << "000.00" << 250.0L << "250.00";
    QTest::newRow("readout 1234.5") << "000.00" << 1234.5L << "1234.50";
    QTest::newRow("readout -12.5") << "000.00" << -12.5L << "-012.50";
    QTest::newRow("readout -0.001 loses its sign") << "000.00" << -0.001L << "000.00";
    QTest::newRow("readout zero") << "000.00" << 0.0L << "000.00";
    QTest::newRow("readout negative zero") << "000.00" << -0.0L << "000.00";
    QTest::newRow("half away from zero") << "0" << 2.5L << "3";
    QTest::newRow("negative half away from zero") << "0" << -2.5L << "-3";
    QTest::newRow("exact hundredth half") << "0.00" << 0.125L << "0.13";
    QTest::newRow("negative hundredth half") << "0.00" << -0.125L << "-0.13";
    QTest::newRow("double 1.005 lies below the half")
        << "0.00" << (long double)1.005 << "1.00";
    QTest::newRow("half reached by the 18-digit expansion")
        << "0.00" << 0.12499999999999999999L << "0.13";
    QTest::newRow("carry into a new digit") << "000.00" << 999.996L << "1000.00";
    QTest::newRow("below half a unit") << "0" << 0.4999L << "0";
    QTest::newRow("integer digits beyond the placeholders") << "0" << 1234.0L << "1234";
    QTest::newRow("no decimals placeholder") << "0." << 2.75L << "3";
    QTest::newRow("optional digits") << "#.##" << 12.0L << "12";
    QTest::newRow("optional digits, fraction only") << "#.##" << 0.5L << ".5";
    QTest::newRow("optional digits of zero") << "#.##" << 0.0L << "";
    QTest::newRow("optional decimals after a required one") << "0.0#" << 1.0L << "1.0";
    QTest::newRow("optional decimals used") << "0.0#" << 1.25L << "1.25";
    QTest::newRow("digits without placeholders before the point") << ".00" << 12.5L << "12.50";
    QTest::newRow("grouping") << "#,##0.00" << 1234567.891L << "1,234,567.89";
    QTest::newRow("grouping of a negative") << "#,##0" << -1234567.0L << "-1,234,567";
    QTest::newRow("grouping with a carry") << "#,##0" << 999.5L << "1,000";
    QTest::newRow("grouping of small values") << "#,##0" << 12.0L << "12";
    QTest::newRow("grouping of zero") << "#,##0" << 0.0L << "0";
    QTest::newRow("grouped leading zeros") << "0,000,000" << 1234.0L << "0,001,234";
    QTest::newRow("literal text") << "0.0 km/h" << 12.34L << "12.3 km/h";
    QTest::newRow("quoted literal") << "0.0' m/s'" << 12.34L << "12.3 m/s";
    QTest::newRow("quoted placeholders stay text") << "\"No. #0\" 0" << 5.0L << "No. #0 5";
    QTest::newRow("sign before literal text") << "[0]" << -5.0L << "-[5]";
    QTest::newRow("negative section") << "0.00;(0.00)" << -12.5L << "(12.50)";
    QTest::newRow("positive with a negative section") << "0.00;(0.00)" << 12.5L << "12.50";
    QTest::newRow("zero section") << "0.00;(0.00);cero" << 0.0L << "cero";
    QTest::newRow("rounds into the zero section") << "0.00;(0.00);cero" << -0.001L << "cero";
    QTest::newRow("empty negative section") << "0.00;;cero" << -1.0L << "-1.00";
    QTest::newRow("rounded zero without zero section") << "0.00;(0.00)" << -0.001L << "0.00";
    QTest::newRow("empty positive section: general format") << ";(0)" << 2.5L << "2.5";
    QTest::newRow("negative section after an empty one") << ";(0)" << -2.5L << "(3)";
    QTest::newRow("semicolon quoted") << "0';'0" << 12.0L << "1;2";
    QTest::newRow("extra points vanish") << "0.0.0" << 1.25L << "1.25";
    QTest::newRow("empty picture: general format") << "" << 1.5L << "1.5";
    QTest::newRow("18 integer digits") << "0.00" << 123456789012345678.0L
                                       << "123456789012345678.00";
    QTest::newRow("beyond 18 integer digits: general format") << "000.00" << 1e19L << "1E19";
    QTest::newRow("exponent picture keeps the magnitude") << "0.00E+00" << 87.456L << "87.46E+00";
    QTest::newRow("exponent picture, negative") << "0.00E-0" << -0.001L << "0.00E0";
    QTest::newRow("exponent picture, no digits") << "0e+" << 1234.0L << "1234e+0";
    QTest::newRow("infinity") << "000.00" << Limits::infinity() << "INF";
    QTest::newRow("224 characters accepted") << QString(224, u'0') << 7.0L
                                             << QString(223, u'0') + "7";
}

void tst_NumberText::picture()
{
    QFETCH(QString, picture);
    QFETCH(long double, value);
    QFETCH(QString, expected);

    QCOMPARE(FormatPictureText(picture, value), expected);
}

void tst_NumberText::pictureCommaLocale_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("readout") << "000.00" << 87.456L << "087,46";
    QTest::newRow("grouping") << "#,##0.00" << 1234567.891L << "1.234.567,89";
}

void tst_NumberText::pictureCommaLocale()
{
    QFETCH(QString, picture);
    QFETCH(long double, value);
    QFETCH(QString, expected);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(FormatPictureText(picture, value), expected);
}

void tst_NumberText::pictureTooLong()
{
    try {
        FormatPictureText(QString(225, u'0'), 1);
        QFAIL("a picture of 225 characters was accepted");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("Format string too long"));
    }
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
