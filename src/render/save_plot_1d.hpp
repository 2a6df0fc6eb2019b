#pragma once
// The plot commands, bound by the programs that can draw (they need a QGuiApplication,
// offscreen will do).
//
// SavePlot1D[file, width, height, yscale, curveA, curveB, curveC, curveD] writes what a 1D
// view showing those curves would show (automatic axes, factor 1 on every curve, no cursors
// and no legend) as a PNG, SVG or PDF file chosen by the extension.

#include "plot/chart_model.hpp"
#include "store/workbench.hpp"

#include <array>
#include <string>

namespace ombrelune {

class CommandRegistry;

// Binds SavePlot1D and SavePlot2D.
void bindPlotCommands(CommandRegistry& registry);

// "lin" or "log" in any case (true for "log"); ERefused for anything else.
bool requireScaleType(const std::string& scale);

// The chart SavePlot1D draws for the named curves of the table ("" leaves a curve out).
// Raises ERefused for a name the table does not have or when no curve is named.
ChartModel graph1DPlot(Workbench& wb, const std::array<std::string, 4>& curves, bool logarithmicY);

} // namespace ombrelune
