#include "proc2d/smoothing.hpp"

#include "proc2d/refusal.hpp"
#include "proc2d/sliding_sums.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <cmath>
#include <vector>

namespace ombrelune {
namespace {

// The half-width, or ERefused for a width the smoothing cannot use.
double halfWidth(double width) {
    if (!std::isfinite(width) || width < 1)
        throw ERefused("largeur " + formatGeneral(width) + " refusée (au moins 1)");
    return roundHalfEven((width - 1) / 2);
}

// True when a window of 2w + 1 points fits in n points.
bool windowFits(double w, int n) {
    return 2 * w + 1 <= n;
}

} // namespace

spectre smoothCurve(const spectre& source, double width, const std::string& name) {
    const double w = halfWidth(width);
    spectre out = newSpectre(name, source.nx, 1, 1);
    out.typeX = source.typeX;
    const int n = curveLength(source);
    std::vector<double> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const spectrePoint& p = source.at(i);
        out.at(i).x = p.x;
        out.at(i).value = values[static_cast<std::size_t>(i)] = p.value;
    }
    if (!windowFits(w, n)) return out;
    const auto half = static_cast<std::size_t>(w), len = 2 * half + 1;
    std::vector<double> sums(values.size() - len + 1);
    slidingRowSums(values.data(), values.size(), 1, len, sums.data());
    for (std::size_t s = 0; s < sums.size(); ++s)
        out.at(static_cast<int>(s + half)).value = sums[s] / width;
    return out;
}

spectre smoothImage(const spectre& source, double width, const std::string& name) {
    const double w = halfWidth(width);
    spectre out = newSpectre(name, source.nx, source.ny, 1);
    out.typeX = source.typeX;
    out.typeY = source.typeY;
    const int nx = source.nz >= 1 ? source.nx : 0, ny = source.ny;
    const auto cols = static_cast<std::size_t>(ny);
    std::vector<double> values(static_cast<std::size_t>(nx) * cols);
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) {
            const spectrePoint& p = source.at(i, j, 0);
            spectrePoint& q = out.at(i, j);
            q.x = p.x;
            q.y = p.y;
            q.value = values[static_cast<std::size_t>(i) * cols + static_cast<std::size_t>(j)] =
                p.value;
        }
    if (!windowFits(w, nx) || !windowFits(w, ny)) return out;
    const auto half = static_cast<std::size_t>(w), len = 2 * half + 1;
    const std::size_t innerCols = cols - len + 1,
                      innerRows = static_cast<std::size_t>(nx) - len + 1;
    // Sums along j for every i, then sums of those along i.
    std::vector<double> columnSums(static_cast<std::size_t>(nx) * innerCols);
    for (std::size_t i = 0; i < static_cast<std::size_t>(nx); ++i)
        slidingRowSums(values.data() + i * cols, cols, 1, len, columnSums.data() + i * innerCols);
    std::vector<double> squareSums(innerRows * innerCols);
    slidingRowSums(columnSums.data(), static_cast<std::size_t>(nx), innerCols, len,
                   squareSums.data());
    const double area = width * width;
    for (std::size_t i = 0; i < innerRows; ++i)
        for (std::size_t j = 0; j < innerCols; ++j)
            out.at(static_cast<int>(i + half), static_cast<int>(j + half)).value =
                squareSums[i * innerCols + j] / area;
    return out;
}

} // namespace ombrelune
