#pragma once
// Damped Newton minimisation (Levenberg-Marquardt damping of the curvature diagonal) with
// a MinBrent line search along each step, and a final undamped Newton step once the
// parameters have converged.

#include "numeric/cost_function.hpp"
#include "numeric/iteration_report.hpp"

namespace ombrelune {

// `params` holds the start point on entry and receives the result only on normal return;
// `minimum` receives the cost of the returned parameters. `inverseCurvature` receives the
// inverse of the last (damped, or undamped for the final step) curvature; when that
// matrix is singular it keeps its message and the step is not taken. `lambda0` is the
// initial damping. Returns the counter. The cost and curvature see the caller's objects with
// the four line-search entries appended.
int Marquardt(const TCostFunction& cost, const TCostCurvature& curvature, std::span<double> params,
              CostConstants constants, CostObjects objects, double& minimum, TMtx& inverseCurvature,
              int limit, double tolerance, double lambda0, IterationReport* report = nullptr);

} // namespace ombrelune
