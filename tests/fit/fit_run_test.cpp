#include "errors/errors.hpp"
#include "numeric/fit/fit_run.hpp"

#include "nist_strd.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

// A straight line with a deterministic scatter: y = 40 + 3 x + 2 sin(7 x), x = 0 .. 19.
FitData lineData(FitWeighting weighting) {
    std::vector<double> x, y;
    for (int i = 0; i < 20; ++i) {
        x.push_back(i);
        y.push_back(40 + 3 * i + 2 * std::sin(7.0 * i));
    }
    return fitDataOf(testing::curveAt("L", x, y), 1, weighting);
}

// Weighted linear regression in closed form: the intercept and slope and their standard
// errors with the residual variance s^2 = S / (n - 2).
struct Line {
    double a, b, errA, errB, sum;
};
Line regression(const FitData& d) {
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    const auto w = [&](std::size_t i) {
        return d.rootWeights.empty() ? 1.0 : d.rootWeights[i] * d.rootWeights[i];
    };
    for (std::size_t i = 0; i < d.pointCount(); ++i) {
        sw += w(i);
        sx += w(i) * d.x[i];
        sy += w(i) * d.values[i];
        sxx += w(i) * d.x[i] * d.x[i];
        sxy += w(i) * d.x[i] * d.values[i];
    }
    const double delta = sw * sxx - sx * sx;
    Line l{(sxx * sy - sx * sxy) / delta, (sw * sxy - sx * sy) / delta, 0, 0, 0};
    for (std::size_t i = 0; i < d.pointCount(); ++i) {
        const double r = d.values[i] - l.a - l.b * d.x[i];
        l.sum += w(i) * r * r;
    }
    const double s2 = l.sum / double(d.pointCount() - 2);
    l.errA = std::sqrt(s2 * sxx / delta);
    l.errB = std::sqrt(s2 * sw / delta);
    return l;
}

FitRequest lineRequest(const char* model, FitMethod method) {
    FitRequest request;
    request.model = model;
    request.start = {10, 1, 7, 1, -2};
    request.free = {true, true, false, true, false};
    request.method = method;
    request.iterationLimit = 20000;
    request.tolerance = 1e-12;
    return request;
}

TEST(RunFit, LineAndErrorsMatchTheClosedForm) {
    for (const FitWeighting weighting : {FitWeighting::None, FitWeighting::Poisson})
        for (const FitMethod method : {FitMethod::Marquardt, FitMethod::BFGS, FitMethod::Simplex}) {
            const FitData data = lineData(weighting);
            const Line expected = regression(data);
            const int m = static_cast<int>(method);
            // C, D and E are not in the model: they stay as they are and count for nothing.
            const FitOutcome out = runFit(data, lineRequest("A+B*X", method));
            EXPECT_NEAR(out.params[0], expected.a, 1e-7 * expected.a) << m;
            EXPECT_NEAR(out.params[1], expected.b, 1e-7 * expected.b) << m;
            EXPECT_EQ(out.params[2], 7);
            EXPECT_EQ(out.params[4], -2);
            EXPECT_NEAR(out.sumOfSquares, expected.sum, 1e-9 * expected.sum) << m;
            EXPECT_NEAR(out.errors[0], expected.errA, 1e-6 * expected.errA) << m;
            EXPECT_NEAR(out.errors[1], expected.errB, 1e-6 * expected.errB) << m;
            EXPECT_EQ(out.errors[2], 0);
            EXPECT_EQ(out.errors[3], 0);
            EXPECT_EQ(out.parameterCount, 2);
            EXPECT_EQ(out.degreesOfFreedom(), 18);
            EXPECT_DOUBLE_EQ(out.reducedChiSquare, out.sumOfSquares / 18);
            ASSERT_EQ(out.model.size(), 20u);
            EXPECT_NEAR(out.model[19], out.params[0] + 19 * out.params[1], 1e-9);
        }
}

TEST(RunFit, AParameterThatChangesNothingIsCountedButNotDetermined) {
    const FitData data = lineData(FitWeighting::None);
    const Line expected = regression(data);
    const FitOutcome out = runFit(data, lineRequest("A+B*X+D*0", FitMethod::Marquardt));
    EXPECT_EQ(out.parameterCount, 3);
    EXPECT_TRUE(std::isnan(out.errors[3]));
    EXPECT_EQ(out.params[3], 1);
    // The others keep their errors, with s^2 = S / (n - 3).
    const double factor = std::sqrt(18.0 / 17.0);
    EXPECT_NEAR(out.errors[0], expected.errA * factor, 1e-6 * expected.errA);
    EXPECT_NEAR(out.errors[1], expected.errB * factor, 1e-6 * expected.errB);
}

TEST(RunFit, ReportsProgressAndStopsWhenCancelled) {
    const FitData data = lineData(FitWeighting::None);
    FitRequest request;
    request.model = "A+B*X";
    request.free = {true, true, false, false, false};
    request.iterationLimit = 1000;
    request.tolerance = 0; // never converges: only the limit or a cancel ends it
    FitControl control;
    std::vector<int> numbers;
    control.progress = [&](int iteration, double sum) {
        numbers.push_back(iteration);
        EXPECT_TRUE(std::isfinite(sum));
        if (iteration == 5) control.cancel = true;
    };
    EXPECT_THROW(runFit(data, request, &control), EFitCancelled);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5}));

    control.cancel = false;
    numbers.clear();
    control.progress = [&](int iteration, double) { numbers.push_back(iteration); };
    request.iterationLimit = 40;
    const FitOutcome out = runFit(data, request, &control);
    EXPECT_EQ(out.iterations, 40);
    EXPECT_EQ(numbers.size(), 40u);
}

TEST(RunFit, RefusesAStartWhereTheSumIsNotFinite) {
    const FitData data = lineData(FitWeighting::None);
    FitRequest request;
    request.model = "sqrt(A-X)";
    request.free = {true, false, false, false, false};
    try {
        runFit(data, request);
        ADD_FAILURE() << "nothing raised";
    } catch (const EFitError& e) {
        EXPECT_EQ(std::string(e.what()), "the sum of squares at the start values is NAN");
    }
}

} // namespace
} // namespace ombrelune
