#pragma once
// The chart of cuts under the 2D view's picture: six series (the row and column cuts
// through each cursor and the profile along the segment against i and against j), the
// choice of which of them are shown, its logarithmic Y axis, and the shown curves as text
// for the clipboard.

#include "plot/chart_model.hpp"

#include <array>
#include <string>
#include <string_view>

namespace ombrelune {

enum CutSeries : int {
    rowCut1 = 1,
    columnCut1 = 2,
    rowCut2 = 3,
    columnCut2 = 4,
    profileAlongI = 5,
    profileAlongJ = 6,
};
inline constexpr int cutSeriesCount = 6;

// The items of the choice of shown series (TypeGraphCombo), in order.
inline constexpr std::array<std::string_view, 6> cutChartItems{
    "Horizontales", "Verticales", "Curseur 1", "Curseur 2", "DiagonaleX", "DiagonaleY"};
inline constexpr int diagonalX = 4;
inline constexpr int diagonalY = 5;
inline bool isDiagonalItem(int item) { return item == diagonalX || item == diagonalY; }

// The six series with their names, colours and solid lines without symbols; automatic axes.
void configureCutChart(ChartModel& chart);
// Shows the series of an item and hides the others.
void showCutSeries(ChartModel& chart, int item);

// The Y axis of the cuts: ticked, a negative minimum box becomes max / 10 and is applied
// before the axis turns logarithmic; cleared, the axis turns linear.
struct CutAxisBoxes {
    double z1DMin = 0.00001;
    double z1DMax = 1;
};
void setCutsLogScale(ChartModel& chart, bool on, CutAxisBoxes& boxes);

// The shown series as tab-separated columns, an x and a y column per series under a line
// of their names; numbers in the general format with the given separator.
std::string shownSeriesText(const ChartModel& chart, char decimalSeparator);

} // namespace ombrelune
