#pragma once
// Regular grids of image coordinates: the steps taken from an image's first and last
// points, and placing points in the cells of a grid.

#include "store/spectre.hpp"

#include <optional>
#include <utility>

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

// Copies x, y and value of the point into its cell of dest, if the cell is inside it.
void placeOnGrid(spectre& dest, const Grid& grid, const spectrePoint& p);

} // namespace ombrelune
