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
    s.nx = nx;
    s.ny = ny;
    s.nz = 1;
    s.typeX = s.typeY = type;
    s.points.resize(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny));
    s.clear();
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) {
            s.at(i, j).x = i;
            s.at(i, j).y = j;
            s.at(i, j).value = f(i, j);
        }
    return s;
}

// A curve with x = x0 + i · dx and the given values.
inline spectre makeCurve(const std::string& name, const std::vector<double>& values, double x0 = 0,
                         double dx = 1, const std::string& typeX = "raw") {
    spectre s;
    s.name = name;
    s.nx = static_cast<int>(values.size());
    s.ny = s.nz = 1;
    s.typeX = typeX;
    s.typeY = "single";
    s.points.resize(values.size());
    s.clear();
    for (int i = 0; i < s.nx; ++i) {
        s.at(i).x = x0 + i * dx;
        s.at(i).value = values[static_cast<std::size_t>(i)];
    }
    return s;
}

inline std::vector<double> valuesOf(const spectre& s) {
    std::vector<double> v;
    for (const auto& p : s.points) v.push_back(p.value);
    return v;
}

} // namespace ombrelune::testing
