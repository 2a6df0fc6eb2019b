#include "store/number_format.hpp"

#include "errors/errors.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace ombrelune {
namespace {

std::string specialName(double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

void applySeparator(std::string& s, char sep) {
    if (sep == '.') return;
    for (char& c : s)
        if (c == '.') c = sep;
}

std::string exponentText(int e, int minDigits, bool plusSign) {
    std::string digits = std::to_string(e < 0 ? -e : e);
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
    if (e < 0) return "-" + digits;
    return plusSign ? "+" + digits : digits;
}

// The significant digits of v rounded to `precision` of them, trailing zeros dropped, and the
// decimal exponent of the first one. v is finite and not 0.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimalDigits(double v, int precision) {
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                   std::chars_format::scientific, precision - 1);
    (void)ec;
    std::string_view text(buf.data(), static_cast<std::size_t>(end - buf.data()));
    DecimalDigits d;
    d.negative = text.front() == '-';
    if (d.negative) text.remove_prefix(1);
    const std::size_t ePos = text.find('e');
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
                    d.exponent);
    for (char c : text.substr(0, ePos))
        if (c != '.') d.digits += c;
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Fixed notation of the digits, without trailing zeros after the point.
std::string fixedFromDigits(const DecimalDigits& d) {
    std::string out = d.negative ? "-" : "";
    if (d.exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const auto intDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= intDigits) {
        out += d.digits;
        out.append(intDigits - d.digits.size(), '0');
    } else {
        out += d.digits.substr(0, intDigits);
        out += '.';
        out += d.digits.substr(intDigits);
    }
    return out;
}

std::string scientificFromDigits(const DecimalDigits& d, int exponentDigits, bool plusSign) {
    std::string out = d.negative ? "-" : "";
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    return out + "E" + exponentText(d.exponent, exponentDigits, plusSign);
}

} // namespace

std::string formatGeneral(double v, char sep) {
    if (!std::isfinite(v)) return specialName(v);
    if (v == 0) return "0";
    const DecimalDigits d = decimalDigits(v, 15);
    std::string out = d.exponent >= -4 && d.exponent < 15 ? fixedFromDigits(d)
                                                          : scientificFromDigits(d, 1, false);
    applySeparator(out, sep);
    return out;
}

std::string formatGeneralDigits(double v, int precision, int exponentDigits, char sep) {
    if (!std::isfinite(v)) return specialName(v);
    if (v == 0) return "0";
    const DecimalDigits d = decimalDigits(v, precision < 1 ? 1 : precision);
    const bool fixed = d.exponent < precision && std::fabs(v) >= 0.00001;
    std::string out = fixed ? fixedFromDigits(d) : scientificFromDigits(d, exponentDigits, true);
    applySeparator(out, sep);
    return out;
}

std::string formatFixed(double v, int decimals, char sep) {
    if (!std::isfinite(v)) return specialName(v);
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                   std::chars_format::fixed, decimals < 0 ? 0 : decimals);
    if (ec != std::errc()) return formatGeneral(v, sep);
    std::string out(buf.data(), end);
    applySeparator(out, sep);
    return out;
}

double roundToSignificant(double x, int digits) {
    if (x == 0 || !std::isfinite(x)) return x;
    std::array<char, 64> buf{};
    const auto written = std::to_chars(buf.data(), buf.data() + buf.size(), x,
                                       std::chars_format::scientific, digits - 1);
    double rounded = x;
    std::from_chars(buf.data(), written.ptr, rounded);
    return rounded;
}

std::string formatScientific(double v, int decimals, int exponentDigits, char sep) {
    if (!std::isfinite(v)) return specialName(v);
    std::array<char, 128> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                   std::chars_format::scientific, decimals < 0 ? 0 : decimals);
    (void)ec;
    std::string text(buf.data(), end);
    const std::size_t ePos = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string out = text.substr(0, ePos) + "E" + exponentText(exponent, exponentDigits, true);
    applySeparator(out, sep);
    return out;
}

std::optional<double> parseNumber(std::string_view text, char sep) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;

    bool negative = false;
    std::string_view body = text;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    auto upperIs = [](std::string_view s, std::string_view word) {
        if (s.size() != word.size()) return false;
        for (std::size_t k = 0; k < s.size(); ++k)
            if ((s[k] & ~0x20) != word[k]) return false;
        return true;
    };
    if (upperIs(body, "INF")) return negative ? -HUGE_VAL : HUGE_VAL;
    if (upperIs(body, "NAN")) return std::nan("");

    // digits [sep digits] [E [sign] digits], with at least one mantissa digit, copied with
    // "." as separator into a buffer for from_chars (no allocation for ordinary lengths).
    char small[96];
    std::string large;
    char* out = small;
    if (body.size() + 2 > sizeof small) {
        large.resize(body.size() + 2);
        out = large.data();
    }
    char* const begin = out;
    if (negative) *out++ = '-';
    std::size_t pos = 0, mantissaDigits = 0;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (pos < body.size() && isDigit(body[pos])) *out++ = body[pos++], ++mantissaDigits;
    if (pos < body.size() && body[pos] == sep) {
        *out++ = '.';
        ++pos;
        while (pos < body.size() && isDigit(body[pos])) *out++ = body[pos++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    bool negativeExponent = false;
    if (pos < body.size() && (body[pos] == 'E' || body[pos] == 'e')) {
        *out++ = 'e';
        ++pos;
        if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
            negativeExponent = body[pos] == '-';
            *out++ = body[pos++];
        }
        std::size_t expDigits = 0;
        while (pos < body.size() && isDigit(body[pos])) *out++ = body[pos++], ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (pos != body.size()) return std::nullopt;

    double value = 0;
    auto [ptr, ec] = std::from_chars(begin, out, value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow: tell them apart.
        if (negativeExponent) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (ec != std::errc() || ptr != out) return std::nullopt;
    return value;
}

double strToFloat(std::string_view text, char sep) {
    if (auto v = parseNumber(text, sep)) return *v;
    throw EConvertError(std::string(text));
}

char localeDecimalSeparator() {
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    const char sep = (radix && radix[0] && !radix[1]) ? radix[0] : '.';
    freelocale(loc);
    return sep;
}

} // namespace ombrelune
