#pragma once
// Regular grids of image coordinates: the steps taken from an image's first and last
// points, and placing points in the cells of a grid.

#include "store/spectre.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace ombrelune {

struct Grid {
    double x0 = 0;
    double y0 = 0;
    double dx = 0;
    double dy = 0;

    // Cell (round((x - x0) / dx), round((y - y0) / dy)), halves to even, or nothing when
    // it falls outside 0 .. nx - 1, 0 .. ny - 1 (or is not a number).
    std::optional<std::pair<int, int>> cellOf(double x, double y, int nx, int ny) const;
};

// The steps of an image from its first and last points. Raises ERefused when the image has
// fewer than two points along an axis or its coordinates do not grow with the index.
Grid imageGrid(const spectre& image);

// Copies x, y and value of a point into its cell of dest, if the cell is inside it.
void placeOnGrid(spectre& dest, const Grid& grid, double x, double y, double value);

// Calls visit(x, y, value) for every point of the spectrum, in the order of the points,
// taking x and y from their columns a row at a time.
template <typename Visit> void forEachPointXY(const spectre& s, Visit visit) {
    const Extent e = s.extent();
    const auto nz = static_cast<std::size_t>(e.n[2]);
    const std::size_t rowPoints = static_cast<std::size_t>(e.n[1]) * nz;
    std::vector<double> xs(rowPoints), ys(rowPoints);
    const double* values = s.values().data();
    for (std::int32_t i = 0; i < e.n[0]; ++i) {
        for (std::int32_t k = 0; k < e.n[2]; ++k) {
            s.xColumn().gatherRun(e, i, k, 0, e.n[1], xs.data() + k, nz);
            s.yColumn().gatherRun(e, i, k, 0, e.n[1], ys.data() + k, nz);
        }
        const double* row = values + std::size_t(i) * rowPoints;
        for (std::size_t q = 0; q < rowPoints; ++q) visit(xs[q], ys[q], row[q]);
    }
}

} // namespace ombrelune
