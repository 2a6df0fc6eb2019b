#include "numeric/fit/fit_data.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

FitData fitDataOf(const spectre& s, int dimension, FitWeighting weighting) {
    FitData d;
    d.dimension = dimension;
    d.nx = std::max(0, s.nx);
    d.ny = dimension >= 2 ? std::max(0, s.ny) : 1;
    d.nz = dimension == 3 ? std::max(0, s.nz) : 1;
    // A curve or image with no rows or slices has no point (i, 0, 0) to read.
    if (s.ny < 1 || s.nz < 1) d.nx = 0;
    d.typeX = s.typeX;
    d.typeY = s.typeY;
    const std::size_t n = static_cast<std::size_t>(d.nx) * static_cast<std::size_t>(d.ny) *
                          static_cast<std::size_t>(d.nz);
    d.x.reserve(n);
    if (dimension >= 2) d.y.reserve(n);
    if (dimension == 3) d.z.reserve(n);
    d.values.reserve(n);
    for (int i = 0; i < d.nx; ++i)
        for (int j = 0; j < d.ny; ++j)
            for (int k = 0; k < d.nz; ++k) {
                const spectrePoint p = s.pointAt(i, j, k);
                d.x.push_back(p.x);
                if (dimension >= 2) d.y.push_back(p.y);
                if (dimension == 3) d.z.push_back(p.z);
                d.values.push_back(p.value);
            }
    if (weighting == FitWeighting::Poisson) {
        d.rootWeights.reserve(n);
        for (const double v : d.values) d.rootWeights.push_back(1 / std::sqrt(std::max(v, 1.0)));
    }
    return d;
}

void weightedResiduals(const FitData& data, std::span<const double> model,
                       std::span<double> residuals) {
    const std::size_t n = data.pointCount();
    if (data.rootWeights.empty()) {
        for (std::size_t i = 0; i < n; ++i) residuals[i] = data.values[i] - model[i];
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        residuals[i] = data.rootWeights[i] * (data.values[i] - model[i]);
}

spectre differenceSpectrum(const FitData& data, std::span<const double> model,
                           const std::string& name) {
    spectre diff;
    diff.name = name;
    diff.resize(data.nx, data.dimension == 2 ? data.ny : 1, 1);
    diff.clear();
    diff.typeX = data.typeX;
    if (data.dimension == 2) diff.typeY = data.typeY;
    std::size_t n = 0;
    for (int i = 0; i < diff.nx; ++i)
        for (int j = 0; j < diff.ny; ++j, ++n) {
            const double y = data.dimension == 2 ? data.y[n] : 0.0;
            diff.setPointAt(i, j, 0, spectrePoint{1, data.x[n], y, 0, data.values[n] - model[n]});
        }
    return diff;
}

} // namespace ombrelune
