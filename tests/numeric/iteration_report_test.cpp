#include "numeric/iteration_report.hpp"
#include "numeric/number_text.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

TEST(IterationReport, DecimalsFollowTheTolerance) {
    struct Case {
        double tolerance;
        int decimals;
    };
    const Case cases[] = {{1e-8, 8}, {1e-4, 4},   {0.05, 1}, {3e-3, 3},   {1, 0},
                          {100, 2},  {1e-30, 17}, {0, 17},   {-1e-3, 17}, {NAN, 17}};
    for (const Case& c : cases) EXPECT_EQ(reportDecimals(c.tolerance), c.decimals) << c.tolerance;
}

TEST(IterationReport, ValuesHaveTwoSignificantDigits) {
    struct Case {
        double v;
        int decimals;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {0.000123456, 8, '.', "0.00012000"},
        {12.345, 3, '.', "12.000"},
        {-3.96, 2, ',', "-4,00"},
        {99.7, 2, '.', "1.0E+2"}, // rounds to three integer digits
        {123.4, 8, '.', "1.2E+2"},
        {1.797693134862315E308, 8, '.', "1.8E+308"},
        {0.000123456, 2, '.', "0.00"},
        {0, 3, '.', "0.000"},
        {INFINITY, 3, '.', "INF"},
        {NAN, 3, '.', "NAN"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(twoSignificantFixed(c.v, c.decimals, c.separator), c.text) << c.v;
}

TEST(IterationReport, NumbersAndLines) {
    EXPECT_EQ(reportNumber(1), "0001");
    EXPECT_EQ(reportNumber(42), "0042");
    EXPECT_EQ(reportNumber(12345), "12345");
    IterationReport sink;
    ReportWriter writer(&sink, 1e-3, "Marquardt", "Iteration Fun                Lambda");
    writer.line(7, 0.5, 0.001);
    ASSERT_EQ(sink.lines.size(), 3u);
    EXPECT_EQ(sink.lines[2], "0007      0.500  0.001");
    ReportWriter silent(nullptr, 1e-3, "Simplex", "Iteration Fun");
    silent.line(1, 2);
    EXPECT_FALSE(silent.active());
}

} // namespace
} // namespace ombrelune
