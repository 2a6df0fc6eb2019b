#pragma once
// The two number forms the numeric kernels write themselves (iteration reports, axis
// labels). Locale-independent: the decimal separator is always given.

#include <string>

namespace ombrelune {

// Fixed notation with exactly `decimals` digits after the separator (0..17 are meaningful);
// "INF", "-INF" and "NAN" for the values that have no digits.
std::string fixedText(double v, int decimals, char decimalSeparator);

// Two significant digits in exponent form: one digit, the separator, one digit, "E", the
// sign and the exponent without leading zeros, as in 1.0E+4 or 2.5E-5.
std::string scientificTwoDigits(double v, char decimalSeparator);

// The value rounded to two significant digits and written with `decimals` digits after
// the separator; in the exponent form above when the rounded value has more than two
// integer digits.
std::string twoSignificantFixed(double v, int decimals, char decimalSeparator);

// Number of digits before the separator in a text made by fixedText (sign excluded).
int integerDigits(const std::string& fixed, char decimalSeparator);

} // namespace ombrelune
