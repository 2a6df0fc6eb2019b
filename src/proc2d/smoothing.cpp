#include "proc2d/smoothing.hpp"

#include "store/errors.hpp"
#include "proc2d/sliding_sums.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/point_allocator.hpp"
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
    for (int i = 0; i < n; ++i) {
        out.setXAt(i, 0, 0, source.xAt(i));
        out.setValueAt(i, 0, 0, source.valueAt(i));
    }
    if (!windowFits(w, n)) return out;
    const auto half = static_cast<std::size_t>(w);
    slidingRowSums(
        static_cast<std::size_t>(n), 1, 2 * half + 1,
        [&](std::size_t r, std::size_t) { return source.valueAt(static_cast<int>(r)); },
        [&](std::size_t s, std::size_t, double sum) {
            out.setValueAt(static_cast<int>(s + half), 0, 0, sum / width);
        });
    return out;
}

spectre smoothImage(const spectre& source, double width, const std::string& name) {
    const double w = halfWidth(width);
    const bool readable = source.pointCount() != 0;
    spectre out = spectreFrom(name, source.nx, source.ny, 1, [&](int i, int j, int) {
        if (!readable) return spectrePoint{1, 0, 0, 0, 0};
        const spectrePoint p = source.pointAt(i, j, 0);
        return spectrePoint{1, p.x, p.y, 0, p.value};
    });
    out.typeX = source.typeX;
    out.typeY = source.typeY;
    if (!readable || !windowFits(w, source.nx) || !windowFits(w, source.ny)) return out;
    const auto half = static_cast<std::size_t>(w), len = 2 * half + 1;
    const auto nx = static_cast<std::size_t>(source.nx), ny = static_cast<std::size_t>(source.ny);
    const std::size_t innerCols = ny - len + 1;
    const auto value = [&](std::size_t i, std::size_t j) {
        return source.valueAt(static_cast<int>(i), static_cast<int>(j), 0);
    };
    // Sums along j for every i, then sums of those along i.
    std::vector<double, PointAllocator<double>> columnSums(nx * innerCols);
    for (std::size_t i = 0; i < nx; ++i)
        slidingRowSums(
            ny, 1, len, [&](std::size_t r, std::size_t) { return value(i, r); },
            [&](std::size_t s, std::size_t, double sum) { columnSums[i * innerCols + s] = sum; });
    const double area = width * width;
    slidingRowSums(
        nx, innerCols, len,
        [&](std::size_t r, std::size_t c) { return columnSums[r * innerCols + c]; },
        [&](std::size_t s, std::size_t c, double sum) {
            out.setValueAt(static_cast<int>(s + half), static_cast<int>(c + half), 0, sum / area);
        });
    return out;
}

} // namespace ombrelune
