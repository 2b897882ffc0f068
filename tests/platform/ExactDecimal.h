// SPDX-License-Identifier: MIT
#pragma once

// Exact arithmetic on decimal texts and extended values, without floating
// point: the reference against which the number reader's rounding is judged
// (in tst_NumberText and in the number fuzzer).

#include <QByteArray>
#include <QChar>
#include <QStringView>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The fuzzer should steer by the reader's branches, not by this reference's.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("coverage"))), apply_to = function)
#endif

namespace ExactDecimal {

// A natural number of any size: 32-bit words, least significant first,
// without leading zero words.
class Natural
{
public:
    Natural() = default;
    explicit Natural(std::uint64_t value)
    {
        for (; value != 0; value >>= 32)
            m_words.push_back(std::uint32_t(value));
    }

    bool isZero() const { return m_words.empty(); }
    bool isOdd() const { return !m_words.empty() && (m_words[0] & 1u); }

    Natural &multiplySmall(std::uint32_t factor)
    {
        // Plain pointers: this loop dominates, and fuzz builds run unoptimised.
        std::uint64_t carry = 0;
        std::uint32_t *word = m_words.data();
        for (std::uint32_t *end = word + m_words.size(); word != end; ++word) {
            const std::uint64_t product = std::uint64_t(*word) * factor + carry;
            *word = std::uint32_t(product);
            carry = product >> 32;
        }
        if (carry != 0)
            m_words.push_back(std::uint32_t(carry));
        trim();
        return *this;
    }

    Natural &addSmall(std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; carry != 0; ++i) {
            if (i == m_words.size())
                m_words.push_back(0);
            const std::uint64_t sum = std::uint64_t(m_words[i]) + carry;
            m_words[i] = std::uint32_t(sum);
            carry = sum >> 32;
        }
        return *this;
    }

    // Needs a value of at least one.
    Natural &decrement()
    {
        std::size_t i = 0;
        while (m_words[i] == 0)
            m_words[i++] = 0xFFFFFFFFu;
        --m_words[i];
        trim();
        return *this;
    }

    Natural &shiftLeft(std::int64_t bits)
    {
        if (isZero() || bits == 0)
            return *this;
        const auto wordShift = std::size_t(bits / 32);
        const int bitShift = int(bits % 32);
        std::vector<std::uint32_t> shifted(wordShift, 0);
        std::uint32_t carry = 0;
        for (const std::uint32_t word : m_words) {
            shifted.push_back(bitShift == 0 ? word : (word << bitShift) | carry);
            carry = bitShift == 0 ? 0 : word >> (32 - bitShift);
        }
        if (carry != 0)
            shifted.push_back(carry);
        m_words.swap(shifted);
        return *this;
    }

    Natural &multiplyPowerOfFive(std::int64_t exponent)
    {
        constexpr std::uint32_t Five13 = 1220703125u; // 5^13, the largest in a word
        for (; exponent >= 13; exponent -= 13)
            multiplySmall(Five13);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= 5;
        return multiplySmall(rest);
    }

