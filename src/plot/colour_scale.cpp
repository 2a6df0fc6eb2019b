#include "plot/colour_scale.hpp"

#include "store/number_format.hpp"

#include <cmath>

namespace ombrelune {

std::string colourScaleText(double v, char decimalSeparator) {
    return formatGeneralDigits(v, 1, 3, decimalSeparator);
}

std::array<ScaleLabel, scaleLabelCount> colourScaleLabels(const LevelScale& scale,
                                                          char decimalSeparator) {
    std::array<ScaleLabel, scaleLabelCount> labels;
    for (int k = 0; k < scaleLabelCount; ++k) {
        const double position = k / double(scaleLabelCount - 1);
        const double f = 1 - position;
        double v;
        if (scale.logarithmic) {
            const double lz = std::log10(scale.zmin);
            v = std::pow(10.0, lz + f * (std::log10(scale.zmax) - lz));
        } else {
            v = scale.zmin + f * (scale.zmax - scale.zmin);
        }
        labels[static_cast<std::size_t>(k)] = {v, position, colourScaleText(v, decimalSeparator)};
    }
    return labels;
}

} // namespace ombrelune
