#pragma once
// The chart's Shift-drag zoom. The first zoom since the last reset saves the sizing and
// bounds of the three axes; a drag of at least 5 pixels both ways zooms every axis to the
// dragged rectangle, and a smaller one restores what was saved and forgets it.

#include "plot/chart_model.hpp"

#include <array>
#include <optional>

namespace ombrelune {

class ChartZoom {
public:
    // Shortest drag, in pixels each way, that zooms.
    static constexpr double minimumDrag = 5;

    // A Shift-press at (px, py) starts a drag.
    void begin(const ChartModel& chart, double px, double py);
    // The release at (px, py) ends it and changes the chart's axes.
    void finish(ChartModel& chart, double px, double py);
    bool dragging() const { return dragging_; }
    // Whether axes are saved (a zoom is in force).
    bool zoomed() const { return saved_.has_value(); }
    double startX() const { return startX_; }
    double startY() const { return startY_; }

private:
    struct SavedAxis {
        bool AutoSizing = false;
        double Min = 0;
        double Max = 1;
    };
    std::optional<std::array<SavedAxis, 3>> saved_;
    bool dragging_ = false;
    double startX_ = 0;
    double startY_ = 0;
};

} // namespace ombrelune
