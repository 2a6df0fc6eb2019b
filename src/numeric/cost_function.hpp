#pragma once
// The calling shape shared by every minimiser: a cost over n parameters, with a constants
// array and an objects array that the routines hand through to each call untouched (BFGS
// and Marquardt append four entries of their own to the objects, so a cost must not rely
// on the objects array having the length its caller gave).

#include "numeric/tmtx.hpp"
#include "numeric/tvec.hpp"

#include <any>
#include <functional>
#include <limits>
#include <span>

namespace ombrelune {

using CostConstants = std::span<const double>;
using CostObjects = std::span<const std::any>;

using TCostFunction =
    std::function<double(std::span<const double> params, CostConstants, CostObjects)>;

// Fills `gradient` (length n) at the parameters.
using TCostGradient = std::function<void(const TCostFunction& cost, std::span<const double> params,
                                         CostConstants, CostObjects, TVec& gradient)>;

// Fills `gradient` (length n) and `curvature` (n x n) at the parameters.
using TCostCurvature =
    std::function<void(const TCostFunction& cost, std::span<const double> params, CostConstants,
                       CostObjects, TVec& gradient, TMtx& curvature)>;

// Advances an iteration counter and tells whether the loop may go on (counter <= limit).
// The counter never wraps, whatever the limit.
inline bool nextIteration(int& counter, int limit) {
    if (counter == std::numeric_limits<int>::max()) return false;
    ++counter;
    return counter <= limit;
}

} // namespace ombrelune
