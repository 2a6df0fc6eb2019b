#include "script/expression_number.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ombrelune {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the pieces of a number sit in its text.
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

std::optional<NumberParts> splitNumber(std::string_view t, char separator) {
    NumberParts parts;
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t from) {
        std::size_t end = from;
        while (end < t.size() && isDigit(t[end])) ++end;
        return end;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) parts.negative = t[i++] == '-';
    std::size_t end = digitsFrom(i);
    parts.integerDigits = t.substr(i, end - i);
    i = end;
    if (i < t.size() && t[i] == separator) {
        end = digitsFrom(++i);
        parts.fractionDigits = t.substr(i, end - i);
        i = end;
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) return std::nullopt;
    if (i < t.size() && t[i] == 'E') {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) parts.exponentNegative = t[i++] == '-';
        end = digitsFrom(i);
        if (end == i) return std::nullopt;
        parts.exponentDigits = t.substr(i, end - i);
        i = end;
    }
    if (i != t.size()) return std::nullopt;
    return parts;
}

bool isPi(std::string_view t) {
    return t == "PI" || t == "-PI";
}

// Beyond the range of long double: decide between an infinity and a zero from the decimal
// magnitude of the number (digits before the point, leading zeros after it, the exponent).
double outOfRange(const NumberParts& p) {
    long long magnitude = 0;
    const auto firstNonZero = p.integerDigits.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos) {
        magnitude = static_cast<long long>(p.integerDigits.size() - firstNonZero);
    } else {
        const auto lead = p.fractionDigits.find_first_not_of('0');
        if (lead == std::string_view::npos) return p.negative ? -0.0 : 0.0;
        magnitude = -static_cast<long long>(lead);
    }
    // Exponents beyond a few billion saturate: the answer is the same.
    long long exponent = 0;
    for (char c : p.exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1'000'000'000LL) break;
    }
    magnitude += p.exponentNegative ? -exponent : exponent;
    const double v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return p.negative ? -v : v;
}

} // namespace

bool isExpressionNumber(std::string_view text, char decimalSeparator) {
    return isPi(text) || splitNumber(text, decimalSeparator).has_value();
}

std::optional<double> expressionNumberValue(std::string_view text, char decimalSeparator) {
    if (isPi(text)) return text[0] == '-' ? -expressionPi : expressionPi;
    const auto parts = splitNumber(text, decimalSeparator);
    if (!parts) return std::nullopt;
    // from_chars wants "-", digits, ".", digits, "e", sign, digits.
    std::string plain;
    plain.reserve(text.size() + 2);
    if (parts->negative) plain += '-';
    plain += parts->integerDigits.empty() ? std::string_view("0") : parts->integerDigits;
    if (!parts->fractionDigits.empty()) (plain += '.') += parts->fractionDigits;
    if (!parts->exponentDigits.empty())
        ((plain += 'e') += parts->exponentNegative ? '-' : '+') += parts->exponentDigits;
    const char* first = plain.data();
    const char* last = first + plain.size();
    double value = 0;
    if (std::from_chars(first, last, value).ec == std::errc()) return value;
    long double wide = 0;
    if (std::from_chars(first, last, wide).ec == std::errc()) return static_cast<double>(wide);
    return outOfRange(*parts);
}

} // namespace ombrelune
