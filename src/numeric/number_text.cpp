#include "numeric/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ombrelune {

static std::string nonFiniteText(double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

static void replaceSeparator(std::string& text, char decimalSeparator) {
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
}

std::string fixedText(double v, int decimals, char decimalSeparator) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 17));
    std::string text(buffer, result.ptr);
    replaceSeparator(text, decimalSeparator);
    return text;
}

// "d.de+XX" from the shortest correctly rounded two-digit scientific form.
static std::string twoDigitMantissa(double v, int& exponent) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 1);
    std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    return text.substr(0, e);
}

std::string scientificTwoDigits(double v, char decimalSeparator) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    int exponent = 0;
    std::string text = twoDigitMantissa(v, exponent);
    replaceSeparator(text, decimalSeparator);
    text += exponent < 0 ? "E-" : "E+";
    text += std::to_string(exponent < 0 ? -exponent : exponent);
    return text;
}

std::string twoSignificantFixed(double v, int decimals, char decimalSeparator) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    if (v == 0) return fixedText(0.0, decimals, decimalSeparator);
    int exponent = 0;
    const std::string mantissa = twoDigitMantissa(v, exponent);
    if (exponent >= 2) return scientificTwoDigits(v, decimalSeparator);
    const std::string rounded = mantissa + "e" + std::to_string(exponent);
    double r = 0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), r);
    return fixedText(r, decimals, decimalSeparator);
}

int integerDigits(const std::string& fixed, char decimalSeparator) {
    const std::size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
    const std::size_t end = std::min(fixed.find(decimalSeparator), fixed.size());
    return static_cast<int>(end - start);
}

} // namespace ombrelune
