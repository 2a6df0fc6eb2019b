#include "numeric/bfgs.hpp"
#include "numeric/finite_difference.hpp"
#include "numeric/line_search.hpp"
#include "numeric/marquardt.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace ombrelune {
namespace {

double rosenbrock(std::span<const double> p, CostConstants, CostObjects) {
    const double a = 1 - p[0];
    const double b = p[1] - p[0] * p[0];
    return a * a + 100 * b * b;
}

void rosenbrockGradient(const TCostFunction&, std::span<const double> p, CostConstants, CostObjects,
                        TVec& g) {
    g.SetLength(2);
    g[0] = -2 * (1 - p[0]) - 400 * p[0] * (p[1] - p[0] * p[0]);
    g[1] = 200 * (p[1] - p[0] * p[0]);
}

void rosenbrockCurvature(const TCostFunction& f, std::span<const double> p, CostConstants k,
                         CostObjects o, TVec& g, TMtx& c) {
    rosenbrockGradient(f, p, k, o, g);
    c.SetSize(2, 2);
    c(0, 0) = 2 - 400 * (p[1] - 3 * p[0] * p[0]);
    c(0, 1) = c(1, 0) = -400 * p[0];
    c(1, 1) = 200;
}

TEST(ParametersConverged, RelativeChangeOrAbsoluteAtZero) {
    struct Case {
        std::vector<double> oldP, newP;
        bool converged;
    };
    const Case cases[] = {
        {{100, 2}, {100.0005, 2}, true}, // 5e-6 relative < 1e-5
        {{100, 2}, {100.002, 2}, false}, // 2e-5 relative
        {{0, 1}, {9e-6, 1}, true},       // at 0 the change is compared with the tolerance
        {{0, 1}, {2e-5, 1}, false},      {{1, 2}, {1 + 1e-5, 2}, false}, // strict comparison
        {{1, 2}, {1, NAN}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParametersConverged(c.oldP, c.newP, 1e-5), c.converged)
            << c.oldP[0] << " -> " << c.newP[0];
}

TEST(QuasiNewton, BfgsAndMarquardtSolveRosenbrock) {
    struct Case {
        const char* name;
        bool marquardt;
        bool numeric; // finite-difference derivatives instead of the analytic ones
    };
    const Case cases[] = {{"BFGS", false, false},
                          {"BFGS numeric", false, true},
                          {"Marquardt", true, false},
                          {"Marquardt numeric", true, true}};
    const std::vector<std::vector<double>> starts{{-1.2, 1}, {2, -1}};
    for (const Case& c : cases)
        for (const auto& start : starts) {
            std::vector<double> p = start;
            double minimum = -1;
            TMtx matrix;
            IterationReport report;
            const int counter =
                c.marquardt ? Marquardt(rosenbrock,
                                        c.numeric ? TCostCurvature(finiteDifferenceCurvature)
                                                  : TCostCurvature(rosenbrockCurvature),
                                        p, {}, {}, minimum, matrix, 500, 1e-10, 0.01, &report)
                            : BFGS(rosenbrock,
                                   c.numeric ? TCostGradient(finiteDifferenceGradient)
                                             : TCostGradient(rosenbrockGradient),
                                   p, {}, {}, minimum, matrix, 500, 1e-10, &report);
            EXPECT_NEAR(p[0], 1, 1e-4) << c.name << " from " << start[0];
            EXPECT_NEAR(p[1], 1, 1e-4) << c.name << " from " << start[0];
            EXPECT_LT(counter, 500) << c.name;
            EXPECT_EQ(minimum, rosenbrock(p, {}, {})) << c.name;
            EXPECT_EQ(matrix.Rows(), 2);
            EXPECT_EQ(report.lines[0], c.marquardt ? "Marquardt" : "BFGS");
            EXPECT_EQ(report.lines.size(),
                      static_cast<std::size_t>(2 + counter - (c.marquardt ? 1 : 0)))
                << c.name;
        }
}

TEST(QuasiNewton, CostSeesTheCallerObjectsWithFourLineEntries) {
    const std::any objects[] = {1, 2};
    std::size_t fewest = 99, most = 0;
    const TCostFunction cost = [&](std::span<const double> p, CostConstants, CostObjects o) {
        fewest = std::min(fewest, o.size());
        most = std::max(most, o.size());
        return (p[0] - 1) * (p[0] - 1);
    };
    std::vector<double> p{3};
    double minimum = 0;
    TMtx m;
    BFGS(cost, finiteDifferenceGradient, p, {}, objects, minimum, m, 50, 1e-8);
    EXPECT_EQ(fewest, 6u);
    EXPECT_EQ(most, 6u);
    EXPECT_NEAR(p[0], 1, 1e-6);
}

TEST(QuasiNewton, ParametersUntouchedWhenTheCostThrows) {
    for (bool marquardt : {false, true}) {
        int calls = 0;
        const TCostFunction cost = [&](std::span<const double> p, CostConstants k, CostObjects o) {
            if (++calls == 30) throw std::runtime_error("model failed");
            return rosenbrock(p, k, o);
        };
        std::vector<double> p{-1.2, 1};
        double minimum = 7;
        TMtx m;
        if (marquardt)
            EXPECT_THROW(
                Marquardt(cost, rosenbrockCurvature, p, {}, {}, minimum, m, 500, 1e-10, 0.01),
                std::runtime_error);
        else
            EXPECT_THROW(BFGS(cost, rosenbrockGradient, p, {}, {}, minimum, m, 500, 1e-10),
                         std::runtime_error);
        EXPECT_EQ(p, (std::vector<double>{-1.2, 1}));
        EXPECT_EQ(minimum, 7);
    }
}

TEST(QuasiNewton, MarquardtSurvivesSingularCurvatureAndZeroDamping) {
    // The second parameter is not in the cost: every curvature is singular, so no step can be
    // taken; the parameters count as converged after the first iteration, the final Newton
    // step is refused too, and the routine ends with the start point and its cost.
    const TCostFunction flat = [](std::span<const double> p, CostConstants, CostObjects) {
        return (p[0] - 2) * (p[0] - 2) + 1;
    };
    std::vector<double> p{5, 5};
    double minimum = 0;
    TMtx m;
    const int counter =
        Marquardt(flat, finiteDifferenceCurvature, p, {}, {}, minimum, m, 20, 1e-8, 0.01);
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(p, (std::vector<double>{5, 5}));
    EXPECT_EQ(minimum, 10);
    EXPECT_EQ(m.message(), "LU factorization: U(2,2) = 0 (singular)");

    // No damping at all (lambda 0 cannot grow by tenfold) must still end.
    std::vector<double> q{-1.2, 1};
    const int undamped =
        Marquardt(rosenbrock, rosenbrockCurvature, q, {}, {}, minimum, m, 200, 1e-10, 0);
    EXPECT_LE(undamped, 201);
    EXPECT_EQ(minimum, rosenbrock(q, {}, {}));
}

TEST(QuasiNewton, FiniteDifferencesMatchAnalyticDerivatives) {
    const std::vector<double> points[] = {{-1.2, 1}, {0, 0}, {300, -2e4}};
    for (const auto& p : points) {
        TVec g, exact;
        TMtx c, exactC;
        finiteDifferenceCurvature(rosenbrock, p, {}, {}, g, c);
        rosenbrockCurvature(rosenbrock, p, {}, {}, exact, exactC);
        for (int i = 0; i < 2; ++i) {
            const double scale = std::fmax(1, std::fabs(exact[i]));
            EXPECT_NEAR(g[i], exact[i], 1e-5 * scale) << p[0];
            for (int j = 0; j < 2; ++j)
                EXPECT_NEAR(c(i, j), exactC(i, j), 1e-4 * std::fmax(1, std::fabs(exactC(i, j))));
        }
        finiteDifferenceGradient(rosenbrock, p, {}, {}, g);
        for (int i = 0; i < 2; ++i)
            EXPECT_NEAR(g[i], exact[i], 1e-7 * std::fmax(1, std::fabs(exact[i]))) << p[0];
    }
}

} // namespace
} // namespace ombrelune
