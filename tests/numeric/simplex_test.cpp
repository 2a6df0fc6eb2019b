#include "numeric/simplex.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace ombrelune {
namespace {

// A cost that records every point it is asked about.
struct RecordingCost {
    explicit RecordingCost(std::function<double(std::span<const double>)> f) : f(std::move(f)) {}
    std::function<double(std::span<const double>)> f;
    std::vector<std::vector<double>> calls;
    TCostFunction function() {
        return [this](std::span<const double> p, CostConstants, CostObjects) {
            calls.emplace_back(p.begin(), p.end());
            return f(p);
        };
    }
};

double bowl(std::span<const double> p) {
    return (p[0] - 3) * (p[0] - 3) + 10 * (p[1] + 1) * (p[1] + 1);
}

TEST(Simplex, CostIndependentOfTheParametersStopsAfterOneIteration) {
    RecordingCost cost([](std::span<const double>) { return 42.0; });
    std::vector<double> params(5, 1.0);
    double minimum = 0;
    const int counter = Simplex(cost.function(), params, {}, {}, minimum, 100, 1e-8);
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(minimum, 42);
    const std::vector<double> expected{0.975, 1.015, 1.015, 1.015, 1.015};
    for (std::size_t i = 0; i < params.size(); ++i) EXPECT_DOUBLE_EQ(params[i], expected[i]) << i;
    EXPECT_EQ(cost.calls.size(), 6u + 2u); // the vertices, the reflection, the contraction
}

TEST(Simplex, StartVerticesPerturbOneCoordinateEach) {
    RecordingCost cost(bowl);
    std::vector<double> params{0.0, 2.0};
    double minimum = 0;
    Simplex(cost.function(), params, {}, {}, minimum, 1, 1e-8);
    ASSERT_GE(cost.calls.size(), 3u);
    EXPECT_EQ(cost.calls[0], (std::vector<double>{0.0025, 2.0})); // a zero start becomes 0.0025
    EXPECT_EQ(cost.calls[1], (std::vector<double>{0.0, 2.0 * 1.05}));
    EXPECT_EQ(cost.calls[2], (std::vector<double>{0.0, 2.0}));
}

TEST(Simplex, IterationLimitAndTolerance) {
    struct Case {
        int limit;
        double tolerance;
        int counter;
    };
    const Case cases[] = {
        {0, 1e-8, 2},  // a limit of 0 still runs one iteration
        {-5, 1e-8, 2}, // so does a negative one
        {40, 0, 41},   // a tolerance of 0 runs to the limit
        {40, -1, 41},
    };
    for (const Case& c : cases) {
        IterationReport report;
        std::vector<double> params{1, 1};
        double minimum = 0;
        const int counter =
            Simplex([](std::span<const double> p, CostConstants, CostObjects) { return bowl(p); },
                    params, {}, {}, minimum, c.limit, c.tolerance, &report);
        EXPECT_EQ(counter, c.counter) << c.limit << " " << c.tolerance;
        EXPECT_EQ(report.lines.size(), static_cast<std::size_t>(2 + c.counter - 1));
    }
}

TEST(Simplex, ResultIsTheBestVertexOfTheLastRanking) {
    // One iteration from (1, 1) towards (10, 10): the two perturbed vertices tie for best, the
    // earlier one wins the tie, and the expansion the step finds is not the result.
    const auto f = [](std::span<const double> p, CostConstants, CostObjects) {
        return (p[0] - 10) * (p[0] - 10) + (p[1] - 10) * (p[1] - 10);
    };
    std::vector<double> params{1, 1};
    double minimum = 0;
    EXPECT_EQ(Simplex(f, params, {}, {}, minimum, 0, 1e-8), 2);
    EXPECT_EQ(params, (std::vector<double>{1.05, 1.0}));
    EXPECT_EQ(minimum, 8.95 * 8.95 + 81);
}

TEST(Simplex, FindsTheMinimumOfABowlAndMovesUnusedParameters) {
    RecordingCost cost(bowl);
    std::vector<double> params{0.5, 0.5, 7.0}; // the third parameter is not in the cost
    double minimum = -1;
    const int counter = Simplex(cost.function(), params, {}, {}, minimum, 2000, 1e-10);
    EXPECT_LT(counter, 2000);
    EXPECT_NEAR(params[0], 3, 1e-8);
    EXPECT_NEAR(params[1], -1, 1e-8);
    EXPECT_NE(params[2], 7.0);
    EXPECT_EQ(minimum, bowl(params));
}

TEST(Simplex, ReportLinesAndConstantsPassedThrough) {
    IterationReport report;
    report.decimalSeparator = ',';
    std::vector<double> params{1, 1};
    const double constants[] = {3, -1};
    const std::any objects[] = {std::string("caller")};
    double minimum = 0;
    std::size_t objectCount = 0;
    Simplex(
        [&](std::span<const double> p, CostConstants k, CostObjects o) {
            objectCount = o.size();
            return (p[0] - k[0]) * (p[0] - k[0]) + (p[1] - k[1]) * (p[1] - k[1]);
        },
        params, constants, objects, minimum, 3, 1e-4, &report);
    EXPECT_EQ(objectCount, 1u);
    ASSERT_EQ(report.lines.size(), 5u);
    EXPECT_EQ(report.lines[0], "Simplex");
    EXPECT_EQ(report.lines[1], "Iteration Fun");
    // Best start vertex (1.05, 1): 1.95^2 + 2^2 = 7.8025, two significant digits, 4 decimals.
    EXPECT_EQ(report.lines[2], "0001      7,8000");
    EXPECT_EQ(report.lines[4].substr(0, 10), "0003      ");
}

TEST(Simplex, ExceptionFromTheCostLeavesTheParameters) {
    int calls = 0;
    std::vector<double> params{1, 2};
    double minimum = 123;
    EXPECT_THROW(Simplex(
                     [&](std::span<const double> p, CostConstants, CostObjects) {
                         if (++calls == 6) throw std::runtime_error("model failed");
                         return bowl(p);
                     },
                     params, {}, {}, minimum, 100, 1e-8),
                 std::runtime_error);
    EXPECT_EQ(params, (std::vector<double>{1, 2}));
    EXPECT_EQ(minimum, 123);
}

} // namespace
} // namespace ombrelune
