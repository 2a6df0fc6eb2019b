#pragma once
// The state of one 2D view and the steps its events take, free of any toolkit: the shown
// image and stack (looked up by name in the tables at every step), the colour range and
// palette, the zoom, the two cursors and what follows from placing them (the cut chart,
// the cut, projection and radial curves written to the curve table, the box sum), the
// stack projection and the masks. The window turns events into these calls, then draws
// and asks the other views to refresh.

#include "plot/colour_tables.hpp"
#include "plot/cut_chart.hpp"
#include "plot/graph2d_rules.hpp"
#include "plot/image_cursors.hpp"
#include "plot/image_levels.hpp"
#include "plot/stack_projection.hpp"
#include "store/workbench.hpp"

#include <array>
#include <string>
#include <vector>

namespace ombrelune {

// A straight line over the picture, in picture pixels (point (i, j) has its centre at
// (i + 0.5, j + 0.5)).
struct OverlayLine {
    Rgb colour;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const OverlayLine&, const OverlayLine&) = default;
};

class Graph2DState {
public:
    // The cut chart belongs to the widget that shows it; it is set up here.
    Graph2DState(Workbench& wb, ChartModel& cuts);

    Workbench& wb;
    std::string shownImage = "ACUP";
    std::string shownStack = "data3D";
    LevelScale scale;
    bool autoScale = false;
    int palette = paletteRouge;
    bool interpolate = false;
    double zoom = 1;
    // How many times wider than tall a point is drawn.
    double aspect = 1;
    std::array<CursorPosition, 2> cursors{};
    double Zval1 = 0;
    double Zval2 = 0;
    double somme = 0;
    double Xcen = 64;
    double Ycen = 64;
    ChartModel& cuts;
    int cutChartItem = 0;
    CutAxisBoxes cutAxis;
    StackAxis xProjection = StackAxis::X;
    StackAxis yProjection = StackAxis::Y;
    ProjectionRanges ranges;
    int sliceNumber = 1;

    // The shown image and stack, or nullptr when their names are not in the tables.
    const spectre* image() const { return wb.spectres2D.find(shownImage); }
    const spectre* stack() const { return wb.spectres3D.find(shownStack); }
    Pixel pixel(int cursor) const { return cursorPixel(cursors[static_cast<std::size_t>(cursor)]); }

    // Placing a cursor (mouse buttons): its cuts, curves and value when it lies on the
    // image. Cursor 1 also refreshes the radial average around the centre boxes. Each
    // returns false, and changes nothing, when there is no shown image.
    bool placeCursor1(CursorPosition p);
    bool placeCursor2(CursorPosition p);
    // Up or "a": cursor 1 moves by one pixel along both axes. Down or "z": cursor 2 goes
    // one pixel up and left of cursor 1.
    bool moveCursor1ByKey();
    bool moveCursor2ByKey();
    // After every click and key: the profile in the diagonal modes, the projections between
    // the cursors and the box sum when both cursors lie on the image.
    void commonSteps();

    // The colour range of a spectrum when autoscale is on; false when it is off or the
    // spectrum has no points.
    bool autoscaleOn(const spectre* s);
    bool autoscale() { return autoscaleOn(image()); }
    void setLogarithmic(bool on) { scale = withScaleType(scale, on); }
    void setCutChartItem(int item);
    void setCutsLogScale(bool on) { ombrelune::setCutsLogScale(cuts, on, cutAxis); }

    // Projects the shown stack onto the shown image (both must exist and the axes differ),
    // then autoscales; false when nothing was projected.
    bool projectStack();
    // Sets the Z range to slice `slice` alone and projects; false for a slice outside the
    // stack.
    bool selectSlice(int slice);

    // "Set Mask": the mask of that type item built from the cursor positions, stored under
    // `name` (older masks of that name accumulate). Raises ERefused when the table is full.
    bool setMask(int typeItem, const std::string& name);
    // The radial average around the rounded centre boxes, as the curve "Circulaire".
    bool averageAroundCentre();

    // The cursor lines across the whole picture and, in the diagonal modes, the segment.
    std::vector<OverlayLine> overlays() const;
    // The hint of the image list: the image's comment and one line per condition.
    std::string hint() const;

private:
    void cursorSteps(int cursor, CutSeries row, CutSeries column, const char* rowName,
                     const char* columnName);
    void storeCurve(spectre&& curve);
    bool segmentShown_ = false;
};

} // namespace ombrelune
