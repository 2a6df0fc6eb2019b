#pragma once
// The line of a series as a device can show it. Points whose x lies outside the X axis'
// range are left out; of the points that fall into one device column only the first, the
// lowest, the highest and the last are kept, which draws the same pixels as every point
// would; a y that is not a number breaks the line. Coordinates are chart pixels, rounded to
// whole device pixels.

#include "plot/chart_axis.hpp"
#include "plot/chart_series.hpp"

#include <cstddef>
#include <vector>

namespace ombrelune {

struct PixelPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Polylines one after the other: polyline k is points[ends[k-1] .. ends[k]).
struct SeriesOutline {
    std::vector<PixelPoint> points;
    std::vector<std::size_t> ends;
    void clear() {
        points.clear();
        ends.clear();
    }
};

struct OutlineInput {
    const TSeries* series = nullptr;
    const AxisMap* xMap = nullptr;
    const AxisMap* yMap = nullptr;
    double xMin = 0; // the X axis' range: points outside it are left out
    double xMax = 0;
    double resolution = 1; // device pixels per chart pixel
};

// Fills `out` (cleared first) with the polylines of the series' line.
void seriesOutline(const OutlineInput& in, SeriesOutline& out);

// The first and one-past-last index of the points whose x lies in [lo, hi].
std::pair<std::size_t, std::size_t> indexRange(const TSeries& s, double lo, double hi);

} // namespace ombrelune
