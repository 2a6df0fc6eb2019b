#pragma once
// The fitted model of a curve as a curve of its own, to be drawn over the data.

#include "numeric/fit/fit_data.hpp"

#include <span>
#include <string>

namespace ombrelune {

// Where a curve's model is drawn: the data's own abscissae when they are dense (at least
// modelCurvePoints of them), else modelCurvePoints evenly spaced from the smallest to the
// largest finite one, so that a model fitted to a few points still draws as a smooth line.
inline constexpr std::size_t modelCurvePoints = 512;
FitData modelAbscissae(const FitData& curve);

// The curve `name` of the model values at those abscissae, with the data's typeX.
spectre modelCurve(const FitData& at, std::span<const double> model, const std::string& name);

} // namespace ombrelune
