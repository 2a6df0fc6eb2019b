// Series: insertion order, replacement within the tolerance, ids, iteration and statistics.

#include "plot/chart_model.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace ombrelune;

namespace {

std::vector<SeriesPoint> allPoints(TSeries& s) {
    std::vector<SeriesPoint> out;
    for (auto p = s.FirstPoint(); p; p = s.NextPoint()) out.push_back(*p);
    return out;
}

TEST(ChartSeries, PointsComeOutInXOrderWithIdsInOrderOfAddition) {
    TSeries s(1);
    for (double x : {5.0, 3.0, 4.0, 1.0, 6.0}) s.AddPoint(x, 10 * x);
    EXPECT_EQ(allPoints(s), (std::vector<SeriesPoint>{
                                {4, 1, 10}, {2, 3, 30}, {3, 4, 40}, {1, 5, 50}, {5, 6, 60}}));
}

TEST(ChartSeries, AnEqualXReplacesTheValueAndKeepsTheId) {
    TSeries s(1);
    s.AddPoint(1, 1);
    s.AddPoint(2, 2);
    s.AddPoint(3, 3);
    EXPECT_EQ(s.AddPoint(2, 20), 2); // in the middle
    EXPECT_EQ(s.AddPoint(3, 30), 3); // the last point
    EXPECT_EQ(allPoints(s), (std::vector<SeriesPoint>{{1, 1, 1}, {2, 2, 20}, {3, 3, 30}}));
    EXPECT_EQ(s.AddPoint(4, 4), 4); // ids go on after replacements
}

TEST(ChartSeries, ErrorsFollowTheirPointsThroughOrderAndReplacement) {
    TSeries s(1);
    s.AddPoint(5, 50);
    EXPECT_FALSE(s.hasErrors());
    EXPECT_TRUE(std::isnan(s.errorAt(0)));
    s.AddPoint(3, 30, 3);
    s.AddPoint(4, 40, 4);
    s.AddPoint(1, 10); // without an error among points with one
    ASSERT_TRUE(s.hasErrors());
    const std::vector<double> xs(s.xs().begin(), s.xs().end());
    EXPECT_EQ(xs, (std::vector<double>{1, 3, 4, 5}));
    EXPECT_TRUE(std::isnan(s.errorAt(0)));
    EXPECT_EQ(s.errorAt(1), 3);
    EXPECT_EQ(s.errorAt(2), 4);
    EXPECT_TRUE(std::isnan(s.errorAt(3))); // added before any point had an error
    s.AddPoint(4, 41, 0.5);                // replaces the value and its error
    EXPECT_EQ(s.errorAt(2), 0.5);
    s.AddPoint(3, 31);
    EXPECT_TRUE(std::isnan(s.errorAt(1)));
    s.Clear();
    EXPECT_FALSE(s.hasErrors());
    s.AddPoint(2, 20, 0.25); // the first point of a series
    EXPECT_TRUE(s.hasErrors());
    EXPECT_EQ(s.errorAt(0), 0.25);
}

TEST(ChartSeries, ToleranceAndDuplicates) {
    struct Case {
        double tolerance;
        bool duplicates;
        double x;
        std::vector<SeriesPoint> expected;
    };
    const Case cases[] = {
        {0.1, false, 2.05, {{1, 1, 0}, {2, 2.05, 9}, {3, 3, 0}}},          // replaces, x too
        {0.1, false, 3.05, {{1, 1, 0}, {2, 2, 0}, {3, 3.05, 9}}},          // replaces the last
        {0.1, false, 1.5, {{1, 1, 0}, {4, 1.5, 9}, {2, 2, 0}, {3, 3, 0}}}, // beyond tolerance
        {0, true, 2, {{1, 1, 0}, {4, 2, 9}, {2, 2, 0}, {3, 3, 0}}},        // beside, before it
        {0, true, 3, {{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 3, 9}}},        // appended
    };
    for (const Case& c : cases) {
        TSeries s(1);
        SeriesSettings settings = s.settings();
        settings.NumericalTolerance = c.tolerance;
        settings.DuplicatesAllowed = c.duplicates;
        s.setSettings(settings);
        for (double x : {1.0, 2.0, 3.0}) s.AddPoint(x, 0);
        s.AddPoint(c.x, 9);
        EXPECT_EQ(allPoints(s), c.expected) << "x " << c.x;
    }
}

TEST(ChartSeries, ANaNXIsIgnoredInfinitiesKeepTheOrder) {
    TSeries s(1);
    s.AddPoint(1, 1);
    EXPECT_EQ(s.AddPoint(std::nan(""), 5), 0);
    s.AddPoint(-std::numeric_limits<double>::infinity(), 2);
    EXPECT_EQ(s.size(), 2u);
    EXPECT_EQ(s.pointAt(1).x, 1);
    EXPECT_EQ(s.xSpan().lo, 1); // only finite values scale an axis
}

TEST(ChartSeries, ClearStartsTheIdsAgain) {
    TSeries s(1);
    s.AddPoint(1, 1);
    s.AddPoint(2, 2);
    s.Clear();
    EXPECT_FALSE(s.FirstPoint());
    EXPECT_EQ(s.AddPoint(7, 7), 1);
}

TEST(ChartSeries, PointByIdGivesTheNextIdInXOrder) {
    TSeries s(1);
    for (double x : {1.0, 2.0, 3.0, 2.5}) s.AddPoint(x, x);
    const auto p = s.PointById(2);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->point.x, 2);
    EXPECT_EQ(p->nextId, 4); // 2.5 was added last
    EXPECT_EQ(s.PointById(3)->nextId, 0);
    EXPECT_FALSE(s.PointById(5));
    EXPECT_FALSE(s.PointById(0));
}

