// SPDX-License-Identifier: MIT
#include "platform/NumberText.h"

#include "platform/SysErrors.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

// Largest n with 10^n inside the extended range.
constexpr int MaxPow10 = 4932;
// Values below 10^-4952 lie under half the smallest subnormal and read as 0.
constexpr int MinDecimalExponent = -4951;
constexpr int PictureLimit = 225;

// 10^n for 0 <= n <= MaxPow10, each rounded once (to nearest, ties to even)
// from the exact integer: 10^n = 5^n * 2^n, with 5^n held as a big integer.
// Exact up to n = 27; repeated multiplication would pile up rounding errors.
const std::array<long double, MaxPow10 + 1> &powersOfTen()
{
    static const auto table = [] {
        std::array<long double, MaxPow10 + 1> powers{};
        std::vector<std::uint32_t> five{1}; // little-endian words of 5^n
        for (int n = 0; n <= MaxPow10; ++n) {
            if (n > 0) {
                std::uint64_t carry = 0;
                for (auto &word : five) {
                    const std::uint64_t product = std::uint64_t(word) * 5 + carry;
                    word = std::uint32_t(product);
                    carry = product >> 32;
                }
                if (carry != 0)
                    five.push_back(std::uint32_t(carry));
            }
            const int bits = int(five.size()) * 32 - __builtin_clz(five.back());
            auto bitAt = [&](int i) { return (five[i / 32] >> (i % 32)) & 1u; };
            std::uint64_t top = 0;
            const int low = bits > 64 ? bits - 64 : 0;
            for (int i = bits - 1; i >= low; --i)
                top = (top << 1) | bitAt(i);
            int shift = low;
            if (low > 0 && bitAt(low - 1)) {
                bool sticky = false;
                for (int i = 0; i < low - 1 && !sticky; ++i)
                    sticky = bitAt(i) != 0;
                if (sticky || (top & 1u)) {
                    ++top;
                    if (top == 0) { // carried out of 64 bits
                        top = std::uint64_t(1) << 63;
                        ++shift;
                    }
                }
            }
            powers[std::size_t(n)] = std::ldexp(static_cast<long double>(top), shift + n);
        }
        return powers;
    }();
    return table;
}

