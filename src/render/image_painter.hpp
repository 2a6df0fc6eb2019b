#pragma once
// Drawing the 2D view's picture: the level map through a colour table with the cursor
// overlays, and the colour scale with its five labels. The screen, the printer, PDF, SVG,
// PNG, the clipboard and SavePlot2D all come here.

#include "plot/colour_tables.hpp"
#include "plot/graph2d_state.hpp"
#include "plot/image_levels.hpp"

#include <QImage>
#include <QRectF>

#include <vector>

class QPainter;

namespace ombrelune {

struct ImagePicture {
    const LevelMap* levels = nullptr; // must outlive the drawing
    ColourTable colours{};
    LevelScale scale;
    std::vector<OverlayLine> overlays;
    bool smooth = false; // bilinear resampling, else nearest neighbour
    double aspect = 1;   // how many times wider than tall a point is drawn
    char decimalSeparator = '.';
};

// The level map as an 8-bit indexed image over the map's own bytes (valid while the map
// lives unchanged): recolouring is a new colour table, nothing more.
QImage indexedPicture(const LevelMap& levels, const ColourTable& colours);

// The part `source` of the picture (in points, (0, 0) .. (nx, ny)) and the overlays over it,
// stretched into `target`. On a raster device without smoothing each device pixel takes the
// colour of the point under its centre, so only what is seen is coloured.
void paintPicture(QPainter& painter, const QRectF& target, const ImagePicture& picture,
                  const QRectF& source);
// The colour strip at the right of `target`, highest level on top, and the labels at its
// left, each at the height of its value.
void paintColourScale(QPainter& painter, const QRectF& target, const ImagePicture& picture);
// The exported picture: the colour scale at the left, the whole picture at the right,
// as large as `target` allows.
void paintImageWithScale(QPainter& painter, const QRectF& target, const ImagePicture& picture);
// The size of paintImageWithScale's picture with the image drawn at `zoom` screen pixels
// per point.
QSize imageWithScaleSize(const ImagePicture& picture, double zoom);

// The picture alone at a whole zoom: point (i, j) fills the zoom × zoom block whose top-left
// pixel is (i·zoom, j·zoom), in its level's colour. Indexed, so a PNG keeps the colours.
QImage zoomedPicture(const LevelMap& levels, const ColourTable& colours, int zoom);

} // namespace ombrelune
