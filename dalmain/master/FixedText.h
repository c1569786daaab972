#pragma once

#include <QString>

#include <string>
#include <string_view>

// printf-style fixed-point text ("%+6.1lf" and friends) that does not depend on the process
// locale: the program and its files always write a decimal point, whatever LC_NUMERIC says.
// Rounding is that of printf in the C locale, so a small negative value keeps its sign
// ("-0.0"), as the stored texts have always shown it.
namespace dalmain {

// value with decimals digits after the point, a '+' before non-negative values when plusSign
// is set, right-aligned in width characters (never cut).
std::string fixedText(double value, int decimals, int width = 0, bool plusSign = false);

// fixedText as a table cell: the text, or overflow when it is longer than maxLength
// characters (a cell never shows a cut number).
QString fixedCell(double value, int decimals, int width, bool plusSign, int maxLength, const QString &overflow);

// The number a fixed-point text stands for: leading blanks and a sign allowed, as the C
// library reads it; 0 when the text holds no number.
double readFixedText(std::string_view text);

}  // namespace dalmain
