#pragma once
// What a fit reads of a spectrum, copied once at its start: the coordinates and values of
// the points that enter the sums, the weights, and what the difference spectrum copies
// (sizes and axis types). A fit works on this copy only, so that it may run on a worker
// thread while scripts and windows change the tables, and so that it reads the store
// through the spectrum's accessors alone.

#include "store/spectre.hpp"

#include <span>
#include <string>
#include <vector>

namespace ombrelune {

enum class FitWeighting {
    None,   // every point counts alike: the sum of (value - model)^2
    Poisson // counting statistics: each square divided by max(value, 1)
};

struct FitData {
    int dimension = 0; // 1, 2 or 3
    // The sizes along the dimensions that enter (1 for the others).
    int nx = 0, ny = 1, nz = 1;
    std::string typeX, typeY;
    // One entry per point, in (i, j, k) order: x always, y from 2D, z in 3D.
    std::vector<double> x, y, z;
    std::vector<double> values;
    // sqrt of each point's weight; empty when the fit is not weighted.
    std::vector<double> rootWeights;

    std::size_t pointCount() const { return values.size(); }
};

// The points (i, 0, 0) of a curve for dimension 1, (i, j, 0) of an image for 2, every
// point of a stack for 3, as the sums of the fitting window visit them.
FitData fitDataOf(const spectre& s, int dimension, FitWeighting weighting = FitWeighting::None);

// Each point's weighted residual sqrt(w) (value - model), as a least-squares fit sees it.
void weightedResiduals(const FitData& data, std::span<const double> model,
                       std::span<double> residuals);

// The difference spectrum `name`: the sizes, axis types and coordinates of the data, each
// value the data's minus the model's. Dimension 1 makes a curve, 2 an image.
spectre differenceSpectrum(const FitData& data, std::span<const double> model,
                           const std::string& name);

} // namespace ombrelune
