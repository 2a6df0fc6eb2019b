#pragma once
// Numbers inside expressions: "PI" and "-PI", or an optional sign, digits with an optional
// decimal separator and fraction (either part may be empty, not both), and an optional
// exponent "E" with an optional sign and at least one digit. The text is already upper case.

#include <optional>
#include <string_view>

namespace ombrelune {

// The double closest to pi, the value of the name "PI".
inline constexpr double expressionPi = 3.141592653589793;

// True when the whole text is a number with the given decimal separator.
bool isExpressionNumber(std::string_view text, char decimalSeparator);
// Its value (rounded to the nearest double; beyond the range of doubles, an infinity or
// zero of the number's sign), or nothing when the text is not a number.
std::optional<double> expressionNumberValue(std::string_view text, char decimalSeparator);

} // namespace ombrelune
