#include "errors/errors.hpp"
#include "store/number_format.hpp"
#include "store/text_encoding.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ombrelune {
namespace {

TEST(NumberFormat, GeneralFormat) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        char sep;
        const char* text;
    } cases[] = {
        {0, '.', "0"},           {2.5, '.', "2.5"},         {2.5, ',', "2,5"},
        {-3, '.', "-3"},         {100, ',', "100"},          {0.1, '.', "0.1"},
        {1.0 / 3, '.', "0.333333333333333"},                 {0.0001, '.', "0.0001"},
        {0.00001, '.', "1E-5"},  {2.5e-7, '.', "2.5E-7"},    {1.5e20, '.', "1.5E20"},
        {1e15, '.', "1E15"},     {999999999999999, '.', "999999999999999"},
        {123456.7, '.', "123456.7"},                         {-0.000123, ',', "-0,000123"},
        {inf, '.', "INF"},       {-inf, '.', "-INF"},        {std::nan(""), '.', "NAN"},
        {0.1 + 0.2, '.', "0.3"}, {9.9999999999999999e14, '.', "1E15"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatGeneral(c.v, c.sep), c.text) << c.text;
}

TEST(NumberFormat, FixedAndScientificForms) {
    EXPECT_EQ(formatFixed(3.14159, 2, ','), "3,14");
    EXPECT_EQ(formatScientific(10000, 1, 1), "1.0E+4");
    EXPECT_EQ(formatScientific(2.5e-5, 1, 1, ','), "2,5E-5");
    EXPECT_EQ(formatScientific(2.5e-5, 2, 2), "2.50E-05");
}

TEST(NumberFormat, GeneralFormWithFewDigits) {
    struct Case {
        double v;
        int precision;
        char sep;
        const char* text;
    };
    const Case cases[] = {
        {1234, 1, '.', "1E+003"},     {0.5, 1, '.', "0.5"},        {5, 1, '.', "5"},
        {9.6, 1, '.', "1E+001"},      {-1234, 1, '.', "-1E+003"},  {0.75, 1, ',', "0,8"},
        {0.00001, 1, '.', "0.00001"}, {0.000001, 1, '.', "1E-006"}, {0, 1, '.', "0"},
        {123.4, 3, '.', "123"},       {1234.5, 3, '.', "1.23E+003"}, {2.5e20, 2, ',', "2,5E+020"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatGeneralDigits(c.v, c.precision, 3, c.sep), c.text) << c.text;
}

TEST(NumberFormat, ParsingFollowsTheGivenSeparatorOnly) {
    struct Case {
        const char* text;
        char sep;
        bool ok;
        double v;
    } cases[] = {
        {"12", '.', true, 12},         {" 0,5 ", ',', true, 0.5},    {"0.5", ',', false, 0},
        {"-1.5E3", '.', true, -1500},  {"+2", '.', true, 2},         {".5", '.', true, 0.5},
        {"5.", '.', true, 5},          {"1e-400", '.', true, 0},     {"1e400", '.', true, HUGE_VAL},
        {"", '.', false, 0},           {"abc", '.', false, 0},       {"1.5.2", '.', false, 0},
        {"1E", '.', false, 0},         {"--1", '.', false, 0},       {"inf", '.', true, HUGE_VAL},
        {"1 2", '.', false, 0},
    };
    for (const Case& c : cases) {
        const auto v = parseNumber(c.text, c.sep);
        EXPECT_EQ(v.has_value(), c.ok) << c.text;
        if (v && c.ok) {
            EXPECT_EQ(*v, c.v) << c.text;
        }
    }
    EXPECT_TRUE(std::isnan(*parseNumber("NaN")));
    try {
        strToFloat("12a");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid floating point value");
    }
}

TEST(TextEncoding, Windows1252RoundTripAndReplacement) {
    EXPECT_EQ(toCp1252("réflectivité €"), "r\xE9" "flectivit\xE9 \x80");
    EXPECT_EQ(fromCp1252("r\xE9" "flectivit\xE9 \x80"), "réflectivité €");
    EXPECT_EQ(toCp1252("α"), "?");
    EXPECT_EQ(decodeTextLine("d\xE9j\xE0"), "déjà");
    EXPECT_EQ(decodeTextLine("déjà"), "déjà");
    EXPECT_EQ(utf8Prefix("ééé", 2), "éé");
    EXPECT_EQ(utf8Length("ééé"), 3u);
}

} // namespace
} // namespace ombrelune
