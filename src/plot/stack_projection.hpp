#pragma once
// Projecting a stack onto an image: two of its axes (X, Y, or Z, the slice axis) become
// the image's axes and the samples along the third are summed over those whose coordinate
// lies in that axis' range. Ranges are compared with stored coordinates, not indices.

#include "store/spectre.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

enum class StackAxis { X = 0, Y = 1, Z = 2 };
inline constexpr std::array<std::string_view, 3> stackAxisItems{"X", "Y", "Z"};

// Coordinate ranges, ends included, along X, Y and Z ("lt").
struct ProjectionRanges {
    double xMin = 1, xMax = 128;
    double yMin = 1, yMax = 128;
    double ltMin = 0, ltMax = 30;
};

// The image `name` of size(abscissa) × size(ordinate): point (a, b) takes its x and y from
// the abscissa and ordinate coordinates of the sample at index a along the abscissa, b
// along the ordinate and 0 along the third axis, and its value is the sum over the third
// axis. The image's monitor, comment and axis types come from the stack. Nothing when
// both axes are the same or the stack has no samples.
std::optional<spectre> projectStack(const spectre& stack, StackAxis abscissa, StackAxis ordinate,
                                    const ProjectionRanges& ranges, const std::string& name);

// The Z range that holds slice `slice` (1 .. nz) alone: from just above the previous
// slice's z (0 for the first) to this slice's z, the z being the upper edges of the
// slices, read at pixel (0, 0). Nothing for a slice outside the stack.
struct SliceRange {
    double ltMin = 0;
    double ltMax = 0;
};
std::optional<SliceRange> sliceRange(const spectre& stack, int slice);

} // namespace ombrelune
