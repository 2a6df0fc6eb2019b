#include "numeric/least_squares_covariance.hpp"
#include "numeric/levenberg_marquardt.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace ombrelune {
namespace {

// f_i(p) = model(p, x_i) over x = 0.5, 1, ..., 4.
struct Curve {
    std::function<double(std::span<const double>, double)> model;
    std::function<std::vector<double>(std::span<const double>, double)> derivatives;
};

TEST(CentralDifferenceJacobian, AgreesWithTheDerivatives) {
    const Curve curves[] = {
        {[](auto p, double x) { return p[0] * std::exp(-p[1] * x); },
         [](auto p, double x) {
             return std::vector<double>{std::exp(-p[1] * x), -x * p[0] * std::exp(-p[1] * x)};
         }},
        {[](auto p, double x) { return 1 / (1 + p[0] * x * x) + p[1]; },
         [](auto p, double x) {
             const double d = 1 + p[0] * x * x;
             return std::vector<double>{-x * x / (d * d), 1};
         }},
    };
    // Steps relative to each parameter: a small coefficient gets a small step.
    const std::vector<std::vector<double>> points = {{3, 0.7}, {2e-5, 0.03}, {-1e4, 5}};
    for (const Curve& c : curves)
        for (const auto& p : points) {
            Jacobian J;
            J.setSize(8, 0);
            centralDifferenceJacobian(
                [&](std::span<const double> q, std::span<double> r) {
                    for (int i = 0; i < 8; ++i) r[i] = c.model(q, 0.5 * (i + 1));
                },
                p, J);
            ASSERT_EQ(J.cols(), 2);
            // Rounding in f limits the difference to about eps^(2/3) |f| / |p|.
            for (int i = 0; i < 8; ++i) {
                const double x = 0.5 * (i + 1);
                const auto d = c.derivatives(p, x);
                for (int j = 0; j < 2; ++j)
                    EXPECT_NEAR(J.column(j)[i], d[j],
                                1e-8 * (std::fabs(d[j]) + std::fabs(c.model(p, x) / p[j])))
                        << p[0] << " " << p[1] << " row " << i << " column " << j;
            }
        }
}

TEST(LevenbergMarquardt, ConvergesOnRosenbrockAndExactData) {
    // Rosenbrock's valley as residuals: 10 (y - x^2) and 1 - x.
    const TResidualFunction rosenbrock = [](std::span<const double> p, std::span<double> r) {
        r[0] = 10 * (p[1] - p[0] * p[0]);
        r[1] = 1 - p[0];
    };
    double p[2] = {-1.2, 1};
    IterationReport report;
    const LeastSquaresResult result = levenbergMarquardt(rosenbrock, 2, p, 200, 1e-12, &report);
    EXPECT_NEAR(p[0], 1, 1e-9);
    EXPECT_NEAR(p[1], 1, 1e-9);
    EXPECT_LT(result.sumOfSquares, 1e-20);
    EXPECT_GT(result.iterations, 2);
    ASSERT_EQ(report.lines.size(), std::size_t(result.iterations) + 2);
    EXPECT_EQ(report.lines[0], "Marquardt");
    EXPECT_EQ(report.lines[1], "Iteration Fun                Lambda");
    EXPECT_EQ(report.lines[2].substr(0, 10), "0001      ");

    // A model linear in its parameters is solved by the first Gauss-Newton steps.
    const TResidualFunction line = [](std::span<const double> q, std::span<double> r) {
        for (int i = 0; i < 6; ++i) r[i] = q[0] + q[1] * i - (2 + 0.5 * i + (i % 2 ? 0.1 : -0.1));
    };
    double q[2] = {100, -3};
    const LeastSquaresResult fit = levenbergMarquardt(line, 6, q, 50, 1e-10);
    // Alternating errors of 0.1: slope 0.5 + 0.3 / 17.5, through the means (2.5, 3.25).
    EXPECT_NEAR(q[1], 0.5 + 0.3 / 17.5, 1e-9);
    EXPECT_NEAR(q[0], 3.25 - 2.5 * q[1], 1e-9);
    EXPECT_LE(fit.iterations, 6);
}

TEST(LevenbergMarquardt, LimitsAndFailures) {
    int calls = 0;
    const TResidualFunction f = [&](std::span<const double> p, std::span<double> r) {
        ++calls;
        r[0] = p[0] - 3;
        r[1] = p[0] + 1;
    };
    // No iteration for a limit <= 0: the start and its sum come back.
    double p[1] = {7};
    const LeastSquaresResult none = levenbergMarquardt(f, 2, p, 0, 1e-8);
    EXPECT_EQ(none.iterations, 0);
    EXPECT_EQ(p[0], 7);
    EXPECT_EQ(none.sumOfSquares, 16 + 64);
    EXPECT_EQ(calls, 1);

    // A zero sum cannot be lowered: nothing is tried.
    const TResidualFunction exact = [](std::span<const double> q, std::span<double> r) {
        r[0] = q[0] - 2;
    };
    double e[1] = {2};
    EXPECT_EQ(levenbergMarquardt(exact, 1, e, 10, 1e-8).iterations, 0);

    // An exception from the residuals leaves the parameters as they were.
    const TResidualFunction failing = [&](std::span<const double> q, std::span<double> r) {
        if (q[0] < 6.9) throw std::runtime_error("model failed");
        r[0] = q[0];
        r[1] = 1;
    };
    double x[1] = {7};
    EXPECT_THROW(levenbergMarquardt(failing, 2, x, 10, 1e-8), std::runtime_error);
    EXPECT_EQ(x[0], 7);
}

// (J'J)^-1 by Gauss-Jordan elimination in extended precision, for n <= 3.
std::array<std::array<long double, 3>, 3> extendedInverseNormalMatrix(const Jacobian& J) {
    const int n = J.cols();
    long double m[3][6] = {};
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b < n; ++b)
            for (std::size_t i = 0; i < J.rows(); ++i)
                m[a][b] += static_cast<long double>(J.column(a)[i]) * J.column(b)[i];
        m[a][n + a] = 1;
    }
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
        std::swap(m[c], m[pivot]);
        for (int r = 0; r < n; ++r) {
            if (r == c) continue;
            const long double f = m[r][c] / m[c][c];
            for (int k = 0; k < 2 * n; ++k) m[r][k] -= f * m[c][k];
        }
    }
    std::array<std::array<long double, 3>, 3> inverse{};
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) inverse[a][b] = m[a][n + b] / m[a][a];
    return inverse;
}

