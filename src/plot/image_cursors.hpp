#pragma once
// The two cursors of the 2D view and what they pick out of an image: the pixel under
// each, the cuts along its row and column, the profile along the segment between the two
// cursors and the sum over the box they span. Positions are in picture pixels, the point
// (i, j) covering [i, i + 1) × [j, j + 1).

#include "plot/chart_series.hpp"
#include "store/spectre.hpp"

#include <string>
#include <vector>

namespace ombrelune {

struct CursorPosition {
    double x = 0;
    double y = 0;
    friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

struct Pixel {
    int i = 0;
    int j = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// The pixel a cursor selects: the floor of each coordinate as its box shows it (ten
// decimals), so a position a hair below a whole number picks the pixel the box names.
Pixel cursorPixel(CursorPosition c);
// 0 <= i < nx and 0 <= j < ny: a cursor on the far edge (index equal to the size) or
// beyond selects nothing.
bool pixelInside(const spectre& image, Pixel p);

// The cut along the first index at row j, as a curve of nx points: x is i on a "raw"
// typeX, else the point's x; typeX is the image's typeX.
spectre rowCut(const spectre& image, int j, const std::string& name);
// The cut along the second index at column i: ny points whose x is j on a "raw" typeY,
// else the point's y; typeX is the image's typeY.
spectre columnCut(const spectre& image, int i, const std::string& name);

// The cut series of the chart: (i, value[i][j]) for every i, or (j, value[i][j]).
void fillRowSeries(TSeries& series, const spectre& image, int j);
void fillColumnSeries(TSeries& series, const spectre& image, int i);

// The pixels of the segment from a to b, stepping along the axis of the larger extent:
// at every i between the two (j = round(j1 + (j2 - j1)(i - i1) / (i2 - i1)), halves to
// even), or at every j likewise. Empty when a and b coincide: a segment of no length has
// no direction to step along.
std::vector<Pixel> segmentPixels(Pixel a, Pixel b);
// The profile series: (i, value) in `alongI` and (j, value) in `alongJ` for each pixel.
void fillProfileSeries(TSeries& alongI, TSeries& alongJ, const spectre& image,
                       const std::vector<Pixel>& pixels);

// The sum of the values over the pixels of the box with corners a and b, ends included,
// whatever the axis types (the box is the one drawn between the cursors); both pixels must
// lie inside the image.
double boxSum(const spectre& image, Pixel a, Pixel b);

} // namespace ombrelune
