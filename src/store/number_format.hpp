#pragma once
// Numbers in files, in the journal and on screen. Locale-independent: the decimal
// separator is always given explicitly ('.' for the script language and fixed headers,
// the user's separator for text files and the journal).

#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

// General format: rounded to 15 significant digits, no trailing zeros, no separator for
// whole numbers; fixed notation when 0.0001 <= |v| < 1E15, else mantissa "E" exponent
// (1E-5, 2.5E-7, 1.5E20). 0 is "0"; infinities and NaN are "INF", "-INF", "NAN".
std::string formatGeneral(double v, char decimalSeparator = '.');
// General format with `precision` significant digits: fixed notation without trailing
// zeros when the rounded value has at most `precision` integer digits and |v| >= 0.00001,
// else mantissa "E", sign and an exponent of at least `exponentDigits` digits. With one
// digit and three exponent digits 1234 is "1E+003" and 0.5 is "0.5".
std::string formatGeneralDigits(double v, int precision, int exponentDigits,
                                char decimalSeparator = '.');
// Fixed notation with exactly `decimals` digits after the separator.
std::string formatFixed(double v, int decimals, char decimalSeparator = '.');
// Scientific notation with `decimals` mantissa digits after the separator and an exponent
// of at least `exponentDigits` digits with its sign ("1.0E+4", "2.5E-05").
std::string formatScientific(double v, int decimals, int exponentDigits,
                             char decimalSeparator = '.');
// x rounded to `digits` significant digits (to_chars rounding, ties to even on the
// decimal digits); 0, infinities and NaN unchanged.
double roundToSignificant(double x, int digits);

// Parses a whole text as a decimal number with the given separator: optional blanks
// around, optional sign, digits with an optional fraction, optional exponent; also
// "INF", "-INF", "NAN" (any case). Returns nothing when the text is not a number.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator = '.');
// As parseNumber, raising EConvertError with the text when it is not a number.
double strToFloat(std::string_view text, char decimalSeparator = '.');

// The decimal separator of the user's LC_NUMERIC (read once by the program at start-up).
char localeDecimalSeparator();

} // namespace ombrelune