TEST(InverseNormalMatrix, ExactDependentAndZeroColumns) {
    // J = [1 0; 1 1; 1 2]: J'J = [3 3; 3 5], inverse [5 -3; -3 3] / 6.
    Jacobian J;
    J.setSize(3, 2);
    const double values[6] = {1, 1, 1, 0, 1, 2};
    std::copy(values, values + 6, J.data());
    TMtx C;
    ASSERT_TRUE(inverseNormalMatrix(J, C));
    EXPECT_NEAR(C(0, 0), 5.0 / 6, 1e-15);
    EXPECT_NEAR(C(0, 1), -0.5, 1e-15);
    EXPECT_NEAR(C(1, 0), -0.5, 1e-15);
    EXPECT_NEAR(C(1, 1), 0.5, 1e-15);

    // Columns 1, x, x^2 over x = 1000 .. 1019: J'J is so ill-conditioned that forming and
    // inverting it in double keeps fewer than seven digits; through QR ten remain. The
    // reference inverts J'J in extended precision.
    Jacobian P;
    P.setSize(20, 3);
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 3; ++j) P.column(j)[i] = std::pow(1000.0 + i, j);
    ASSERT_TRUE(inverseNormalMatrix(P, C));
    const auto reference = extendedInverseNormalMatrix(P);
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            EXPECT_NEAR(C(a, b), static_cast<double>(reference[a][b]),
                        1e-8 * std::fabs(static_cast<double>(reference[a][b])))
                << a << " " << b;

    // A zero column: its row and column are NaN, the others are computed without it.
    Jacobian Z;
    Z.setSize(3, 3);
    const double withZero[9] = {1, 1, 1, 0, 0, 0, 0, 1, 2};
    std::copy(withZero, withZero + 9, Z.data());
    ASSERT_TRUE(inverseNormalMatrix(Z, C));
    EXPECT_NEAR(C(0, 0), 5.0 / 6, 1e-15);
    EXPECT_NEAR(C(2, 2), 0.5, 1e-15);
    EXPECT_TRUE(std::isnan(C(1, 1)));
    EXPECT_TRUE(std::isnan(C(0, 1)));

    // Dependent columns, or fewer rows than columns: nothing is determined.
    Jacobian D;
    D.setSize(3, 2);
    const double dependent[6] = {1, 2, 3, 2, 4, 6};
    std::copy(dependent, dependent + 6, D.data());
    EXPECT_FALSE(inverseNormalMatrix(D, C));
    EXPECT_TRUE(std::isnan(C(0, 0)));
    Jacobian W;
    W.setSize(1, 2);
    W.column(0)[0] = 1;
    W.column(1)[0] = 2;
    EXPECT_FALSE(inverseNormalMatrix(W, C));
}

} // namespace
} // namespace ombrelune
