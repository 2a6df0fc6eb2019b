#pragma once
// The labels of the colour scale beside the picture: zmax at the top, the values at three
// quarters, half and one quarter of the range, zmin at the bottom, each at the height of
// its value on the strip. On the logarithmic scale the quarters are taken on log10.

#include "plot/image_levels.hpp"

#include <array>
#include <string>

namespace ombrelune {

struct ScaleLabel {
    double value = 0;
    // Height on the strip: 0 at its top edge, 1 at its bottom edge.
    double position = 0;
    std::string text;
};

inline constexpr int scaleLabelCount = 5;

// From the top label (scale5, zmax) to the bottom one (scale1, zmin).
std::array<ScaleLabel, scaleLabelCount> colourScaleLabels(const LevelScale& scale,
                                                          char decimalSeparator);

// A label's text: one significant digit, at least three exponent digits (1E+003, 0.5).
std::string colourScaleText(double v, char decimalSeparator);

} // namespace ombrelune
