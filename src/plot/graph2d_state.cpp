#include "plot/graph2d_state.hpp"

#include "plot/graph1d_model.hpp"
#include "plot/graph2d_rules.hpp"
#include "proc2d/beam_centre.hpp"
#include "proc2d/masks.hpp"
#include "proc2d/projections.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

Graph2DState::Graph2DState(Workbench& workbench, ChartModel& cutChart)
    : wb(workbench), cuts(cutChart) {
    configureCutChart(cuts);
    setCutChartItem(0);
}

void Graph2DState::storeCurve(spectre&& curve) { wb.spectres1D.store(std::move(curve)); }

void Graph2DState::cursorSteps(int cursor, CutSeries row, CutSeries column, const char* rowName,
                               const char* columnName) {
    const spectre& im = *image();
    cuts.Series(row).Clear();
    const Pixel p = pixel(cursor);
    if (!pixelInside(im, p)) return;
    fillRowSeries(cuts.Series(row), im, p.j);
    fillColumnSeries(cuts.Series(column), im, p.i);
    (cursor == 0 ? Zval1 : Zval2) = im.valueAt(p.i, p.j);
    storeCurve(rowCut(im, p.j, rowName));
    storeCurve(columnCut(im, p.i, columnName));
}

bool Graph2DState::placeCursor1(CursorPosition p) {
    const spectre* im = image();
    if (!im) return false;
    cursors[0] = p;
    cursorSteps(0, rowCut1, columnCut1, "C1H", "C1V");
    if (pixelInside(*im, pixel(0)))
        storeCurve(radialAverage(*im, "Circulaire", 2, std::floor(Xcen), std::floor(Ycen)));
    return true;
}

bool Graph2DState::placeCursor2(CursorPosition p) {
    if (!image()) return false;
    cursors[1] = p;
    cursorSteps(1, rowCut2, columnCut2, "C2H", "C2V");
    return true;
}

bool Graph2DState::moveCursor1ByKey() {
    return placeCursor1({cursors[0].x + 1, cursors[0].y + 1});
}

bool Graph2DState::moveCursor2ByKey() {
    return placeCursor2({cursors[0].x - 1, cursors[0].y - 1});
}

void Graph2DState::commonSteps() {
    const spectre* im = image();
    if (!im) return;
    const Pixel a = pixel(0), b = pixel(1);
    const bool bothInside = pixelInside(*im, a) && pixelInside(*im, b);
    segmentShown_ = isDiagonalItem(cutChartItem);
    if (segmentShown_)
        fillProfileSeries(cuts.Series(profileAlongI), cuts.Series(profileAlongJ), *im,
                          bothInside ? segmentPixels(a, b) : std::vector<Pixel>{});
    somme = 0;
    if (!bothInside) return;
    // Each projection runs along the axis it keeps, and says so in its type.
    spectre pv = horizontalProjection(*im, "PV", std::min(a.i, b.i), std::max(a.i, b.i));
    pv.typeX = im->typeY;
    storeCurve(std::move(pv));
    spectre ph = verticalProjection(*im, "PH", std::min(a.j, b.j), std::max(a.j, b.j));
    ph.typeX = im->typeX;
    storeCurve(std::move(ph));
    somme = boxSum(*im, a, b);
}

bool Graph2DState::autoscaleOn(const spectre* s) {
    if (!autoScale || !s) return false;
    const auto range = autoscaled(*s, scale.logarithmic);
    if (!range) return false;
    scale = *range;
    return true;
}

void Graph2DState::setCutChartItem(int item) {
    cutChartItem = item;
    showCutSeries(cuts, item);
}

bool Graph2DState::projectStack() {
    const spectre* s = stack();
    if (!s || !image()) return false;
    auto projected = ombrelune::projectStack(*s, xProjection, yProjection, ranges, shownImage);
    if (!projected) return false;
    projected->name = image()->name;
    wb.spectres2D.store(std::move(*projected));
    autoscale();
    return true;
}

bool Graph2DState::selectSlice(int slice) {
    const spectre* s = stack();
    if (!s) return false;
    const auto range = sliceRange(*s, slice);
    if (!range) return false;
    sliceNumber = slice;
    ranges.ltMin = range->ltMin;
    ranges.ltMax = range->ltMax;
    return projectStack();
}

bool Graph2DState::setMask(int typeItem, const std::string& name) {
    const spectre* im = image();
    if (!im || typeItem < 0 || typeItem >= static_cast<int>(maskTypeItems.size())) return false;
    const auto build = maskBuilderNamed(maskTypeItems[static_cast<std::size_t>(typeItem)]);
    if (!build) return false;
    spectre mask = (*build)(*im, name, cursors[0].x, cursors[0].y, cursors[1].x, cursors[1].y);
    storeMask(wb.spectres2D, std::move(mask), name);
    return true;
}

bool Graph2DState::averageAroundCentre() {
    const spectre* im = image();
    if (!im) return false;
    storeCurve(radialAverage(*im, "Circulaire", 5, roundHalfEven(Xcen), roundHalfEven(Ycen)));
    return true;
}

std::vector<OverlayLine> Graph2DState::overlays() const {
    const spectre* im = image();
    const double w = im ? im->nx : 0, h = im ? im->ny : 0;
    const Pixel a = pixel(0), b = pixel(1);
    const double ai = a.i + 0.5, aj = a.j + 0.5, bi = b.i + 0.5, bj = b.j + 0.5;
    std::vector<OverlayLine> lines{
        {{127, 0, 0}, 0, aj, w, aj},
        {{255, 0, 0}, ai, 0, ai, h},
        {{0, 0, 127}, 0, bj, w, bj},
        {{0, 0, 255}, bi, 0, bi, h},
    };
    if (segmentShown_) lines.push_back({{0, 127, 0}, ai, aj, bi, bj});
    return lines;
}

std::string Graph2DState::hint() const {
    const spectre* im = image();
    return im ? curveHint(*im, wb.decimalSeparator) : std::string();
}

} // namespace ombrelune
