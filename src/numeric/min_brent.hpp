#pragma once
// One-dimensional minimum search on an interval: golden section with parabolic
// interpolation, converging when the bracket around x is within eps*|x| + tolerance/3.

#include "numeric/cost_function.hpp"
#include "numeric/iteration_report.hpp"

namespace ombrelune {

// `cost` is called with a one-element parameter array. The ends may be given in either
// order. `result` receives the abscissa of the minimum found; with `limit` <= 0 nothing is
// evaluated, `result` is left alone and 0 is returned. Returns the iterations performed.
int MinBrent(const TCostFunction& cost, CostConstants constants, double endA, double endB,
             CostObjects objects, double& result, int limit, double tolerance,
             IterationReport* report = nullptr);

} // namespace ombrelune
