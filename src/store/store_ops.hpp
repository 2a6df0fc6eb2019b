#pragma once
// Whole-spectrum operations inside one table, by name. Each returns true when done and
// false when refused (missing operand, different sizes, a result that cannot be made);
// a refused operation changes nothing.

#include "store/spectrum_table.hpp"

#include <optional>
#include <string_view>
#include <utility>

namespace ombrelune {

bool opAdd(spectlist& t, std::string_view a, std::string_view b, std::string_view r);
bool opSub(spectlist& t, std::string_view a, std::string_view b, std::string_view r);
bool opMult(spectlist& t, std::string_view a, std::string_view b, std::string_view r);
bool opDiv(spectlist& t, std::string_view a, std::string_view b, std::string_view r);

bool opScalAdd(spectlist& t, std::string_view a, std::string_view r, double s);
bool opScalSub(spectlist& t, std::string_view a, std::string_view r, double s);
bool opScalMult(spectlist& t, std::string_view a, std::string_view r, double s);
bool opScalDiv(spectlist& t, std::string_view a, std::string_view r, double s);
bool opSqrt(spectlist& t, std::string_view a, std::string_view r);

// Sum of value over the points (i, 0, 0) in a range: index range (bounds rounded half to
// even) for a "raw" axis, else the points whose x lies in [from, to].
double integral1D(const spectre& curve, double from, double to);
// Sum of value over all points.
double total(const spectre& s);
// Smallest and largest value of layer 0, or nothing for a spectrum without points.
std::optional<std::pair<double, double>> valueRange(const spectre& s);

// Round to the nearest integer, halves to the even neighbour.
double roundHalfEven(double v);

} // namespace ombrelune
