#include "proc2d/grid.hpp"

#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <cmath>

namespace ombrelune {

std::optional<std::pair<int, int>> Grid::cellOf(double x, double y, int nx, int ny) const {
    const double i = roundHalfEven((x - x0) / dx), j = roundHalfEven((y - y0) / dy);
    if (!(i >= 0 && i < nx && j >= 0 && j < ny)) return std::nullopt;
    return std::pair{static_cast<int>(i), static_cast<int>(j)};
}

Grid imageGrid(const spectre& image) {
    if (image.nx < 2 || image.ny < 2 || image.nz < 1)
        throw ERefused("l'image " + image.name + " (" + sizeText(image.nx, image.ny) +
                       ") n'a pas deux points sur chaque axe");
    const spectrePoint first = image.pointAt(0, 0);
    const spectrePoint last = image.pointAt(image.nx - 1, image.ny - 1);
    const Grid g{first.x, first.y, (last.x - first.x) / (image.nx - 1),
                 (last.y - first.y) / (image.ny - 1)};
    if (!(g.dx > 0 && g.dy > 0 && std::isfinite(g.dx) && std::isfinite(g.dy)))
        throw ERefused("les coordonnées de " + image.name +
                       " ne croissent pas avec l'indice (pas " + formatGeneral(g.dx) + ", " +
                       formatGeneral(g.dy) + ")");
    return g;
}

void placeOnGrid(spectre& dest, const Grid& grid, double x, double y, double value) {
    const auto cell = grid.cellOf(x, y, dest.nx, dest.ny);
    if (!cell) return;
    const auto [i, j] = *cell;
    dest.setXAt(i, j, 0, x);
    dest.setYAt(i, j, 0, y);
    dest.setValueAt(i, j, 0, value);
}

} // namespace ombrelune
