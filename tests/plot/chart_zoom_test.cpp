// The Shift-drag zoom: a drag zooms every axis, a small drag undoes all zooms, a range
// too narrow is opened to a thousandth of the first one.

#include "fixed_metrics.hpp"

#include "plot/chart_zoom.hpp"

#include <gtest/gtest.h>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

ChartModel automaticChart() {
    ChartModel chart = chartWithAxes(0, 385, 0, 260);
    chart.setAutoSizing(AxisId::Y, true);
    chart.editAxis(AxisId::Y).Min = 0;
    chart.editAxis(AxisId::Y).Max = 260;
    chart.prepare(440, 330, FixedMetrics(0));
    return chart;
}

void drag(ChartZoom& zoom, ChartModel& chart, double x0, double y0, double x1, double y1) {
    zoom.begin(chart, x0, y0);
    zoom.finish(chart, x1, y1);
    chart.prepare(440, 330, FixedMetrics(0));
}

TEST(ChartZoom, ADragZoomsToTheRectangleFromEitherCorner) {
    ChartModel chart = automaticChart();
    ChartZoom zoom;
    drag(zoom, chart, 140, 230, 90, 130); // from the lower right to the upper left
    EXPECT_TRUE(zoom.zoomed());
    EXPECT_DOUBLE_EQ(chart.XAxis().Min, 50);
    EXPECT_DOUBLE_EQ(chart.XAxis().Max, 100);
    EXPECT_DOUBLE_EQ(chart.YAxis().Min, 60);
    EXPECT_DOUBLE_EQ(chart.YAxis().Max, 160);
    EXPECT_FALSE(chart.YAxis().AutoSizing);
}

TEST(ChartZoom, ASmallDragUndoesEveryZoomSinceTheFirst) {
    ChartModel chart = automaticChart();
    ChartZoom zoom;
    drag(zoom, chart, 90, 130, 140, 230);
    drag(zoom, chart, 100, 100, 200, 200);
    drag(zoom, chart, 100, 100, 300, 104); // 4 pixels high: not a zoom
    EXPECT_FALSE(zoom.zoomed());
    EXPECT_EQ(chart.XAxis().Min, 0);
    EXPECT_EQ(chart.XAxis().Max, 385);
    EXPECT_FALSE(chart.XAxis().AutoSizing);
    EXPECT_TRUE(chart.YAxis().AutoSizing);
    // Once forgotten, another small drag changes nothing.
    drag(zoom, chart, 100, 100, 101, 300);
    EXPECT_EQ(chart.XAxis().Max, 385);
}

TEST(ChartZoom, ANarrowRangeIsOpenedFromItsLowerEnd) {
    ChartModel chart = automaticChart();
    ChartZoom zoom;
    for (int k = 0; k < 3; ++k) drag(zoom, chart, 40, 30, 50, 40);
    // 385 -> 10 -> 0.26 -> 0.0067: the last is below 385 / 1000.
    EXPECT_DOUBLE_EQ(chart.XAxis().Min, 0);
    EXPECT_DOUBLE_EQ(chart.XAxis().Max, 0.385);
}

} // namespace
