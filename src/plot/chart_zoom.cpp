#include "plot/chart_zoom.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

void ChartZoom::begin(const ChartModel& chart, double px, double py) {
    dragging_ = true;
    startX_ = px;
    startY_ = py;
    if (saved_) return;
    saved_.emplace();
    for (AxisId id : allAxes) {
        const TAxis& a = chart.axis(id);
        (*saved_)[ChartModel::index(id)] = {a.AutoSizing, a.Min, a.Max};
    }
}

void ChartZoom::finish(ChartModel& chart, double px, double py) {
    if (!dragging_) return;
    dragging_ = false;
    if (std::fabs(px - startX_) < minimumDrag || std::fabs(py - startY_) < minimumDrag) {
        if (!saved_) return;
        for (AxisId id : allAxes) {
            const SavedAxis& s = (*saved_)[ChartModel::index(id)];
            TAxis& a = chart.editAxis(id);
            a.AutoSizing = s.AutoSizing;
            a.Min = s.Min;
            a.Max = s.Max;
        }
        saved_.reset();
        chart.changed();
        return;
    }
    for (AxisId id : allAxes) {
        if (!chart.frame().scalable[ChartModel::index(id)]) continue;
        const bool vertical = id != AxisId::X;
        // Rows grow downwards, values upwards: the lower value is at the larger row.
        const double a =
            chart.valueFromPixel(id, vertical ? std::max(py, startY_) : std::min(px, startX_));
        const double b =
            chart.valueFromPixel(id, vertical ? std::min(py, startY_) : std::max(px, startX_));
        const SavedAxis& s = (*saved_)[ChartModel::index(id)];
        // A range too narrow to show anything is opened to a thousandth of the first one.
        const double narrowest = (s.Max - s.Min) / 1000;
        TAxis& axis = chart.editAxis(id);
        axis.Min = a;
        axis.Max = b - a < narrowest ? a + narrowest : b;
        axis.AutoSizing = false;
    }
    chart.changed();
}

} // namespace ombrelune