    friend Natural operator+(const Natural &a, const Natural &b)
    {
        Natural sum;
        const std::size_t size = std::max(a.m_words.size(), b.m_words.size());
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < size; ++i) {
            carry += std::uint64_t(a.word(i)) + b.word(i);
            sum.m_words.push_back(std::uint32_t(carry));
            carry >>= 32;
        }
        if (carry != 0)
            sum.m_words.push_back(std::uint32_t(carry));
        return sum;
    }

    friend Natural operator*(const Natural &a, const Natural &b)
    {
        Natural product;
        if (a.isZero() || b.isZero())
            return product;
        product.m_words.assign(a.m_words.size() + b.m_words.size(), 0);
        const std::uint32_t *x = a.m_words.data();
        const std::uint32_t *y = b.m_words.data();
        std::uint32_t *z = product.m_words.data();
        const std::size_t xs = a.m_words.size(), ys = b.m_words.size();
        for (std::size_t i = 0; i < xs; ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < ys; ++j) {
                const std::uint64_t t = std::uint64_t(x[i]) * y[j] + z[i + j] + carry;
                z[i + j] = std::uint32_t(t);
                carry = t >> 32;
            }
            z[i + ys] = std::uint32_t(carry);
        }
        product.trim();
        return product;
    }

    friend int compare(const Natural &a, const Natural &b)
    {
        if (a.m_words.size() != b.m_words.size())
            return a.m_words.size() < b.m_words.size() ? -1 : 1;
        for (std::size_t i = a.m_words.size(); i-- > 0;) {
            if (a.m_words[i] != b.m_words[i])
                return a.m_words[i] < b.m_words[i] ? -1 : 1;
        }
        return 0;
    }

    static Natural fromDecimal(QByteArrayView digits)
    {
        Natural value;
        for (const char digit : digits)
            value.multiplySmall(10).addSmall(std::uint32_t(digit - '0'));
        return value;
    }

    QByteArray toDecimal() const
    {
        if (isZero())
            return QByteArrayLiteral("0");
        std::vector<std::uint32_t> rest = m_words;
        QByteArray reversed;
        while (!rest.empty()) {
            // Divide by 10^9, keeping nine digits of the remainder.
            std::uint64_t remainder = 0;
            for (std::size_t i = rest.size(); i-- > 0;) {
                const std::uint64_t current = (remainder << 32) | rest[i];
                rest[i] = std::uint32_t(current / 1000000000u);
                remainder = current % 1000000000u;
            }
            while (!rest.empty() && rest.back() == 0)
                rest.pop_back();
            for (int d = 0; d < 9 && (remainder != 0 || !rest.empty()); ++d) {
                reversed += char('0' + remainder % 10);
                remainder /= 10;
            }
        }
        std::reverse(reversed.begin(), reversed.end());
        return reversed;
    }

private:
    std::uint32_t word(std::size_t i) const { return i < m_words.size() ? m_words[i] : 0; }
    void trim()
    {
        while (!m_words.empty() && m_words.back() == 0)
            m_words.pop_back();
    }

    std::vector<std::uint32_t> m_words;
};

// mantissa * 2^exponent, exactly.
struct Binary
{
    Natural mantissa;
    std::int64_t exponent = 0;
};

// The exact value of a finite, non-negative extended value.
inline Binary binaryOf(long double value)
{
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent); // in [0.5, 1)
    return {Natural(std::uint64_t(std::ldexp(fraction, 64))), std::int64_t(exponent) - 64};
}

// (a + b) / 2, exactly.
inline Binary midpoint(const Binary &a, const Binary &b)
{
    if (a.mantissa.isZero())
        return {b.mantissa, b.exponent - 1};
    if (b.mantissa.isZero())
        return {a.mantissa, a.exponent - 1};
    const std::int64_t low = std::min(a.exponent, b.exponent);
    Natural sum = Natural(a.mantissa).shiftLeft(a.exponent - low)
                  + Natural(b.mantissa).shiftLeft(b.exponent - low);
    return {sum, low - 1};
}

// The lowest bit of the stored 64-bit significand: ties go to the value
// where it is clear, for normal and subnormal values alike.
inline bool isEvenSignificand(long double value)
{
    std::uint64_t significand = 0;
    std::memcpy(&significand, &value, sizeof significand);
    return (significand & 1u) == 0;
}

// A non-negative decimal value digits * 10^exponent.
class Decimal
{
public:
    Decimal(Natural digits, std::int64_t exponent)
        : m_digits(std::move(digits)), m_exponent(exponent)
    {
    }

    bool isZero() const { return m_digits.isZero(); }

    // Sign of this value minus the binary one. 10^e = 5^e 2^e: the power of
    // five goes to whichever side has a non-negative exponent of five, and is
    // computed once for all comparisons.
    int compareWith(const Binary &binary) const
    {
        Natural left = m_exponent >= 0 ? scaledDigits() : m_digits;
        Natural right = m_exponent >= 0 ? binary.mantissa : binary.mantissa * powerOfFive();
        const std::int64_t leftTwos = m_exponent;
        if (leftTwos > binary.exponent)
            left.shiftLeft(leftTwos - binary.exponent);
        else
            right.shiftLeft(binary.exponent - leftTwos);
        return compare(left, right);
    }

