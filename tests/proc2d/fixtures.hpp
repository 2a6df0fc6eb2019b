#pragma once
// Small spectra made in the tests: images and curves with index coordinates.

#include "store/spectre.hpp"

#include <functional>
#include <string>
#include <vector>

namespace ombrelune::testing {

// An nx × ny image with x = i, y = j and value f(i, j); mon 1.
inline spectre makeImage(const std::string& name, int nx, int ny,
                         const std::function<double(int, int)>& f,
                         const std::string& type = "raw") {
    spectre s;
    s.name = name;
    s.resize(nx, ny, 1);
    s.clear();
    s.typeX = s.typeY = type;
    s.setXAlongI(indexAxis(nx));
    s.setYAlongJ(indexAxis(ny));
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) s.setValueAt(i, j, 0, f(i, j));
    return s;
}

// A curve with x = x0 + i · dx and the given values.
inline spectre makeCurve(const std::string& name, const std::vector<double>& values, double x0 = 0,
                         double dx = 1, const std::string& typeX = "raw") {
    spectre s;
    s.name = name;
    s.resize(static_cast<int>(values.size()), 1, 1);
    s.clear();
    s.typeX = typeX;
    s.typeY = "single";
    for (int i = 0; i < s.nx; ++i) {
        s.setXAt(i, 0, 0, x0 + i * dx);
        s.setValueAt(i, 0, 0, values[static_cast<std::size_t>(i)]);
    }
    return s;
}

inline std::vector<double> valuesOf(const spectre& s) {
    std::vector<double> v;
    for (std::size_t p = 0; p < s.pointCount(); ++p) v.push_back(s.value(p));
    return v;
}

// Rewrites every point of s with change(point), in storage order.
template <typename Change> void changePoints(spectre& s, Change change) {
    for (std::size_t n = 0; n < s.pointCount(); ++n) {
        spectrePoint p = s.point(n);
        change(p);
        s.setPoint(n, p);
    }
}

} // namespace ombrelune::testing
