#pragma once
// Quasi-Newton minimisation (Broyden-Fletcher-Goldfarb-Shanno update of the inverse
// curvature) with a MinBrent line search along each direction.

#include "numeric/cost_function.hpp"
#include "numeric/iteration_report.hpp"

namespace ombrelune {

// `params` holds the start point on entry and receives the result only on normal return;
// `minimum` receives its cost. `inverseCurvature` is overwritten and holds the n x n
// estimate of the inverse curvature on return. The loop ends when the parameters move less
// than `tolerance` (relatively), when the update has a zero denominator, or when the
// counter passes `limit`. Returns the counter. The cost and gradient see the caller's
// objects with the four line-search entries appended.
int BFGS(const TCostFunction& cost, const TCostGradient& gradient, std::span<double> params,
         CostConstants constants, CostObjects objects, double& minimum, TMtx& inverseCurvature,
         int limit, double tolerance, IterationReport* report = nullptr);

} // namespace ombrelune
