#pragma once
// Numeric format strings ("0, Ft;(0, Ft)", "0.00", "#,##0") turned into display text.
//
// A format holds up to three sections separated by ";": the first for positive values
// (and zero when there is no third section), the second for negative values, shown
// without a minus sign, the third for zero. An empty or missing negative section means
// the first section with a leading "-".
// Inside a section:
//   "0"  a digit place that is always shown (leading or trailing zeros),
//   "#"  a digit place shown only when there is a significant digit,
//   "."  the decimal point; the digit places after it set the number of decimals,
//   ","  anywhere in the section: group the thousands of the integer part,
//   "..." or '...'  literal text,
//   anything else is copied literally.
// The decimal point and the thousands separator of the result are the locale's.
// Values are rounded half away from zero to the number of decimals shown; a value that
// rounds to zero uses the zero section and never shows a sign.

#include <QLocale>
#include <QString>

namespace displayformat {

QString formatFloat(const QString &format, double value, const QLocale &locale = QLocale());

// The number formatFloat shows for `value`: rounded as the shown text rounds it (half away
// from zero, to the decimals of the section used; 15 significant digits for an empty
// format), 0 when it shows as zero. Infinities and NaN come back unchanged.
double shownValue(const QString &format, double value);

// Reads a number typed the way numbers and amounts are shown: an optional sign, the digits
// with the thousands grouped by spaces (plain, no-break or narrow no-break; every group after
// the first of three digits), the decimal point as the locale's or ".", and the locale's
// currency symbol before or after it ("12 500 Ft", "-1 200,5", "Ft 300"). False for anything
// else, with `value` unchanged.
bool readNumber(const QString &text, double *value, const QLocale &locale = QLocale());

}  // namespace displayformat
