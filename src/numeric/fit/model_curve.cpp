#include "numeric/fit/model_curve.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

FitData modelAbscissae(const FitData& curve) {
    FitData at;
    at.dimension = 1;
    at.typeX = curve.typeX;
    at.typeY = curve.typeY;
    if (curve.pointCount() >= modelCurvePoints) {
        at.x = curve.x;
    } else {
        double lo = INFINITY, hi = -INFINITY;
        for (const double x : curve.x)
            if (std::isfinite(x)) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        if (lo <= hi)
            for (std::size_t i = 0; i < modelCurvePoints; ++i)
                at.x.push_back(lo + (hi - lo) * double(i) / double(modelCurvePoints - 1));
    }
    at.nx = static_cast<int>(at.x.size());
    at.values.assign(at.x.size(), 0.0);
    return at;
}

spectre modelCurve(const FitData& at, std::span<const double> model, const std::string& name) {
    spectre s;
    s.name = name;
    s.resize(at.nx, 1, 1);
    s.clear();
    s.typeX = at.typeX;
    s.typeY = "single";
    for (int i = 0; i < at.nx; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        s.setPointAt(i, 0, 0, spectrePoint{1, at.x[k], 0, 0, model[k]});
    }
    return s;
}

} // namespace ombrelune
