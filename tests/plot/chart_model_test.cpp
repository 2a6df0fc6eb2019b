// The chart model: pixel and data conversions, the ranges a layout gives the axes, errors,
// the nearest point, marks and copies.

#include "fixed_metrics.hpp"

#include "plot/chart_model.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

TEST(ChartModel, LinearConversionsBothWays) {
    ChartModel chart = chartWithAxes(0, 385, -10, 250);
    const ChartFrame& f = chart.frame();
    EXPECT_EQ(f.area.left, 40);
    EXPECT_EQ(f.area.top, 30);
    EXPECT_EQ(f.area.width(), 385);
    EXPECT_EQ(f.area.height(), 260);
    EXPECT_DOUBLE_EQ(chart.XFromPixel(40), 0);
    EXPECT_DOUBLE_EQ(chart.XFromPixel(140), 100);
    EXPECT_DOUBLE_EQ(chart.YFromPixel(30), 250);
    EXPECT_DOUBLE_EQ(chart.YFromPixel(290), -10);
    const AxisMap& x = f.maps[0];
    const AxisMap& y = f.maps[1];
    EXPECT_EQ(x.toPixel(100.4), 140);
    EXPECT_EQ(x.toPixel(100.5), 140); // the nearest integer, halves to even
    EXPECT_EQ(x.toPixel(101.5), 142);
    EXPECT_EQ(y.toPixel(0), 280);
    EXPECT_EQ(y.toPixel(250), 30);
    // Far outside, pixels stop 20000 from the edge, on either side.
    EXPECT_EQ(x.toPixel(1e12), 40 + 20000);
    EXPECT_EQ(x.toPixel(-1e12), 40 - 20000);
    EXPECT_EQ(y.toPixel(1e12), 30 - 20000);
    EXPECT_EQ(y.toPixel(-1e12), 30 + 20000);
}

TEST(ChartModel, LogarithmicConversionsAndValuesAtOrBelowZero) {
    ChartModel chart = chartWithAxes(0, 1, 1, 1000, true);
    const AxisMap& y = chart.frame().maps[1];
    EXPECT_NEAR(y.scale(), 260 / std::log(1000.0), 1e-12);
    EXPECT_EQ(y.toPixel(1000), 30);
    EXPECT_EQ(y.toPixel(1), 290);
    EXPECT_EQ(y.toPixel(std::sqrt(1000.0)), 160);
    // y <= 0 has no logarithm: it is drawn at the bottom of the plot area.
    EXPECT_EQ(y.toPixel(0), 290);
    EXPECT_EQ(y.toPixel(-5), 290);
    EXPECT_NEAR(chart.YFromPixel(30), 1000, 1e-9);
    EXPECT_NEAR(chart.YFromPixel(160), std::sqrt(1000.0), 1e-9);
    EXPECT_NEAR(chart.YFromPixel(290), 1, 1e-12);
}

TEST(ChartModel, ResolutionRoundsToDevicePixels) {
    ChartModel chart = chartWithAxes(0, 385, 0, 260);
    const AxisMap& x = chart.frame().maps[0];
    EXPECT_EQ(x.toPixel(10.3, 4), 50.25);
    EXPECT_EQ(x.toPixel(10.3, 1), 50);
}

TEST(ChartModel, AutomaticAxesFollowTheActiveSeries) {
    ChartModel chart;
    chart.editAxis(AxisId::X).AutoSizing = chart.editAxis(AxisId::Y).AutoSizing = true;
    chart.editAxis(AxisId::X).AutoStepping = chart.editAxis(AxisId::Y).AutoStepping = true;
    TSeries& a = chart.Series(1);
    a.AddPoint(0.3, 0);
    a.AddPoint(9.7, 5);
    TSeries& hidden = chart.Series(2);
    hidden.AddPoint(-100, 1000);
    hidden.setActive(false);
    chart.prepare(440, 330, FixedMetrics());
    EXPECT_EQ(chart.XAxis().Min, 0);
    EXPECT_EQ(chart.XAxis().Max, 10);
    EXPECT_EQ(chart.YAxis().Min, -1);
    EXPECT_EQ(chart.YAxis().Max, 6);
    EXPECT_TRUE(chart.frame().error.empty());
    EXPECT_FALSE(chart.frame().ticks[0].ticks.empty());
}

TEST(ChartModel, ALogarithmicAxisScalesOnThePositiveValues) {
    ChartModel chart;
    TAxis& y = chart.editAxis(AxisId::Y);
    y.AutoSizing = y.AutoStepping = y.LogScale = true;
    TSeries& s = chart.Series(1);
    for (double v : {-3.0, 0.0, 2.0, 50.0}) s.AddPoint(v, v);
    chart.prepare(440, 330, FixedMetrics());
    EXPECT_NEAR(chart.YAxis().Min, 2, 1e-6);
    EXPECT_NEAR(chart.YAxis().Max, 50, 1e-6);
    EXPECT_TRUE(chart.frame().error.empty());
}

