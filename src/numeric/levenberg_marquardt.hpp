#pragma once
// Least-squares minimisation of the sum of squared residuals by Levenberg and Marquardt's
// damped Gauss-Newton steps.
//
// Each iteration computes the Jacobian J at the current point (by central differences,
// 2n evaluations, unless the caller has better) and tries steps d solving (J'J + lambda D^2) d =
// -J'r, where D holds the largest column lengths of J seen so far (so the method does not depend on
// the units of the parameters). A step that lowers the sum is taken and lambda shrinks by how well
// the linear model predicted the decrease; a step that does not is refused, lambda grows and the
// same Jacobian serves the next try, so a refusal costs one residual evaluation.
//
// It stops when a step, taken or refused for being too long, changes every parameter by
// less than `tolerance` relative to its value (the tolerance itself for a parameter at 0:
// the test of ParametersConverged), when the sum is 0, when no damping gives a decrease,
// or after `limit` iterations (none for a limit <= 0).

#include "numeric/iteration_report.hpp"
#include "numeric/jacobian.hpp"

namespace ombrelune {

struct LeastSquaresResult {
    int iterations = 0;      // Jacobians computed
    double sumOfSquares = 0; // at the returned parameters
};

// `params` holds the start point on entry and receives the result only on normal return;
// an exception from `residuals` or `jacobian` leaves it as it was. The report (title
// "Marquardt") gets one line per iteration: its number, the sum of squares and the damping.
LeastSquaresResult levenbergMarquardt(const TResidualFunction& residuals,
                                      const TJacobianFunction& jacobian, std::size_t residualCount,
                                      std::span<double> params, int limit, double tolerance,
                                      IterationReport* report = nullptr);

// The same with the central-difference Jacobian of the residuals.
LeastSquaresResult levenbergMarquardt(const TResidualFunction& residuals, std::size_t residualCount,
                                      std::span<double> params, int limit, double tolerance,
                                      IterationReport* report = nullptr);

} // namespace ombrelune
