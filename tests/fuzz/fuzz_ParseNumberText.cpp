// SPDX-License-Identifier: MIT
// Any text either reads as a finite number or is refused with the conversion
// message; what reads as a number is its exact decimal value rounded once
// (checked by exact integer arithmetic) and survives writing and reading back.
#include "platform/NumberText.h"
#include "platform/SysErrors.h"
#include "tests/platform/ExactDecimal.h"

#include <QLocale>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what, const QString &text)
{
    if (condition)
        return;
    std::fprintf(stderr, "%s: [%s]\n", what, text.toUtf8().constData());
    std::abort();
}

bool sameValue(long double a, long double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the regional settings: point or comma.
    static const QLocale point = QLocale::c();
    static const QLocale comma(QLocale::German, QLocale::Germany);
    if (size > 0) {
        QLocale::setDefault(data[0] & 1 ? comma : point);
        ++data;
        --size;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    // The same text read again by the syntax alone, its value kept exact.
    const auto reference = ExactDecimal::readNumberText(text, DecimalSeparator());
    long double value = 0;
    try {
        value = ParseNumberText(text);
    } catch (const EConvertError &error) {
        require(error.message() == "'" + text + "' is not a valid floating point value",
                "conversion message", text);
        require(!reference || reference->digitInteger().overflowsExtended()
                    || reference->value().overflowsExtended(),
                "refused only when not a number or beyond the extended range", text);
        return 0;
    }
    require(std::isfinite(value), "finite value", text);
    require(reference.has_value(), "accepted only with the number syntax", text);
    require(std::signbit(value) == reference->negative, "sign", text);
    require(!reference->digitInteger().overflowsExtended(), "digit integer in range", text);
    require(reference->value().roundsTo(std::fabs(value)), "rounded once to nearest", text);

    // Surrounding blanks never matter.
    require(sameValue(ParseNumberText(QLatin1Char(' ') + text + QLatin1Char(' ')), value),
            "blanks around", text);

    // The general format reads back, and its text is a fixed point.
    const QString general = FormatNumberText(value);
    const long double reread = ParseNumberText(general);
    const long double magnitude = std::fabs(value);
    if (magnitude >= 1e-4900L) {
        require(FormatNumberText(reread) == general, "general text stable", text);
        // Half a unit of the 15th digit, plus the 18-digit rounding that
        // comes first (up to half a unit of the 18th) and the re-reading.
        require(std::fabs(reread - value) <= magnitude * 5.0051e-15L, "15 digits kept", text);
    }

    // The readout picture never fails, and with two decimals it is within
    // half a hundredth.
    const QString readout = FormatPictureText(QStringLiteral("000.00"), value);
    if (magnitude < 1e15L) {
        const long double shown = ParseNumberText(readout);
        require(std::fabs(shown - value) <= 0.005L + magnitude * 1e-17L, "readout rounding", text);
        QString grouped = FormatPictureText(QStringLiteral("#,##0.00"), value);
        require(grouped.remove(ThousandSeparator())
                    == FormatPictureText(QStringLiteral("0.00"), value),
                "grouping only adds separators", text);
    }
    return 0;
}