TEST(ChartSeries, StatisticsFollowReplacementsAndTheZeroLevel) {
    TSeries s(1);
    s.AddPoint(1, 10);
    s.AddPoint(2, -5);
    s.AddPoint(3, std::nan(""));
    EXPECT_EQ(s.ySpan().lo, -5);
    EXPECT_EQ(s.ySpan().hi, 10);
    s.AddPoint(2, 4); // the lowest value is gone
    EXPECT_EQ(s.ySpan().lo, 4);
    s.setZeroValue(-1);
    EXPECT_EQ(s.ySpan().lo, 5);
    SeriesSettings automatic = s.settings();
    automatic.AutoZero = true;
    s.setSettings(automatic);
    EXPECT_EQ(s.zeroLevel(), 4);
    EXPECT_EQ(s.ySpan().hi, 6);
    EXPECT_EQ(s.positiveYSpan().lo, 6); // 4 - 4 is not positive
}

TEST(ChartSeries, DefaultsByNumber) {
    const SeriesSettings two = defaultSeriesSettings(2);
    EXPECT_EQ(two.SeriesName, "Series 2");
    EXPECT_EQ(two.LineColor, (Rgb{0, 0, 255}));
    EXPECT_EQ(two.LineStyle, lsDash);
    EXPECT_EQ(two.PointShape, 1);
    EXPECT_TRUE(two.FillPoints);
    const SeriesSettings six = defaultSeriesSettings(6);
    EXPECT_EQ(six.LineColor, (Rgb{0, 128, 0}));
    EXPECT_EQ(six.LineStyle, lsSolid);
    EXPECT_FALSE(six.FillPoints);
    EXPECT_EQ(defaultSeriesSettings(3).PointShape, 2);
    EXPECT_EQ(defaultSeriesSettings(5).PointShape, 0);
}

TEST(ChartSeries, HeldUpdatesRedrawOnceWhenReleased) {
    ChartModel chart;
    int redraws = 0;
    chart.onChanged = [&] { ++redraws; };
    TSeries& s = chart.Series(1);
    s.HoldUpdates(true);
    for (int i = 0; i < 10; ++i) s.AddPoint(i, i);
    EXPECT_EQ(redraws, 0);
    s.HoldUpdates(false);
    EXPECT_EQ(redraws, 1);
    s.setActive(true); // unchanged: no redraw
    EXPECT_EQ(redraws, 1);
    chart.setPlotting(false);
    s.AddPoint(20, 1);
    EXPECT_EQ(redraws, 1);
}

} // namespace
