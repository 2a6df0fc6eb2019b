#include "proc2d/smoothing.hpp"

#include "errors/errors.hpp"
#include "proc2d/sliding_sums.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/point_allocator.hpp"
#include "store/store_ops.hpp"

#include <cmath>
#include <span>
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
    // Point (i, 0, 0) of the source is its value number i * stride.
    const std::span<const double> in = source.values();
    const std::size_t stride = n > 0 ? std::size_t(source.ny) * std::size_t(source.nz) : 0;
    const std::span<double> values = out.writableValues();
    if (n > 0) {
        std::vector<double> xs(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) xs[std::size_t(i)] = source.xAt(i);
        out.setXAlongI(xs);
    }
    for (std::size_t i = 0; i < std::size_t(n); ++i) values[i] = in[i * stride];
    if (!windowFits(w, n)) return out;
    const auto half = static_cast<std::size_t>(w);
    slidingRowSums(
        static_cast<std::size_t>(n), 1, 2 * half + 1,
        [&](std::size_t r, std::size_t) { return in[r * stride]; },
        [&](std::size_t s, std::size_t, double sum) { values[s + half] = sum / width; });
    return out;
}

spectre smoothImage(const spectre& source, double width, const std::string& name) {
    const double w = halfWidth(width);
    const bool readable = source.pointCount() != 0;
    spectre out = newSpectre(name, source.nx, source.ny, 1);
    out.typeX = source.typeX;
    out.typeY = source.typeY;
    if (!readable) return out;
    // Layer 0 of the source: its x, y and values; the monitors are 1 and z is 0.
    out.setXColumn(source.xColumn().layer(source.extent(), 0));
    out.setYColumn(source.yColumn().layer(source.extent(), 0));
    const auto nx = static_cast<std::size_t>(source.nx), ny = static_cast<std::size_t>(source.ny);
    const auto nz = static_cast<std::size_t>(source.nz);
    const std::span<const double> in = source.values();
    const std::span<double> values = out.writableValues();
    for (std::size_t p = 0; p < nx * ny; ++p) values[p] = in[p * nz];
    if (!windowFits(w, source.nx) || !windowFits(w, source.ny)) return out;
    const auto half = static_cast<std::size_t>(w), len = 2 * half + 1;
    const std::size_t innerCols = ny - len + 1;
    const auto value = [&](std::size_t i, std::size_t j) { return in[(i * ny + j) * nz]; };
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
            values[(s + half) * ny + c + half] = sum / area;
        });
    return out;
}

} // namespace ombrelune
