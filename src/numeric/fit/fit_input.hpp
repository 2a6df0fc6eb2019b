#pragma once
// What the fitting window hands to the fitting core: the texts and numbers of its controls,
// with the window's defaults.

#include "numeric/fit/fit_data.hpp"

#include <array>
#include <string>

namespace ombrelune {

struct FitInput {
    // The model expression in the parameters A..E and the coordinates X, Y, Z.
    std::string model = "100*exp(-sqr(X-64)/10000)*exp(-sqr(Y-64)/10000)";
    // Start values of A, B, C, D, E.
    std::array<double, 5> start{1, 1, 1, 1, 1};
    // 1, 2 or 3: the table of the fitted spectrum; 0 when none is chosen.
    int dimension = 2;
    // The names of the spectrum of each dimension; the one of `dimension` is fitted.
    std::string spectrum1D = "PH";
    std::string spectrum2D = "ACUP";
    std::string spectrum3D = "DATA3D";
    double tolerance = 1e-8;
    int iterationLimit = 100;
    // Name of the difference spectrum (data minus model) written after a fit.
    std::string output = "OutputSpectrum";
    FitWeighting weighting = FitWeighting::None;
};

} // namespace ombrelune
