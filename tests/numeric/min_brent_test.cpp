#include "numeric/min_brent.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

struct Parabola {
    double centre;
    int calls = 0;
    TCostFunction function() {
        return [this](std::span<const double> t, CostConstants, CostObjects) {
            ++calls;
            return (t[0] - centre) * (t[0] - centre) + 1;
        };
    }
};

TEST(MinBrent, FindsTheMinimumOfAParabolaWithTheEndsInEitherOrder) {
    struct Case {
        double a, b, centre;
    };
    const Case cases[] = {{0, 1, 0.3}, {1, 0, 0.3}, {-4, 10, 7.25}, {10, -4, 7.25}};
    for (const Case& c : cases) {
        Parabola f{c.centre};
        double x = -99;
        const int iterations = MinBrent(f.function(), {}, c.a, c.b, {}, x, 100, 1e-10);
        EXPECT_NEAR(x, c.centre, 1e-7) << c.a << " " << c.b;
        EXPECT_GT(iterations, 0);
        EXPECT_LT(iterations, 100);
        EXPECT_EQ(f.calls, iterations + 1);
    }
    // Reversed ends take exactly the same steps.
    Parabola forward{0.3}, backward{0.3};
    double x1 = 0, x2 = 0;
    const int n1 = MinBrent(forward.function(), {}, 0, 1, {}, x1, 100, 1e-10);
    const int n2 = MinBrent(backward.function(), {}, 1, 0, {}, x2, 100, 1e-10);
    EXPECT_EQ(n1, n2);
    EXPECT_EQ(x1, x2);
}

TEST(MinBrent, LimitsAndReport) {
    Parabola f{0.3};
    double x = -99;
    IterationReport report;
    EXPECT_EQ(MinBrent(f.function(), {}, 0, 1, {}, x, 0, 1e-8, &report), 0);
    EXPECT_EQ(MinBrent(f.function(), {}, 0, 1, {}, x, -3, 1e-8, &report), 0);
    EXPECT_EQ(x, -99);
    EXPECT_EQ(f.calls, 0);

    EXPECT_EQ(MinBrent(f.function(), {}, 0, 1, {}, x, 3, 1e-10, &report), 3);
    ASSERT_EQ(report.lines.size(), 5u);
    EXPECT_EQ(report.lines[0], "MinBrent");
    EXPECT_EQ(report.lines[1], "Iteration x");
    // The first line shows the first golden-section point, 0.382, with 10 decimals.
    EXPECT_EQ(report.lines[2], "0001      0.3800000000");

    // An empty interval ends at the first test; the title and header are still written.
    IterationReport empty;
    EXPECT_EQ(MinBrent(f.function(), {}, 2, 2, {}, x, 10, 1e-8, &empty), 0);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(empty.lines, (std::vector<std::string>{"MinBrent", "Iteration x"}));
}

} // namespace
} // namespace ombrelune
