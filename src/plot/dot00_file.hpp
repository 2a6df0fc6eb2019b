#pragma once
// The ".00" text curves the 1D view reads ("Read From .00"): a first line that is skipped,
// then one point per line, fields apart at tabs and commas, the first field x and the
// second the value, with a point as decimal separator.

#include "store/spectrum_table.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace ombrelune {

struct Dot00Point {
    double x = 0;
    double value = 0;
};

// The points of a file. An empty or missing field reads 0; blank lines are skipped. Raises
// EInOutError when the file cannot be read or a field is not a number (naming the line).
std::vector<Dot00Point> readDot00File(const std::filesystem::path& file);

// Stores the points as the curve `name` of the table: into an existing curve of that name
// (resized to the number of points when its size differs, other fields kept), or a new
// one. Returns the slot, or -1 when the table refuses the curve.
int storeDot00Curve(spectlist& table, const std::string& name,
                    const std::vector<Dot00Point>& points);

} // namespace ombrelune
