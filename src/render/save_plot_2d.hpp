#pragma once
// SavePlot2D[file, image, palette, zscale, zmin, zmax, zoom] writes what a 2D view shows of
// an image: a ".png" holds the picture alone, point (i, j) filling the zoom × zoom block at
// (i·zoom, j·zoom) in its level's colour; an ".svg" or ".pdf" holds the picture with its
// colour scale and labels. zmin = zmax = 0 autoscales as the view does.

#include "plot/image_levels.hpp"
#include "store/workbench.hpp"

#include <string>

namespace ombrelune {

class Interpreter;
class CommandArgs;

void savePlot2D(Interpreter& in, const CommandArgs& args);

// The colour range SavePlot2D uses for an image: the bounds given, or with both 0 the
// view's autoscale.
LevelScale plotScale(const spectre& image, double zmin, double zmax, bool logarithmic);

} // namespace ombrelune
