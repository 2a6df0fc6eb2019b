#include "proc2d/beam_centre.hpp"

#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ombrelune {

ImagePosition barycentre(const spectre& image) {
    double S = 0, Sx = 0, Sy = 0;
    const int nx = image.pointCount() == 0 ? 0 : image.nx;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < image.ny; ++j) {
            const double v = image.valueAt(i, j);
            S += v;
            Sx += i * v;
            Sy += j * v;
        }
    if (S != 0) return {Sx / S, Sy / S};
    return {Sx, Sy};
}

spectre radialAverage(const spectre& image, const std::string& name, double xStep, double X0,
                      double Y0) {
    const double nx = image.nx, ny = image.ny;
    spectre curve = newSpectre(name, roundHalfEven(std::sqrt(nx * nx + ny * ny) + 1), 1, 1);
    curve.typeX = image.typeX;
    int top = 1;
    if (0 <= X0 && X0 <= nx && 0 <= Y0 && Y0 <= ny) {
        std::vector<std::int64_t> hits(static_cast<std::size_t>(curve.nx));
        if (isRawAxis(image.typeX) && image.pointCount() != 0) {
            const double lastChannel = curve.nx - 1;
            for (int i = 0; i < image.nx; ++i)
                for (int j = 0; j < image.ny; ++j) {
                    const double t = std::sqrt((i - X0) * (i - X0) + (j - Y0) * (j - Y0));
                    // Every pixel lies within the diagonal of the centre's box; the clamp
                    // only guards the array.
                    const int k = static_cast<int>(std::min(roundHalfEven(t), lastChannel));
                    curve.setXAt(k, 0, 0, k * xStep);
                    top = std::max(top, k);
                    ++hits[static_cast<std::size_t>(k)];
                    curve.setValueAt(k, 0, 0, curve.valueAt(k) + image.valueAt(i, j));
                }
        }
        for (int k = 0; k <= top && k < curve.nx; ++k)
            if (const auto n = hits[static_cast<std::size_t>(k)])
                curve.setValueAt(k, 0, 0, curve.valueAt(k) / static_cast<double>(n));
        ++top;
    }
    curve.resize(std::min(top, curve.nx), 1, 1);
    return curve;
}

} // namespace ombrelune
