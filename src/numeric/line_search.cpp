#include "numeric/line_search.hpp"

#include "errors/errors.hpp"
#include "numeric/min_brent.hpp"

#include <cmath>

namespace ombrelune {

bool ParametersConverged(std::span<const double> oldParams, std::span<const double> newParams,
                         double tolerance) {
    for (std::size_t i = 0; i < oldParams.size(); ++i) {
        const double change = std::fabs(newParams[i] - oldParams[i]);
        const double allowed = oldParams[i] == 0 ? tolerance : tolerance * std::fabs(oldParams[i]);
        if (!(change < allowed)) return false;
    }
    return true;
}

void pointOnLine(const TVec& base, const TVec& direction, double t, TVec& x) {
    x.copy(base);
    x.addScaled(direction, t);
}

double LineCost(std::span<const double> t, CostConstants constants, CostObjects objects) {
    if (objects.size() < 4 || t.empty())
        throw ENumericError("LineCost: the objects array lacks the line entries");
    const std::size_t n = objects.size();
    const auto* cost = std::any_cast<const TCostFunction*>(objects[n - 4]);
    const auto* base = std::any_cast<const TVec*>(objects[n - 3]);
    const auto* direction = std::any_cast<const TVec*>(objects[n - 2]);
    auto* work = std::any_cast<TVec*>(objects[n - 1]);
    pointOnLine(*base, *direction, t[0], *work);
    return (*cost)(work->values(), constants, objects);
}

LineSearch::LineSearch(const TCostFunction& cost, CostObjects callerObjects)
    : objects_(callerObjects.begin(), callerObjects.end()) {
    objects_.emplace_back(&cost);
    objects_.emplace_back(static_cast<const TVec*>(&base));
    objects_.emplace_back(static_cast<const TVec*>(&direction));
    objects_.emplace_back(&work_);
}

double LineSearch::minimise(CostConstants constants, int limit, double tolerance) const {
    double t = 0;
    MinBrent(LineCost, constants, 0, 1, objects_, t, limit, tolerance);
    return t;
}

double LineSearch::costAt(double t, CostConstants constants) const {
    const double point[1] = {t};
    return LineCost(std::span<const double>(point, 1), constants, objects_);
}

} // namespace ombrelune
