#pragma once
// Series of a chart as tab-separated text for the clipboard: an x and a y column per
// series under a line of their names, shorter series padded with empty cells.

#include "plot/chart_series.hpp"

#include <string>
#include <vector>

namespace ombrelune {

struct NamedSeries {
    std::string name;
    const TSeries* series = nullptr;
};

// Headers "name x" and "name"; numbers in the general format with the given separator.
std::string seriesColumnsText(const std::vector<NamedSeries>& shown, char decimalSeparator);

} // namespace ombrelune
