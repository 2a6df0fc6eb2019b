#pragma once
// ChartModel: everything TCurveChart knows, free of any toolkit. Three axes, the
// dimensions, appearance and legend settings, the numbered series and marks, and the frame
// of the last layout (plot area, pixel mappings, ticks) through which pixels and data are
// converted. Whatever changes what is drawn calls changed(), which asks the view (through
// onChanged) for a redraw; the view batches those requests.
//
// A redraw first calls prepare() with the size of the picture: the axes take their ranges
// from the data, the ticks and labels are computed, the margins grow where the labels need
// it, and the pixel mappings follow. Then a painter draws frame() as it stands.

#include "numeric/axis_ticks.hpp"
#include "plot/chart_axis.hpp"
#include "plot/chart_series.hpp"
#include "plot/chart_settings.hpp"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ombrelune {

enum class AxisId { X = 0, Y = 1, Y2 = 2 };
inline constexpr std::array<AxisId, 3> allAxes{AxisId::X, AxisId::Y, AxisId::Y2};

struct PlotArea {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool contains(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// Text sizes in chart pixels, from whatever draws the text.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual double width(const std::string& text, const FontSpec& font) const = 0;
    virtual double height(const FontSpec& font) const = 0;
};

// The result of a layout, what the painter draws.
struct ChartFrame {
    double width = 0;
    double height = 0;
    PlotArea area;
    // Each axis: whether its bounds can be mapped (else it shows the error caption), its
    // mapping and its ticks.
    std::array<bool, 3> scalable{true, true, true};
    std::array<AxisMap, 3> maps{};
    std::array<AxisTicks, 3> ticks{};
    // The error of this layout ("" when none): an axis that cannot be scaled, or a range
    // rule that failed. With an error nothing is drawn beyond the frame and the axes.
    std::string error;
    // Whether the graph title fits in the top margin.
    bool showGraphTitle = false;
};

class ChartModel {
public:
    ChartModel();
    ChartModel(const ChartModel& other);
    // Takes every setting, series and mark of `other`; keeps this model's onChanged and
    // calls it.
    ChartModel& operator=(const ChartModel& other);

    // Called (when set) for every change that needs a redraw while Plotting is on.
    std::function<void()> onChanged;
    void changed();

    TDimensions Dimensions;
    TAppearance Appearance;
    TLegend Legend;
    // The separator of tick labels (the user's).
    char decimalSeparator = '.';

    bool Plotting() const { return plotting_; }
    // While false nothing is redrawn; setting it true redraws.
    void setPlotting(bool on);

    const TAxis& axis(AxisId id) const { return axes_[index(id)]; }
    const TAxis& XAxis() const { return axis(AxisId::X); }
    const TAxis& YAxis() const { return axis(AxisId::Y); }
    const TAxis& YAxis_Second() const { return axis(AxisId::Y2); }
    // Direct access for whole-setting edits (window set-up, dialogs); call changed() after.
    TAxis& editAxis(AxisId id) { return axes_[index(id)]; }
    // Set the bound, switch that axis' automatic sizing off and redraw.
    void setMin(AxisId id, double v);
    void setMax(AxisId id, double v);
    void setAutoSizing(AxisId id, bool on);
    void setLogScale(AxisId id, bool on);
    void setTitle(AxisId id, const std::string& title);

    // The series numbered n, made with its defaults when there is none.
    TSeries& Series(int n);
    const TSeries* findSeries(int n) const;
    TSeries* findSeries(int n);
    void deleteSeries(int n);
    // In number order.
    const std::map<int, TSeries>& seriesList() const { return series_; }
    bool hasPoints() const;

    // Adds a mark; false (and nothing changes) when the number is in use.
    bool AddMark(const TMark& mark);
    const TMark* Mark(int number) const;
    // Replaces the mark of that number; redraws when it differs.
    void updateMark(const TMark& mark);
    void deleteMark(int number);
    const std::map<int, TMark>& marks() const { return marks_; }

    // Lays the chart out on a picture of width x height chart pixels (see the header note).
    void prepare(double width, double height, const TextMetrics& metrics);
    const ChartFrame& frame() const { return frame_; }

    // Data coordinates of a pixel column or row, through the last layout.
    double XFromPixel(double px) const { return frame_.maps[0].fromPixel(px); }
    double YFromPixel(double py) const { return frame_.maps[1].fromPixel(py); }
    double valueFromPixel(AxisId id, double pixel) const {
        return frame_.maps[index(id)].fromPixel(pixel);
    }
    // The point of series n nearest to pixel column px, or nothing when there is no such
    // series, it is empty, or the column lies outside the X axis' range.
    std::optional<SeriesPoint> NearestPoint(int n, double px) const;

    // Whether a series is drawn: active, with points, and on a logarithmic X axis with
    // positive x only.
    bool drawable(const TSeries& s) const;
    // The vertical axis a series is plotted against.
    AxisId verticalAxisOf(const TSeries& s) const {
        return s.settings().onSecondAxis ? AxisId::Y2 : AxisId::Y;
    }

    static std::size_t index(AxisId id) { return static_cast<std::size_t>(id); }

private:
    void rewireSeries();
    void scaleAxesToData();
    void layOut(const TextMetrics& metrics);
    std::string axisError(AxisId id) const;

    std::array<TAxis, 3> axes_;
    std::map<int, TSeries> series_;
    std::map<int, TMark> marks_;
    bool plotting_ = true;
    ChartFrame frame_;
};

} // namespace ombrelune
