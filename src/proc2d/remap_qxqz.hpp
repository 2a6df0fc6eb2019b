#pragma once
// remap2DtoQxQz: an image measured in incidence angle α (x) and exit angle β (y), in
// degrees, resampled onto a grid of the two components of the scattering vector,
// q1 = (2π/λ)(sin α + sin β) along the first index and q2 = (2π/λ)(cos β − cos α) along
// the second. Each source value is divided by the area element of its pixel in q space.

#include "store/spectre.hpp"

#include <cstdint>
#include <string>

namespace ombrelune {

struct QGrid {
    double min1 = 0;
    double step1 = 0;
    double max1 = 0;
    double min2 = 0;
    double step2 = 0;
    double max2 = 0;
};

struct QxQzImage {
    spectre image;
    // Source points that fell in the grid but whose area element is 0 or not finite (the
    // specular line when the two angle steps are equal): left out rather than adding
    // infinities.
    std::int64_t skipped = 0;
};

// round((max - min) / step) cells along each axis (no + 1), typeX and typeY "raw", cell
// (i, j) at x = min1 + step1 · i, y = min2 + step2 · j. Raises ERefused for a wavelength or
// steps that are not finite and above 0, bounds that are not finite, a grid without cells
// and a source without steps (see imageGrid).
QxQzImage remapToQxQz(const spectre& source, double lambda, const QGrid& grid,
                      const std::string& name);

} // namespace ombrelune
