#include "proc2d/reshape.hpp"

#include "proc2d/grid.hpp"
#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ombrelune {
namespace {

// Places every point of a layer-0 image on the grid of dest.
void placeAll(spectre& dest, const Grid& grid, const spectre& source) {
    forEachPointXY(source,
                   [&](double x, double y, double value) { placeOnGrid(dest, grid, x, y, value); });
}

double curveValue(const spectre& curve, int i) {
    return i < curveLength(curve) ? curve.valueAt(i) : 0.0;
}

// Stores the grown image the way the original one was replaced: made while the old one is
// still in its slot, then given the old one's name. The temporary name never replaces a
// spectrum of the user's.
void replaceImage(spectlist& images, spectre&& grown) {
    const std::string name = grown.name;
    std::string temporary = name + ".TMP";
    while (images.indexOf(temporary) > 0) temporary += "~";
    grown.name = temporary;
    if (images.store(std::move(grown)) < 0)
        throw ERefused("table pleine, " + name + " n'est pas agrandie");
    images.removeByName(name);
    images.find(temporary)->name = name;
}

enum class Side { column, row };

void appendCurve(spectlist& images, const std::string& imageName, const spectre& curve,
                 const WarningSink& warn, Side side) {
    const spectre* image = images.find(imageName);
    if (!image) throw ERefused("image " + imageName + " non trouvée");
    const int nx = image->nx, ny = image->ny;
    const int length = side == Side::column ? ny : nx;
    if (length != curve.nx) warn("Spectra sizes are not compatible!");
    spectre grown = newSpectre(imageName, side == Side::column ? nx + 1.0 : nx,
                               side == Side::row ? ny + 1.0 : ny, 1);
    grown.typeX = grown.typeY = "raw";
    if (image->nz >= 1)
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < ny; ++j) {
                const spectrePoint p = image->pointAt(i, j, 0);
                grown.setPointAt(i, j, 0, spectrePoint{1, p.x, p.y, 0, p.value});
            }
    for (int n = 0; n < length; ++n) {
        const int i = side == Side::column ? nx : n, j = side == Side::column ? n : ny;
        grown.setPointAt(i, j, 0, spectrePoint{1, double(i), double(j), 0, curveValue(curve, n)});
    }
    grown.simplifyColumns();
    replaceImage(images, std::move(grown));
}

double sizeAlong(double from, double to, double step) {
    return roundHalfEven((to - from) / step + 1);
}

} // namespace

spectre concatImages(const spectre& a, const spectre& b, const std::string& name,
                     const WarningSink& warn) {
    const Grid ga = imageGrid(a), gb = imageGrid(b);
    if (a.typeX != b.typeX) warn("X coordinate types not compatible");
    if (a.typeY != b.typeY) warn("Y coordinate types not compatible");
    if (std::fabs(ga.dx - gb.dx) > 1e-8) warn("X step sizes not compatible");
    if (std::fabs(ga.dy - gb.dy) > 1e-8) warn("Y step sizes not compatible");
    const spectrePoint lastA = a.pointAt(a.nx - 1, a.ny - 1);
    const spectrePoint lastB = b.pointAt(b.nx - 1, b.ny - 1);
    const Grid joined{std::min(ga.x0, gb.x0), std::min(ga.y0, gb.y0), ga.dx, ga.dy};
    const double xmax = std::max(lastA.x, lastB.x), ymax = std::max(lastA.y, lastB.y);
    spectre out =
        newSpectre(name, sizeAlong(joined.x0, xmax, ga.dx), sizeAlong(joined.y0, ymax, ga.dy), 1);
    out.typeX = a.typeX;
    out.typeY = a.typeY;
    placeAll(out, joined, a);
    placeAll(out, joined, b);
    out.simplifyColumns();
    return out;
}

namespace {

// The x and values of the points (i, 0, 0) of a curve, as far as it has them.
std::pair<std::vector<double>, std::vector<double>> curveAxisAndValues(const spectre& curve) {
    const int n = curveLength(curve);
    std::vector<double> xs(static_cast<std::size_t>(n)), values(xs.size());
    for (int i = 0; i < n; ++i) {
        xs[std::size_t(i)] = curve.xAt(i);
        values[std::size_t(i)] = curve.valueAt(i);
    }
    return {std::move(xs), std::move(values)};
}

} // namespace

spectre curveToRow(const spectre& curve) {
    spectre image = newSpectre(curve.name, curve.nx, 1, 1);
    image.typeX = curve.typeX;
    image.typeY = "raw";
    const auto [xs, values] = curveAxisAndValues(curve);
    if (!xs.empty()) image.setXAlongI(xs);
    std::copy(values.begin(), values.end(), image.writableValues().begin());
    return image;
}

spectre curveToColumn(const spectre& curve) {
    spectre image = newSpectre(curve.name, 1, curve.nx, 1);
    image.typeX = "raw";
    image.typeY = curve.typeX;
    const auto [ys, values] = curveAxisAndValues(curve);
    if (!ys.empty()) image.setYAlongJ(ys);
    std::copy(values.begin(), values.end(), image.writableValues().begin());
    return image;
}

void appendColumn(spectlist& images, const std::string& imageName, const spectre& curve,
                  const WarningSink& warn) {
    appendCurve(images, imageName, curve, warn, Side::column);
}

void appendRow(spectlist& images, const std::string& imageName, const spectre& curve,
               const WarningSink& warn) {
    appendCurve(images, imageName, curve, warn, Side::row);
}

spectre extractRectangle(const spectre& source, double x1, double y1, double x2, double y2,
                         const std::string& name) {
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)) ||
        x2 < x1 || y2 < y1)
        throw ERefused("rectangle (" + formatGeneral(x1) + ", " + formatGeneral(y1) + ") - (" +
                       formatGeneral(x2) + ", " + formatGeneral(y2) + ") refusé");
    const Grid g = imageGrid(source);
    const Grid cut{x1, y1, g.dx, g.dy};
    spectre out = newSpectre(name, sizeAlong(x1, x2, g.dx), sizeAlong(y1, y2, g.dy), 1);
    out.typeX = source.typeX;
    out.typeY = source.typeY;
    forEachPointXY(source, [&](double x, double y, double value) {
        if (x1 <= x && x <= x2 && y1 <= y && y <= y2) placeOnGrid(out, cut, x, y, value);
    });
    out.simplifyColumns();
    return out;
}

namespace {

// start, start + step, ... for n indexes.
std::vector<double> regularAxis(int n, double start, double step) {
    std::vector<double> axis = indexAxis(n);
    for (double& v : axis) v = v * step + start;
    return axis;
}

} // namespace

void setXAxis(spectre& s, double start, double step, const std::string& type) {
    s.setXAlongI(regularAxis(s.nx, start, step));
    s.typeX = type;
}

void setYAxis(spectre& s, double start, double step, const std::string& type) {
    s.setYAlongJ(regularAxis(s.ny, start, step));
    s.typeY = type;
}

} // namespace ombrelune
