#pragma once
// Gradient and curvature of any cost by central differences, for callers that have no
// analytic derivatives (the fitting core offers BFGS and Marquardt with these). The step
// of parameter i is scaled to it: h * max(|x_i|, 1).

#include "numeric/cost_function.hpp"

namespace ombrelune {

// A TCostGradient: gradient[i] = (f(x + h_i e_i) - f(x - h_i e_i)) / (2 h_i), with
// h = cbrt(machine epsilon). Makes 2n cost calls.
void finiteDifferenceGradient(const TCostFunction& cost, std::span<const double> params,
                              CostConstants constants, CostObjects objects, TVec& gradient);

// A TCostCurvature: the central-difference gradient and the symmetric matrix of second
// differences, both with h = machine epsilon^(1/4). Makes 2n^2 + 1 cost calls.
void finiteDifferenceCurvature(const TCostFunction& cost, std::span<const double> params,
                               CostConstants constants, CostObjects objects, TVec& gradient,
                               TMtx& curvature);

} // namespace ombrelune