// 10^n up to 10^27, where it is exact in the extended type: all that
// everyday numbers need, without the whole table's millisecond at start-up.
constexpr int ExactPow10 = 27;
constexpr std::array<long double, ExactPow10 + 1> exactPowersOfTen = [] {
    std::array<long double, ExactPow10 + 1> powers{};
    long double power = 1;
    for (long double &p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

long double pow10(int n)
{
    if (n <= ExactPow10)
        return exactPowersOfTen[std::size_t(n)];
    return powersOfTen()[std::size_t(n)];
}

// value * 10^power, multiplying for a positive power and dividing by the
// power of ten for a negative one (10^-n itself is not exact). Powers beyond
// the table go in steps, the full table power last, so that intermediate
// results stay normal and only the last step can reach the subnormal range.
long double scaleByPowerOfTen(long double value, std::int64_t power)
{
    if (value == 0)
        return value;
    if (power >= 0) {
        while (power > MaxPow10 && !std::isinf(value)) {
            const std::int64_t step = std::min<std::int64_t>(power - MaxPow10, MaxPow10);
            value *= pow10(int(step));
            power -= step;
        }
        return value * pow10(int(power));
    }
    std::int64_t divisor = -power;
    while (divisor > MaxPow10 && value != 0) {
        const std::int64_t step = std::min<std::int64_t>(divisor - MaxPow10, MaxPow10);
        value /= pow10(int(step));
        divisor -= step;
    }
    return value / pow10(int(divisor));
}

// The "C" locale for the C library's reader, made once: the process locale
// follows the environment (Qt sets it) and must not change how text reads.
locale_t cLocale()
{
    static const locale_t locale = [] {
        const locale_t made = newlocale(LC_ALL_MASK, "C", locale_t(0));
        if (made == locale_t(0))
            throw std::bad_alloc();
        return made;
    }();
    return locale;
}

// digits * 10^power rounded once to the nearest extended value, ties to
// even; glibc's reader is correctly rounded for any length and exponent,
// subnormal results included. digits: ASCII, no leading zero.
long double readExtended(const std::string &digits, std::int64_t power)
{
    const std::string normalised = digits + 'e' + std::to_string(power);
    return strtold_l(normalised.c_str(), nullptr, cLocale());
}

QChar firstOr(const QString &symbol, char16_t fallback)
{
    return symbol.isEmpty() ? QChar(fallback) : symbol.front();
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

[[noreturn]] void throwInvalid(const QString &text)
{
    throw EConvertError(QLatin1Char('\'') + text
                        + QLatin1String("' is not a valid floating point value"));
}

// A positive finite magnitude rendered to 18 significant digits:
// magnitude ~ 0.d1...d18 * 10^exponent, digits in [10^17, 10^18).
struct Expansion18
{
    std::uint64_t digits;
    int exponent;
};

Expansion18 expand18(long double magnitude)
{
    constexpr long double Low = 1e17L, High = 1e18L;
    int exponent = int(std::floor(std::log10(magnitude))) + 1;
    long double scaled = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        // rint, not nearbyint: the same value, and only the sticky inexact
        // flag, which nothing reads, tells them apart; nearbyint saves and
        // restores the whole floating-point state at each call.
        scaled = std::rint(scaleByPowerOfTen(magnitude, 18 - exponent));
        if (scaled >= High)
            ++exponent;
        else if (scaled < Low)
            --exponent;
        else
            return {std::uint64_t(scaled), exponent};
    }
    // Only reachable when rounding flips between two neighbouring scales:
    // the magnitude is then the power of ten between them.
    if (scaled >= High)
        return {std::uint64_t(Low), exponent}; // exponent already raised
    return {std::uint64_t(Low), exponent + 1};
}

QString specialText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

struct TSeparators
{
    QLocale locale;
    QChar decimal;
    QChar group;
};

// The default locale's separators, asked again only when another locale
// becomes the default: a glide frame formats and lays out its value several
// times, and each question builds a string.
const TSeparators &Separators()
{
    thread_local std::optional<TSeparators> kept;
    const QLocale locale;
    if (!kept || kept->locale != locale)
        kept = TSeparators{locale, firstOr(locale.decimalPoint(), u'.'), firstOr(locale.groupSeparator(), u',')};
    return *kept;
}

} // namespace

QChar DecimalSeparator()
{
    return Separators().decimal;
}

QChar ThousandSeparator()
{
    return Separators().group;
}

long double ParseNumberText(const QString &text)
{
    const QChar separator = DecimalSeparator();
    const qsizetype length = text.size();
    qsizetype i = 0;

    while (i < length && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < length && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // All digits, integer and fraction, form one integer; leading zeros add
    // nothing and are dropped.
    std::string digits;
    std::int64_t fractionDigits = 0;
    const qsizetype mantissaStart = i;
    auto readDigits = [&](bool fraction) {
        for (; i < length && isDigit(text[i]); ++i) {
            if (!digits.empty() || text[i] != u'0')
                digits += char(text[i].unicode());
            if (fraction)
                ++fractionDigits;
        }
    };
    readDigits(false);
    if (i < length && text[i] == separator) {
        ++i;
        readDigits(true);
    }
    if (i == mantissaStart)
        throwInvalid(text);

    int exponent = 0;
    if (i < length && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < length && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        // A digit after the exponent has reached 500 stays unread.
        while (i < length && isDigit(text[i]) && exponent < 500)
            exponent = exponent * 10 + (text[i++].unicode() - u'0');
        if (negativeExponent)
            exponent = -exponent;
    }

    while (i < length && text[i] == u' ')
        ++i;
    if (i != length)
        throwInvalid(text);

    // Trailing zeros become part of the power of ten: digits * 10^zeros is
    // the digit integer, digits * 10^power the value.
    const std::size_t significant = digits.empty() ? 0 : digits.find_last_not_of('0') + 1;
    const auto zeros = std::int64_t(digits.size() - significant);
    digits.resize(significant);
    const auto count = std::int64_t(significant);
    if (count + zeros > MaxPow10 && std::isinf(readExtended(digits, zeros)))
        throwInvalid(text); // the digit integer alone overflows
    const std::int64_t power = exponent - fractionDigits + zeros;

    long double value = 0; // zero, or below half the smallest subnormal
    if (!digits.empty() && count + power >= MinDecimalExponent) {
        if (count + power > MaxPow10 + 1)
            throwInvalid(text); // at least 10^4933
        value = readExtended(digits, power);
        if (std::isinf(value))
            throwInvalid(text);
    }
    return negative ? -value : value;
}

QString FormatNumberText(long double value)
{
    if (!std::isfinite(value))
        return specialText(value);
    if (value == 0)
        return QStringLiteral("0");

    const Expansion18 wide = expand18(std::fabs(value));
    std::uint64_t digits = wide.digits / 1000;
    int exponent = wide.exponent;
    if (wide.digits % 1000 >= 500 && ++digits == 1000000000000000ULL) {
        digits /= 10;
        ++exponent;
    }
    QString significant = QString::number(digits);
    while (significant.endsWith(u'0'))
        significant.chop(1);
    const int count = int(significant.size());
    const QChar separator = DecimalSeparator();

    QString text;
    if (value < 0)
        text += u'-';
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            text += u'0';
            text += separator;
            text += QString(-exponent, u'0');
            text += significant;
        } else if (count <= exponent) {
            text += significant;
            text += QString(exponent - count, u'0');
        } else {
            text += QStringView(significant).left(exponent);
            text += separator;
            text += QStringView(significant).mid(exponent);
        }
    } else {
        text += significant.front();
        if (count > 1) {
            text += separator;
            text += QStringView(significant).mid(1);
        }
        text += u'E';
        text += QString::number(exponent - 1);
    }
    return text;
}

