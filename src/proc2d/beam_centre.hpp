#pragma once
// Finding and using the beam centre: the intensity-weighted centre of an image and the
// average of an image over rings around a centre. Positions are indices.

#include "store/spectre.hpp"

#include <string>

namespace ombrelune {

struct ImagePosition {
    double X0 = 0;
    double Y0 = 0;
};

// Σ i·value / Σ value and Σ j·value / Σ value; the bare sums when Σ value is 0.
ImagePosition barycentre(const spectre& image);

// Mean value over rings one index wide around (X0, Y0): channel k = round(distance) holds
// x = k · xStep and the mean of its pixels. Only a "raw" typeX image contributes; a centre
// outside 0..nx, 0..ny gives a one-point curve.
spectre radialAverage(const spectre& image, const std::string& name, double xStep, double X0,
                      double Y0);

} // namespace ombrelune
