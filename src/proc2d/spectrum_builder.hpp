#pragma once
// Results built outside the tables and stored once complete, so that a refused or failed
// step never leaves a half-made spectrum under the user's name.

#include "store/spectrum_table.hpp"

#include <cstddef>
#include <cstdint>

#include <string>

namespace ombrelune {

struct SpectrumSizes {
    std::int32_t nx = 0, ny = 0, nz = 0;
    std::size_t count = 0;
};
// The sizes as integers, or ERefused when they are negative, not finite, beyond 32 bits
// or too large to hold.
SpectrumSizes checkedSizes(const std::string& name, double nx, double ny, double nz);

// A cleared spectrum of those sizes. Sizes come from script numbers or files: anything
// negative, not finite, beyond 32 bits or too large to hold raises ERefused.
spectre newSpectre(const std::string& name, double nx, double ny, double nz);

// A spectrum of those sizes (checked as by newSpectre) whose points are point(i, j, k),
// set in storage order in one pass; its columns then take their simplest form.
template <typename PointOf>
spectre spectreFrom(const std::string& name, double nx, double ny, double nz, PointOf point) {
    spectre s = newSpectre(name, 0, 0, 0);
    const SpectrumSizes sizes = checkedSizes(name, nx, ny, nz);
    s.resize(sizes.nx, sizes.ny, sizes.nz);
    for (std::int32_t i = 0; i < sizes.nx; ++i)
        for (std::int32_t j = 0; j < sizes.ny; ++j)
            for (std::int32_t k = 0; k < sizes.nz; ++k) s.setPointAt(i, j, k, point(i, j, k));
    s.simplifyColumns();
    return s;
}

// Moves the result into the table under its name (replacing a spectrum of that name);
// raises ERefused when the table is full.
void storeResult(spectlist& table, spectre&& result);

// True when point (i, 0, 0) exists for every i < nx: a curve or image whose other sizes
// are at least 1.
inline bool hasFirstLayer(const spectre& s) {
    return s.ny >= 1 && s.nz >= 1;
}

// Number of points (i, 0, 0) that can be read: nx, or 0 when the spectrum has no points.
inline int curveLength(const spectre& s) {
    return hasFirstLayer(s) ? s.nx : 0;
}

// Whole-number text of a size for messages ("128 x 128").
std::string sizeText(double nx, double ny);

} // namespace ombrelune