namespace {

// Decimal digits d1 d2 ... of a magnitude 0.d1d2... * 10^exponent; positions
// count powers of ten (0 = units, -1 = tenths).
struct DecimalDigits
{
    QByteArray digits; // no trailing zeros; empty for zero
    int exponent = 0;

    char at(int position) const
    {
        const int index = exponent - 1 - position;
        return index >= 0 && index < digits.size() ? digits[index] : '0';
    }
    bool isZero() const { return digits.isEmpty(); }
};

// The magnitude rounded to a number of decimals, halves away from zero, on
// its 18-digit expansion.
// wide: the magnitude's expand18, unless the magnitude is 0.
DecimalDigits roundToDecimals(long double magnitude, const Expansion18 &wide, int decimals)
{
    DecimalDigits result;
    if (magnitude == 0)
        return result;
    QByteArray digits = QByteArray::number(quint64(wide.digits));
    int exponent = wide.exponent;
    const std::int64_t keep = std::int64_t(exponent) + decimals;
    if (keep < 0)
        return result;
    if (keep < digits.size()) {
        const bool up = digits[qsizetype(keep)] >= '5';
        digits.truncate(qsizetype(keep));
        if (up) {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.prepend('1');
                ++exponent;
            }
        }
    }
    while (!digits.isEmpty() && digits.back() == '0')
        digits.chop(1);
    result.digits = digits;
    result.exponent = exponent;
    return result;
}

// One section of a picture, split into placeholders and literal text.
struct PictureSection
{
    enum Kind { IntegerDigit, DecimalPoint, FractionDigit, Literal };
    struct Item
    {
        Kind kind;
        bool zero = false; // "0" rather than "#"
        QString text;      // literal text
    };
    QList<Item> items;
    int integerPlaceholders = 0;
    int minimumIntegerDigits = 0;
    int fractionPlaceholders = 0;
    int minimumFractionDigits = 0;
    bool grouping = false;

    explicit PictureSection(QStringView picture)
    {
        bool afterPoint = false;
        int firstIntegerZero = -1;
        for (qsizetype i = 0; i < picture.size(); ++i) {
            const QChar c = picture[i];
            if (c == u'0' || c == u'#') {
                const bool isZero = c == u'0';
                if (afterPoint) {
                    items.append({FractionDigit, isZero, {}});
                    ++fractionPlaceholders;
                    if (isZero)
                        minimumFractionDigits = fractionPlaceholders;
                } else {
                    items.append({IntegerDigit, isZero, {}});
                    if (isZero && firstIntegerZero < 0)
                        firstIntegerZero = integerPlaceholders;
                    ++integerPlaceholders;
                }
            } else if (c == u'.') {
                // Only the first point places the separator; later ones vanish.
                if (!afterPoint)
                    items.append({DecimalPoint, false, {}});
                afterPoint = true;
            } else if (c == u',') {
                grouping = true;
            } else if ((c == u'E' || c == u'e') && i + 1 < picture.size()
                       && (picture[i + 1] == u'+' || picture[i + 1] == u'-')) {
                // No scaled notation: the number keeps its own magnitude and
                // the exponent reads 0, so the text stays numerically true.
                const bool plus = picture[i + 1] == u'+';
                QString exponent = QString(c) + (plus ? QStringLiteral("+") : QString());
                for (i += 2; i < picture.size() && (picture[i] == u'0' || picture[i] == u'#'); ++i) {
                    if (picture[i] == u'0')
                        exponent += u'0';
                }
                if (exponent.size() == (plus ? 2 : 1))
                    exponent += u'0';
                appendLiteral(exponent);
                --i;
            } else if (c == u'"' || c == u'\'') {
                const qsizetype end = picture.indexOf(c, i + 1);
                const qsizetype stop = end < 0 ? picture.size() : end;
                appendLiteral(picture.mid(i + 1, stop - i - 1));
                i = stop;
            } else {
                appendLiteral(picture.mid(i, 1));
            }
        }
        if (firstIntegerZero >= 0)
            minimumIntegerDigits = integerPlaceholders - firstIntegerZero;
    }

