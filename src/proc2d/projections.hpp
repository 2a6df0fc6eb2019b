#pragma once
// Projections of an image onto curves and the sum over a rectangle; shared by the script
// commands and the 2D view. Index ranges that leave the image are clipped to it.

#include "store/spectre.hpp"

#include <string>

namespace ombrelune {

// A curve along the second index: point j sums value[i][j] for i from round(first) to
// round(last) (halves to even); x[j] is j on a "raw" typeY, else the image's y.
spectre horizontalProjection(const spectre& image, const std::string& name, double first,
                             double last);
// A curve along the first index, summed over j from round(first) to round(last).
spectre verticalProjection(const spectre& image, const std::string& name, double first,
                           double last);
// On a "raw" typeX: the sum over truncated index bounds, ends included (typeY is not
// consulted). Otherwise the sum over the points with x1 <= x <= x2 and y1 <= y <= y2.
double rectangleIntegral(const spectre& image, double x1, double y1, double x2, double y2);

// The indices of [from, to] that lie in 0 .. n - 1, as a half-open range; empty when the
// range is empty, reversed or NaN. Bounds are already whole numbers.
struct IndexRange {
    int begin = 0;
    int end = 0;
};
IndexRange clippedRange(double from, double to, int n);

} // namespace ombrelune
