#pragma once
// Results built outside the tables and stored once complete, so that a refused or failed
// step never leaves a half-made spectrum under the user's name.

#include "store/spectlist.hpp"

#include <string>

namespace ombrelune {

// A cleared spectrum of those sizes. Sizes come from script numbers or files: anything
// negative, not finite, beyond 32 bits or too large to hold raises ERefused.
spectre newSpectre(const std::string& name, double nx, double ny, double nz);

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
