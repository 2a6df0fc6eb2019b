#pragma once
// Boxcar smoothing of curves (Smooth1D) and images (Smooth2D).
//
// Half-width w = round((width - 1) / 2), halves to even. Interior points become the sum of
// the (2w + 1) values around them (a square for images) divided by the width as given
// (width² for images), so an even width divides by a number other than the count, as the
// users of these commands expect. Points within w of an edge keep the source's values.
// The result is built from the source alone, so the destination may name the source.

#include "store/spectre.hpp"

#include <string>

namespace ombrelune {

// Source x and value copied, typeX copied; raises ERefused for a width below 1 or not
// finite (a width of 0 would divide every value by zero).
spectre smoothCurve(const spectre& source, double width, const std::string& name);
// The same on an image: x, y, value, typeX and typeY copied.
spectre smoothImage(const spectre& source, double width, const std::string& name);

} // namespace ombrelune