TEST(ChartModel, AxisThatCannotBeScaled) {
    ChartModel chart = chartWithAxes(5, 5, 0, 1);
    EXPECT_FALSE(chart.frame().scalable[0]);
    EXPECT_EQ(chart.frame().error, "X axisCalcMetrics: XMin>=XMax");
    ChartModel logChart = chartWithAxes(0, 1, 0, 10, true);
    EXPECT_FALSE(logChart.frame().scalable[1]);
    EXPECT_NE(logChart.frame().error.find("Y axisCalcMetrics"), std::string::npos);
    // The hidden second axis is never in the way.
    EXPECT_TRUE(chartWithAxes(0, 1, 0, 1).frame().error.empty());
}

TEST(ChartModel, MarginsGrowForLongLabelsOnly) {
    ChartModel chart;
    chart.setMin(AxisId::Y, 0);
    chart.setMax(AxisId::Y, 1e6);
    chart.editAxis(AxisId::Y).StepSize = 2e5;
    chart.prepare(440, 330, FixedMetrics());
    // Labels such as "2.0E+5" need more than 40 pixels beside the axis.
    EXPECT_GT(chart.frame().area.left, 40);
    ChartModel small = chartWithAxes(0, 1, 0, 1);
    small.prepare(440, 330, FixedMetrics());
    EXPECT_EQ(small.frame().area.left, 40);
    EXPECT_EQ(small.frame().area.bottom, 290);
    EXPECT_TRUE(small.frame().showGraphTitle);
    small.Dimensions.TopMargin = 8;
    small.prepare(440, 330, FixedMetrics());
    EXPECT_FALSE(small.frame().showGraphTitle); // no room above the plot
}

TEST(ChartModel, NearestPoint) {
    ChartModel chart = chartWithAxes(0, 385, 0, 1);
    TSeries& s = chart.Series(1);
    for (double x : {10.0, 20.0, 30.0, 100.0}) s.AddPoint(x, x / 1000);
    const auto xAt = [&](double px) {
        const auto p = chart.NearestPoint(1, px);
        return p ? p->x : -1;
    };
    EXPECT_EQ(xAt(40 + 0), 10); // left of the first point
    EXPECT_EQ(xAt(40 + 14), 10);
    EXPECT_EQ(xAt(40 + 15), 10); // the midpoint goes to the point before
    EXPECT_EQ(xAt(40 + 16), 20);
    EXPECT_EQ(xAt(40 + 30), 30);
    EXPECT_EQ(xAt(40 + 60), 30); // between the last two, nearer the one before
    EXPECT_EQ(xAt(40 + 70), 100);
    EXPECT_EQ(xAt(40 + 200), 100); // past the last point
    EXPECT_EQ(xAt(40 + 386), -1);  // right of the X axis' maximum
    EXPECT_EQ(xAt(39), -1);        // left of its minimum
    EXPECT_FALSE(chart.NearestPoint(2, 100));
}

TEST(ChartModel, MarksKeepTheirNumbers) {
    ChartModel chart;
    int redraws = 0;
    chart.onChanged = [&] { ++redraws; };
    EXPECT_TRUE(chart.AddMark({1, {255, 0, 0}, 3, 0, 3, 1, "1", 0, 0, 3}));
    EXPECT_FALSE(chart.AddMark({1, {0, 0, 255}, 5, 0, 5, 1, "x", 0, 0, 3}));
    EXPECT_EQ(chart.Mark(1)->x1, 3);
    TMark moved = *chart.Mark(1);
    chart.updateMark(moved);
    EXPECT_EQ(redraws, 1); // unchanged
    moved.x1 = 4;
    chart.updateMark(moved);
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(chart.Mark(1)->x1, 4);
    EXPECT_EQ(chart.Mark(2), nullptr);
}

TEST(ChartModel, ACopyIsIndependentAndAssigningItBackRedraws) {
    ChartModel chart;
    int redraws = 0;
    chart.onChanged = [&] { ++redraws; };
    chart.Series(1).AddPoint(1, 1);
    ChartModel copy = chart;
    EXPECT_FALSE(copy.onChanged);
    copy.Series(1).AddPoint(2, 2);
    copy.Series(3).setSeriesName("new");
    copy.setTitle(AxisId::X, "q");
    EXPECT_EQ(chart.Series(1).size(), 1u);
    EXPECT_EQ(chart.findSeries(3), nullptr);
    redraws = 0;
    chart = copy;
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(chart.XAxis().Title, "q");
    chart.Series(3).setSeriesName("again"); // the copied series tell this chart
    EXPECT_EQ(redraws, 2);
}

TEST(ChartModel, SettingABoundSwitchesAutomaticSizingOff) {
    ChartModel chart;
    chart.setAutoSizing(AxisId::Y, true);
    chart.setMax(AxisId::Y, 7);
    EXPECT_FALSE(chart.YAxis().AutoSizing);
    EXPECT_EQ(chart.YAxis().Max, 7);
}

} // namespace
