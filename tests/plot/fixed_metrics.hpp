#pragma once
// Text sizes for layouts on plain values: every character 5 pixels wide, lines as high as
// the font, or nothing at all (so the margins stay as set).

#include "plot/chart_model.hpp"

namespace ombrelune::testing {

class FixedMetrics : public TextMetrics {
public:
    explicit FixedMetrics(double characterWidth = 5) : characterWidth_(characterWidth) {}
    double width(const std::string& text, const FontSpec&) const override {
        return characterWidth_ * static_cast<double>(text.size());
    }
    double height(const FontSpec& font) const override {
        return characterWidth_ > 0 ? font.pixelHeight : 0;
    }

private:
    double characterWidth_;
};

// A chart 440 x 330 with the default margins (left 40, right 15, top 30, bottom 40): a plot
// area 385 x 260 from (40, 30), axes set by hand.
inline ChartModel chartWithAxes(double xMin, double xMax, double yMin, double yMax,
                                bool logY = false) {
    ChartModel chart;
    chart.setMin(AxisId::X, xMin);
    chart.setMax(AxisId::X, xMax);
    chart.setMin(AxisId::Y, yMin);
    chart.setMax(AxisId::Y, yMax);
    chart.setLogScale(AxisId::Y, logY);
    chart.prepare(440, 330, FixedMetrics(0));
    return chart;
}

} // namespace ombrelune::testing
