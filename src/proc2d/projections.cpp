#include "proc2d/projections.hpp"

#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace ombrelune {

IndexRange clippedRange(double from, double to, int n) {
    const double lo = std::max(from, 0.0), hi = std::min(to, static_cast<double>(n) - 1);
    if (!(lo <= hi)) return {};
    return {static_cast<int>(lo), static_cast<int>(hi) + 1};
}

namespace {

// Images are read on layer 0; an image without points has no index to read.
int readableNx(const spectre& image) {
    return image.pointCount() == 0 ? 0 : image.nx;
}
int readableNy(const spectre& image) {
    return image.pointCount() == 0 ? 0 : image.ny;
}

} // namespace

spectre horizontalProjection(const spectre& image, const std::string& name, double first,
                             double last) {
    spectre curve = newSpectre(name, image.ny, 1, 1);
    curve.typeX = image.typeX;
    const bool raw = isRawAxis(image.typeY);
    const bool readable = image.pointCount() != 0;
    const IndexRange band =
        clippedRange(roundHalfEven(first), roundHalfEven(last), readableNx(image));
    // Row by row through the values; each sum still adds its points in the order of i.
    const std::span<const double> values = image.values();
    const std::span<double> sums = curve.writableValues();
    const auto ny = static_cast<std::size_t>(image.ny), nz = static_cast<std::size_t>(image.nz);
    for (int i = band.begin; i < band.end; ++i) {
        const double* row = values.data() + std::size_t(i) * ny * nz;
        for (std::size_t j = 0; j < ny; ++j) sums[j] += row[j * nz];
    }
    std::vector<double> xs(ny);
    for (int j = 0; j < image.ny; ++j) xs[std::size_t(j)] = raw ? j : (readable ? image.yAt(0, j) : 0.0);
    curve.setXAlongI(xs);
    return curve;
}

spectre verticalProjection(const spectre& image, const std::string& name, double first,
                           double last) {
    spectre curve = newSpectre(name, image.nx, 1, 1);
    curve.typeX = image.typeX;
    const bool raw = isRawAxis(image.typeX);
    const bool readable = image.pointCount() != 0;
    const IndexRange band =
        clippedRange(roundHalfEven(first), roundHalfEven(last), readableNy(image));
    const std::span<const double> values = image.values();
    const std::span<double> sums = curve.writableValues();
    const auto nx = static_cast<std::size_t>(image.nx);
    std::vector<double> xs(nx);
    for (int i = 0; i < image.nx; ++i) {
        double sum = 0;
        for (int j = band.begin; j < band.end; ++j) sum += values[image.indexOf(i, j, 0)];
        xs[std::size_t(i)] = raw ? i : (readable ? image.xAt(i, 0) : 0.0);
        sums[std::size_t(i)] = sum;
    }
    curve.setXAlongI(xs);
    return curve;
}

double rectangleIntegral(const spectre& image, double x1, double y1, double x2, double y2) {
    const int nx = readableNx(image);
    const std::span<const double> values = image.values();
    double sum = 0;
    if (isRawAxis(image.typeX)) {
        const IndexRange is = clippedRange(std::trunc(x1), std::trunc(x2), nx);
        const IndexRange js = clippedRange(std::trunc(y1), std::trunc(y2), readableNy(image));
        for (int i = is.begin; i < is.end; ++i)
            for (int j = js.begin; j < js.end; ++j) sum += values[image.indexOf(i, j, 0)];
        return sum;
    }
    // x and y of a row of points at a time, as simple as their columns are.
    std::vector<double> xs(static_cast<std::size_t>(std::max(0, image.ny))), ys(xs.size());
    for (int i = 0; i < nx; ++i) {
        image.xColumn().gatherRun(image.extent(), i, 0, 0, image.ny, xs.data());
        image.yColumn().gatherRun(image.extent(), i, 0, 0, image.ny, ys.data());
        for (int j = 0; j < image.ny; ++j) {
            const double x = xs[std::size_t(j)], y = ys[std::size_t(j)];
            if (x1 <= x && x <= x2 && y1 <= y && y <= y2) sum += values[image.indexOf(i, j, 0)];
        }
    }
    return sum;
}

} // namespace ombrelune
