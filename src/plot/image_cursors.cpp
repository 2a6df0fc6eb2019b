#include "plot/image_cursors.hpp"

#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ombrelune {
namespace {

// What a box with ten decimals shows of a coordinate, read back.
double asShown(double v) {
    const double scaled = std::nearbyint(v * 1e10) / 1e10;
    return std::isfinite(scaled) ? scaled : v;
}

int floorIndex(double v) {
    const double f = std::floor(asShown(v));
    if (!(f > -2147483648.0)) return -1;
    if (!(f < 2147483647.0)) return 2147483647;
    return static_cast<int>(f);
}

// A curve of n points read from the image along one index.
template <typename PointAt>
spectre imageCut(const std::string& name, int n, const std::string& type, PointAt pointAt) {
    const bool raw = isRawAxis(type);
    spectre curve = spectreFrom(name, n, 1, 1, [&](int k, int, int) {
        const auto [coordinate, value] = pointAt(k);
        spectrePoint p;
        p.mon = 1;
        p.x = raw ? k : coordinate;
        p.value = value;
        return p;
    });
    curve.typeX = type;
    return curve;
}

} // namespace

Pixel cursorPixel(CursorPosition c) { return {floorIndex(c.x), floorIndex(c.y)}; }

bool pixelInside(const spectre& image, Pixel p) {
    return image.pointCount() > 0 && p.i >= 0 && p.j >= 0 && p.i < image.nx && p.j < image.ny;
}

spectre rowCut(const spectre& image, int j, const std::string& name) {
    return imageCut(name, image.nx, image.typeX, [&](int i) {
        return std::pair{image.xAt(i, j), image.valueAt(i, j)};
    });
}

spectre columnCut(const spectre& image, int i, const std::string& name) {
    return imageCut(name, image.ny, image.typeY, [&](int j) {
        return std::pair{image.yAt(i, j), image.valueAt(i, j)};
    });
}

void fillRowSeries(TSeries& series, const spectre& image, int j) {
    series.HoldUpdates(true);
    series.Clear();
    for (int i = 0; i < image.nx; ++i) series.AddPoint(i, image.valueAt(i, j));
    series.HoldUpdates(false);
}

void fillColumnSeries(TSeries& series, const spectre& image, int i) {
    series.HoldUpdates(true);
    series.Clear();
    for (int j = 0; j < image.ny; ++j) series.AddPoint(j, image.valueAt(i, j));
    series.HoldUpdates(false);
}

std::vector<Pixel> segmentPixels(Pixel a, Pixel b) {
    std::vector<Pixel> pixels;
    if (a == b) return pixels;
    const double di = double(b.i) - a.i, dj = double(b.j) - a.j;
    if (std::fabs(dj) < std::fabs(di)) {
        for (int i = std::min(a.i, b.i); i <= std::max(a.i, b.i); ++i)
            pixels.push_back({i, static_cast<int>(roundHalfEven(a.j + dj * (i - a.i) / di))});
    } else {
        for (int j = std::min(a.j, b.j); j <= std::max(a.j, b.j); ++j)
            pixels.push_back({static_cast<int>(roundHalfEven(a.i + di * (j - a.j) / dj)), j});
    }
    return pixels;
}

void fillProfileSeries(TSeries& alongI, TSeries& alongJ, const spectre& image,
                       const std::vector<Pixel>& pixels) {
    for (TSeries* s : {&alongI, &alongJ}) {
        s->HoldUpdates(true);
        s->Clear();
    }
    for (const Pixel& p : pixels) {
        const double v = image.valueAt(p.i, p.j);
        alongI.AddPoint(p.i, v);
        alongJ.AddPoint(p.j, v);
    }
    alongI.HoldUpdates(false);
    alongJ.HoldUpdates(false);
}

double boxSum(const spectre& image, Pixel a, Pixel b) {
    double sum = 0;
    for (int i = std::min(a.i, b.i); i <= std::max(a.i, b.i); ++i)
        for (int j = std::min(a.j, b.j); j <= std::max(a.j, b.j); ++j) sum += image.valueAt(i, j);
    return sum;
}

} // namespace ombrelune
