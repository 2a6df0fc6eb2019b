#pragma once
// Downhill simplex minimisation (Nelder and Mead's reflection, expansion, contraction and
// shrink) of a cost over params.size() parameters.

#include "numeric/cost_function.hpp"
#include "numeric/iteration_report.hpp"

namespace ombrelune {

// `params` holds the start point on entry and the best vertex of the last ranking on
// return; `minimum` receives its cost. The first vertices are the start point with one
// coordinate each multiplied by 1.05 (or set to 0.0025 where it is 0). At least one
// iteration runs; the loop stops when the spread of the best and worst vertex falls below
// `tolerance` or the counter passes `limit`. Returns the counter (iterations + 1).
// An exception from the cost leaves `params` and `minimum` as they were.
int Simplex(const TCostFunction& cost, std::span<double> params, CostConstants constants,
            CostObjects objects, double& minimum, int limit, double tolerance,
            IterationReport* report = nullptr);

} // namespace ombrelune