    void appendLiteral(QStringView text)
    {
        if (!items.isEmpty() && items.back().kind == Literal)
            items.back().text += text;
        else
            items.append({Literal, false, text.toString()});
    }

    QString render(const DecimalDigits &number, QChar decimalSeparator,
                   QChar thousandSeparator) const
    {
        const int integerDigits = number.isZero() ? 0 : std::max(number.exponent, 0);
        int position = std::max(integerDigits, minimumIntegerDigits) - 1; // next to print
        int fractionShown = fractionPlaceholders;
        while (fractionShown > minimumFractionDigits && number.at(-fractionShown) == '0')
            --fractionShown;

        QString text;
        auto emitDownTo = [&](int lowest) {
            for (; position >= lowest; --position) {
                text += QLatin1Char(number.at(position));
                if (grouping && position > 0 && position % 3 == 0)
                    text += thousandSeparator;
            }
        };
        int integerIndex = 0;
        int fractionIndex = 0;
        for (const Item &item : items) {
            switch (item.kind) {
            case Literal:
                text += item.text;
                break;
            case IntegerDigit:
                // The first placeholder also takes every digit that has no
                // placeholder of its own.
                emitDownTo(integerPlaceholders - 1 - integerIndex++);
                break;
            case DecimalPoint:
                emitDownTo(0);
                if (fractionShown > 0)
                    text += decimalSeparator;
                break;
            case FractionDigit:
                ++fractionIndex;
                if (fractionIndex <= fractionShown)
                    text += QLatin1Char(number.at(-fractionIndex));
                break;
            }
        }
        return text;
    }
};

// Splits a picture into its sections at ";" outside quoted text.
QList<QStringView> pictureSections(QStringView picture)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections.append(picture.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(picture.mid(start));
    return sections;
}

} // namespace

QString FormatPictureText(const QString &picture, long double value)
{
    if (picture.size() >= PictureLimit)
        throw EConvertError(QStringLiteral("Format string too long"));
    if (!std::isfinite(value))
        return specialText(value);
    if (picture.isEmpty())
        return FormatNumberText(value);

    // Magnitudes beyond 18 integer digits have no digits left to place.
    const long double magnitude = std::fabs(value);
    const Expansion18 wide = magnitude != 0 ? expand18(magnitude) : Expansion18{0, 0};
    if (wide.exponent > 18)
        return FormatNumberText(value);

    const QList<QStringView> sections = pictureSections(picture);
    const PictureSection positive(sections[0]);
    DecimalDigits number = roundToDecimals(magnitude, wide, positive.fractionPlaceholders);

    const PictureSection *section = &positive;
    bool sign = false;
    std::optional<PictureSection> other;
    if (number.isZero()) {
        if (sections.size() > 2 && !sections[2].isEmpty())
            other.emplace(sections[2]);
    } else if (value < 0) {
        if (sections.size() > 1 && !sections[1].isEmpty())
            other.emplace(sections[1]);
        else
            sign = true;
    }
    if (other) {
        section = &*other;
        number = roundToDecimals(magnitude, wide, section->fractionPlaceholders);
    } else if (sections[0].isEmpty()) {
        return FormatNumberText(value);
    }

    const QString text = section->render(number, DecimalSeparator(), ThousandSeparator());
    return sign && !number.isZero() ? QLatin1Char('-') + text : text;
}
