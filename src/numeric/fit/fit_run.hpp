#pragma once
// One fit from start to result: a model fitted to fit data by one of the minimisers, then
// the standard error of each parameter from the covariance at the minimum.
//
// runFit works only on its arguments and on an evaluator of its own, so it may run on any
// thread; FitControl lets another thread follow it and stop it.
//
// Uncertainties: with J the Jacobian of the weighted residuals by the p parameters the
// model uses, at the result, and S the (weighted) sum of squares over n points, the
// covariance is s^2 (J'J)^-1 with s^2 = S / (n - p), the reduced chi-square. Parameters the
// model does not use have the error 0; errors that the data do not determine (n <= p, or
// parameters whose effects cannot be told apart) are NaN.

#include "numeric/fit/fit_data.hpp"
#include "numeric/fit/fit_model.hpp"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ombrelune {

enum class FitMethod { Simplex, BFGS, Marquardt };

struct FitRequest {
    std::string model; // an expression in A..E and X, Y, Z
    FitParameters start{};
    ParameterMask free{}; // the parameters the minimiser moves; the others stay fixed
    FitMethod method = FitMethod::Simplex;
    int iterationLimit = 100;
    double tolerance = 1e-8;
    // X, Y, Z as the caller's evaluator holds them: the coordinates a dimension does not set
    // keep these values in the model.
    std::array<double, 3> coordinates{};
};

struct FitControl {
    // Set from any thread; the fit stops before its next model evaluation.
    std::atomic<bool> cancel{false};
    // Called on the fitting thread at each iteration with its number and the sum of squares
    // (the best so far for the simplex).
    std::function<void(int iteration, double sumOfSquares)> progress;
};

struct FitOutcome {
    FitParameters params{};
    FitParameters errors{};
    ParameterMask used{};
    double sumOfSquares = 0; // at params, weighted when the data are
    std::size_t pointCount = 0;
    int parameterCount = 0;      // p: the parameters the model uses
    double reducedChiSquare = 0; // S / (n - p)
    int iterations = 0;          // iterations the minimiser performed
    std::int64_t modelEvaluations = 0;
    std::vector<double> model;           // the model at params, one value per point
    std::array<double, 3> coordinates{}; // X, Y, Z as the last evaluation left them

    // n - p.
    std::int64_t degreesOfFreedom() const {
        return static_cast<std::int64_t>(pointCount) - parameterCount;
    }
};

// Compiles the model in an evaluator of its own (built-in functions, single-letter
// variables), minimises the sum of squares over the free parameters and computes the
// errors. BFGS and Marquardt take their derivatives by central differences.
// Raises the evaluator's EMathParserError for a model that does not compile or fails at a
// point, ENonFiniteStart when the sum of squares at the start is not finite, EFitCancelled when
// cancelled.
FitOutcome runFit(const FitData& data, const FitRequest& request, FitControl* control = nullptr);

} // namespace ombrelune
