#include "proc2d/projections.hpp"

#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>

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
    for (int j = 0; j < image.ny; ++j) {
        double sum = 0;
        for (int i = band.begin; i < band.end; ++i) sum += image.valueAt(i, j);
        curve.setXAt(j, 0, 0, raw ? j : (readable ? image.yAt(0, j) : 0.0));
        curve.setValueAt(j, 0, 0, sum);
    }
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
    for (int i = 0; i < image.nx; ++i) {
        double sum = 0;
        for (int j = band.begin; j < band.end; ++j) sum += image.valueAt(i, j);
        curve.setXAt(i, 0, 0, raw ? i : (readable ? image.xAt(i, 0) : 0.0));
        curve.setValueAt(i, 0, 0, sum);
    }
    return curve;
}

double rectangleIntegral(const spectre& image, double x1, double y1, double x2, double y2) {
    const int nx = readableNx(image);
    double sum = 0;
    if (isRawAxis(image.typeX)) {
        const IndexRange is = clippedRange(std::trunc(x1), std::trunc(x2), nx);
        const IndexRange js = clippedRange(std::trunc(y1), std::trunc(y2), readableNy(image));
        for (int i = is.begin; i < is.end; ++i)
            for (int j = js.begin; j < js.end; ++j) sum += image.valueAt(i, j);
        return sum;
    }
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < image.ny; ++j) {
            const spectrePoint p = image.pointAt(i, j);
            if (x1 <= p.x && p.x <= x2 && y1 <= p.y && p.y <= y2) sum += p.value;
        }
    return sum;
}

} // namespace ombrelune