    // Whether value is this decimal rounded to the nearest extended value,
    // ties to even (value finite and non-negative).
    bool roundsTo(long double value) const
    {
        if (isZero())
            return value == 0;
        if (value == 0) // up to half the smallest subnormal, the tie included
            return compareWith({Natural(1), -16446}) <= 0;
        const long double below = std::nextafter(value, 0.0L);
        // Beyond the largest value the next step would be 2^16384.
        const Binary above = value == std::numeric_limits<long double>::max()
                                 ? Binary{Natural(1), 16384}
                                 : binaryOf(std::nextafter(value, HUGE_VALL));
        const Binary exact = binaryOf(value);
        const bool even = isEvenSignificand(value);
        const int low = compareWith(midpoint(binaryOf(below), exact));
        const int high = compareWith(midpoint(exact, above));
        return (low > 0 || (low == 0 && even)) && (high < 0 || (high == 0 && even));
    }

    // Whether the value rounds beyond the largest extended value.
    bool overflowsExtended() const
    {
        const Binary largest = binaryOf(std::numeric_limits<long double>::max());
        return compareWith(midpoint(largest, {Natural(1), 16384})) >= 0;
    }

private:
    const Natural &powerOfFive() const
    {
        if (!m_powerOfFive)
            m_powerOfFive = cachedPowerOfFive(-m_exponent);
        return *m_powerOfFive;
    }
    // Fuzzing reads the same few exponents over and over.
    static Natural cachedPowerOfFive(std::int64_t exponent)
    {
        static std::map<std::int64_t, Natural> cache;
        if (cache.size() > 256)
            cache.clear();
        auto found = cache.find(exponent);
        if (found == cache.end())
            found = cache.emplace(exponent, Natural(1).multiplyPowerOfFive(exponent)).first;
        return found->second;
    }
    const Natural &scaledDigits() const
    {
        if (!m_powerOfFive)
            m_powerOfFive = Natural(m_digits).multiplyPowerOfFive(m_exponent);
        return *m_powerOfFive;
    }

    Natural m_digits;
    std::int64_t m_exponent;
    mutable std::optional<Natural> m_powerOfFive; // 5^-e, or digits * 5^e
};

// The number texts read by ParseNumberText, read again from their syntax.
struct NumberText
{
    bool negative = false;
    QByteArray digits;         // integer and fraction digits as one integer
    std::int64_t exponent = 0; // of the value: exponent part minus fraction digits
    std::int64_t integerZeros = 0; // trailing zeros of the digits taken apart

    Decimal value() const { return {Natural::fromDecimal(digits), exponent}; }
    Decimal digitInteger() const { return {Natural::fromDecimal(digits), integerZeros}; }
};

// nullopt when the text is not a number text at all.
inline std::optional<NumberText> readNumberText(QStringView text, QChar separator)
{
    NumberText number;
    qsizetype i = 0;
    auto digit = [&] { return i < text.size() && text[i] >= u'0' && text[i] <= u'9'; };
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number.negative = text[i++] == u'-';
    const qsizetype start = i;
    std::int64_t fraction = 0;
    for (; digit(); ++i)
        number.digits += char(text[i].unicode());
    if (i < text.size() && text[i] == separator) {
        for (++i; digit(); ++i, ++fraction)
            number.digits += char(text[i].unicode());
    }
    if (i == start)
        return std::nullopt;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        for (; digit() && exponent < 500; ++i)
            exponent = exponent * 10 + (text[i].unicode() - u'0');
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i != text.size())
        return std::nullopt;
    while (number.digits.endsWith('0')) {
        number.digits.chop(1);
        ++number.integerZeros;
    }
    number.exponent = exponent - fraction + number.integerZeros;
    return number;
}

// Plain positional text of digits * 10^exponent ("123.045", "0.0012"): no
// exponent part, so any magnitude stays within the reader's syntax.
inline QByteArray positionalText(const Natural &digits, std::int64_t exponent)
{
    QByteArray text = digits.toDecimal();
    if (exponent >= 0)
        return text + QByteArray(qsizetype(exponent), '0');
    const auto fraction = qsizetype(-exponent);
    if (text.size() <= fraction)
        text.prepend(QByteArray(fraction - text.size() + 1, '0'));
    text.insert(text.size() - fraction, '.');
    return text;
}

// The exact text of mantissa * 2^exponent.
inline QByteArray positionalText(const Binary &binary)
{
    if (binary.exponent >= 0)
        return positionalText(Natural(binary.mantissa).shiftLeft(binary.exponent), 0);
    return positionalText(Natural(binary.mantissa).multiplyPowerOfFive(-binary.exponent),
                          binary.exponent);
}

} // namespace ExactDecimal

#if defined(__clang__)
#pragma clang attribute pop
#endif
