#pragma once
// What BFGS and Marquardt share: the convergence test on parameters, and the line search
// along a direction by MinBrent over [0, 1] with the one-parameter LineCost.

#include "numeric/cost_function.hpp"

#include <vector>

namespace ombrelune {

// True when every |new_i - old_i| < tolerance * |old_i|, or < tolerance where old_i is 0.
bool ParametersConverged(std::span<const double> oldParams, std::span<const double> newParams,
                         double tolerance);

// The cost at base + t * direction. Reads the real cost function, the base point, the
// direction and a work vector from the last four entries of `objects` (as
// const TCostFunction*, const TVec*, const TVec*, TVec*), fills the work vector with the
// point and calls the real cost with the same constants and objects.
double LineCost(std::span<const double> t, CostConstants constants, CostObjects objects);

// x := base + t * direction, computed exactly as LineCost computes its point, so that the
// cost LineCost returned for t is the cost of x.
void pointOnLine(const TVec& base, const TVec& direction, double t, TVec& x);

// The objects array of a line search (the caller's entries then the four line entries)
// with the vectors it points at. Made once per minimiser call; not copyable, since the
// objects point into it.
class LineSearch {
public:
    LineSearch(const TCostFunction& cost, CostObjects callerObjects);
    LineSearch(const LineSearch&) = delete;
    LineSearch& operator=(const LineSearch&) = delete;

    TVec base;
    TVec direction;

    // The objects the routine hands to its own cost, gradient and curvature calls.
    CostObjects objects() const { return objects_; }
    // t in [0, 1] minimising LineCost by MinBrent with the routine's limit and tolerance.
    double minimise(CostConstants constants, int limit, double tolerance) const;
    double costAt(double t, CostConstants constants) const;

private:
    TVec work_;
    std::vector<std::any> objects_;
};

} // namespace ombrelune
