// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QString>

// Number text conventions of the whole system: field text <-> extended value.
// All three use the regional decimal symbol of the default QLocale (first
// character, "." where none is set); never the C library's locale.

// First character of the regional decimal symbol, "." where none is set.
QChar DecimalSeparator();
// First character of the regional thousands symbol, "," where none is set.
QChar ThousandSeparator();

// Field text -> extended value: blanks (spaces only) around an optional sign,
// digits with at most one decimal separator, an optional exponent ("e", "E",
// optional sign, digits read while the exponent is below 500). The result is
// the text's exact decimal value rounded once to the nearest extended value,
// ties to even, whatever the length and exponent. Throws EConvertError with the
// message "'<text>' is not a valid floating point value" when the text is not
// a number, or when its digits taken as one integer (separator ignored) or its
// value lie beyond the extended range.
long double ParseNumberText(const QString &text);

// Extended value -> text in the general format with 15 significant digits:
// "43862.5", "0.0001", "1.5E16", "1E-5"; zero is "0", never grouped.
// Infinities and NaN give "INF", "-INF" and "NAN".
QString FormatNumberText(long double value);

// Extended value -> text by a numeric picture ("000.00", "#,##0.0", ...):
// "0" a digit always printed, "#" a digit printed where significant, the
// first "." the decimal separator (later ones are dropped), "," anywhere asks
// for thousands grouping. Rounds halves away from zero on the 18-digit
// expansion; "-" leads a negative value that does not round to zero.
// Text in single or double quotes and any other character are copied as they
// stand. Up to three sections "positive;negative;zero": a non-empty negative
// section replaces the "-", a non-empty zero section serves values that round
// to zero. An empty picture or section, and a value beyond 18 integer digits,
// give the general format. Throws EConvertError("Format string too long") for a
// picture of 225 characters or more.
QString FormatPictureText(const QString &picture, long double value);
