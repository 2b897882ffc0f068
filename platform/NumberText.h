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

// Field text -> extended value. Throws EConvertError with the message
// "'<text>' is not a valid floating point value" when the text is not a number.
long double ParseNumberText(const QString &text);

// Extended value -> text in the general format with 15 significant digits.
QString FormatNumberText(long double value);

// Extended value -> text by a numeric picture ("000.00", "#,##0.0", ...).
// Throws EConvertError("Format string too long") for a picture of 225
// characters or more.
QString FormatPictureText(const QString &picture, long double value);
