#include "ui/function_meanings.hpp"

#include <map>
#include <string_view>

namespace ombrelune {
namespace {

struct Family {
    std::string_view base;
    std::string_view function; // "sine", "hyperbolic sine"
    std::string_view note;     // what the plain form does at its pole
};

const Family circular[] = {
    {"COSEC", "cosecant (1/sin)", ", 1000000 when |x| <= 1E-9"},
    {"SIN", "sine", ""},
    {"COS", "cosine", ""},
    {"TAN", "tangent", ""},
    {"COT", "cotangent (1/tan)", ", 100000 when |x| <= 1E-9"},
    {"SEC", "secant (1/cos)", ""},
};

const Family hyperbolic[] = {
    {"COSECH", "hyperbolic cosecant (2/(e^x - e^-x))", ""},
    {"SINH", "hyperbolic sine", ""},
    {"COSH", "hyperbolic cosine", ""},
    {"TANH", "hyperbolic tangent", ""},
    {"COTH", "hyperbolic cotangent", ""},
    {"SECH", "hyperbolic secant (2/(e^x + e^-x))", ""},
};

std::string power(std::string_view suffix, std::string_view function) {
    if (suffix.starts_with("SQ")) return "square of the " + std::string(function);
    if (suffix.starts_with("CUBE")) return "cube of the " + std::string(function);
    return std::string(function);
}

// SIN, SINRAD, SINSQ, SINSQRAD, SINCUBE, SINCUBERAD and the same of the other five.
std::string circularMeaning(const std::string& name) {
    for (const Family& f : circular) {
        if (!name.starts_with(f.base)) continue;
        const std::string_view suffix = std::string_view(name).substr(f.base.size());
        if (suffix != "" && suffix != "RAD" && suffix != "SQ" && suffix != "SQRAD" &&
            suffix != "CUBE" && suffix != "CUBERAD")
            continue;
        const bool degrees = suffix.ends_with("RAD");
        return power(suffix, f.function) + " of x, x in " + (degrees ? "degrees" : "radians") +
               (suffix.empty() ? std::string(f.note) : std::string());
    }
    return {};
}

std::string hyperbolicMeaning(const std::string& name) {
    for (const Family& f : hyperbolic) {
        if (!name.starts_with(f.base)) continue;
        const std::string_view suffix = std::string_view(name).substr(f.base.size());
        if (suffix == "" || suffix == "SQ" || suffix == "CUBE")
            return power(suffix, f.function) + " of x";
    }
    return {};
}

const std::map<std::string_view, std::string_view>& otherMeanings() {
    static const std::map<std::string_view, std::string_view> table = {
        {"ASIN", "arcsine of x, in radians from -pi/2 to pi/2; NAN for |x| > 1"},
        {"ACOS", "arccosine of x, in radians from 0 to pi; NAN for |x| > 1"},
        {"ATAN", "arctangent of x, in radians"},
        {"ACOT", "arctangent of 1/x, in radians"},
        {"ASEC", "arccosine of 1/x, in radians"},
        {"ACOSEC", "arcsine of 1/x, in radians"},
        {"DEGATAN", "arctangent of x, in degrees"},
        {"DEGACOT", "arctangent of 1/x, in degrees"},
        {"DEGASEC", "arccosine of 1/x, in degrees"},
        {"DEGACOSEC", "arcsine of 1/x, in degrees"},
        {"DEGASIN", "arcsine of x*pi/180 (x converted from degrees), in radians"},
        {"DEGACOS", "arccosine of x*pi/180 (x converted from degrees), in radians"},
        {"ASINH", "inverse hyperbolic sine of x"},
        {"ACOSH", "inverse hyperbolic cosine of x (x >= 1)"},
        {"ATANH", "inverse hyperbolic tangent of x (|x| < 1)"},
        {"ASECH", "inverse hyperbolic secant of x, ACOSH(1/x)"},
        {"ACOSECH", "inverse hyperbolic cosecant of x, ASINH(1/x)"},
        {"ACOTH", "inverse hyperbolic cotangent of x, ATANH(1/x)"},
        {"EXP", "e to the power x"},
        {"LN", "natural logarithm of x; -200000 for x <= 0"},
        {"LOG", "decimal logarithm of x; -200000 for x <= 0"},
        {"LOG2", "base-2 logarithm of x; -200000 for x <= 0"},
        {"SQRT", "square root of x; NAN for x < 0"},
        {"SQR", "square of x, x*x"},
        {"ABS", "absolute value of x"},
        {"INT", "integer part of x, toward 0"},
        {"TRUNC", "integer part of x, toward 0"},
        {"CEIL", "smallest whole number >= x"},
        {"FLOOR", "largest whole number <= x"},
        {"HEAV", "Heaviside step: 1 for x >= 0, else 0"},
        {"SIGN", "-1, 0 or 1 as x is negative, 0 or positive"},
        {"ZERO", "0 when x = 0, else 1"},
        {"PH", "2*pi*(u - the whole number nearest u) with u = x*pi/2; from -pi to pi"},
        {"RND", "random number from 0 up to the integer part of x (excluded)"},
        {"RANDOM", "random number from 0 up to 1 (excluded); x is not used"},
        {"BLANC", "blancmange function: sum over i < 50 of the distance of 2^i*x to the "
                  "nearest whole number, over 2^i"},
        {"F", "reserved name: always 0"},
        {"G", "reserved name: always 0"},
        {"H", "reserved name: always 0"},
        {"I", "reserved name: always 0"},
        {"J", "reserved name: always 0"},
        {"K", "reserved name: always 0"},
        {"L", "reserved name: always 0"},
        {"DIFF", "reserved name: always 0"},
        {"INTEG", "reserved name: always 0"},
        {"INV", "reserved name: always 0"},
        {"MAX", "the larger of x and y"},
        {"MIN", "the smaller of x and y"},
        {"POWER", "x to the power y (a negative x only with a whole y)"},
        {"INTPOWER", "x to the power of the integer part of y"},
        {"LOGN", "logarithm of y to the base x; 2000 for x <= 0"},
        {"ARG", "angle of the point (x, y) in radians, from -pi/2 to 3*pi/2"},
    };
    return table;
}

} // namespace

std::string functionMeaning(const std::string& name) {
    if (const auto found = otherMeanings().find(name); found != otherMeanings().end())
        return std::string(found->second);
    if (std::string meaning = circularMeaning(name); !meaning.empty()) return meaning;
    return hyperbolicMeaning(name);
}

} // namespace ombrelune
