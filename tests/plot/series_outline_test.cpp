// What is drawn of a series' line: one device column keeps its first, lowest, highest and
// last points, points beyond the X range are left out, a NaN breaks the line.

#include "fixed_metrics.hpp"

#include "plot/series_outline.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

SeriesOutline outlineOf(const ChartModel& chart, int n, double resolution = 1) {
    SeriesOutline out;
    seriesOutline({chart.findSeries(n), &chart.frame().maps[0], &chart.frame().maps[1],
                   chart.XAxis().Min, chart.XAxis().Max, resolution},
                  out);
    return out;
}

TEST(SeriesOutline, OneColumnKeepsItsFirstExtremesAndLast) {
    ChartModel chart = chartWithAxes(0, 385, 0, 260);
    TSeries& s = chart.Series(1);
    // Five points in the column of x = 10, then one in the next column.
    const double ys[] = {100, 40, 200, 150, 120};
    for (int k = 0; k < 5; ++k) s.AddPoint(10 + 0.08 * k, ys[k]);
    s.AddPoint(11, 90);
    const SeriesOutline out = outlineOf(chart, 1);
    ASSERT_EQ(out.ends, std::vector<std::size_t>{out.points.size()});
    EXPECT_EQ(out.points,
              (std::vector<PixelPoint>{{50, 190}, {50, 250}, {50, 90}, {50, 170}, {51, 200}}));
}

TEST(SeriesOutline, PointsOutsideTheXRangeAreLeftOutANaNBreaksTheLine) {
    ChartModel chart = chartWithAxes(10, 395, 0, 260);
    TSeries& s = chart.Series(1);
    for (double x : {0.0, 20.0, 30.0, 40.0, 50.0, 400.0}) s.AddPoint(x, 10);
    s.AddPoint(40, std::nan(""));
    const SeriesOutline out = outlineOf(chart, 1);
    EXPECT_EQ(out.points, (std::vector<PixelPoint>{{50, 280}, {60, 280}, {80, 280}}));
    EXPECT_EQ(out.ends, (std::vector<std::size_t>{2, 3}));
}

TEST(SeriesOutline, ANaNInsideAColumnSplitsIt) {
    ChartModel chart = chartWithAxes(0, 385, 0, 260);
    TSeries& s = chart.Series(1);
    s.AddPoint(10, 100);
    s.AddPoint(10.1, std::nan(""));
    s.AddPoint(10.2, 50);
    s.AddPoint(10.3, 60);
    const SeriesOutline out = outlineOf(chart, 1);
    EXPECT_EQ(out.points, (std::vector<PixelPoint>{{50, 190}, {50, 240}, {50, 230}}));
    EXPECT_EQ(out.ends, (std::vector<std::size_t>{1, 3}));
}

TEST(SeriesOutline, SameColumnsAsMappingEveryPoint) {
    // A dense noisy curve on a logarithmic axis: every kept point lies where the mapping of
    // some point of its column puts it, and the columns' extremes are all there.
    ChartModel chart = chartWithAxes(0.001, 0.5, 1, 1e4, true);
    TSeries& s = chart.Series(1);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(0.5, 2);
    for (int i = 0; i < 20000; ++i) {
        const double q = 0.001 + 0.499 * i / 19999.0;
        s.AddPoint(q, noise(rng) / (q * q));
    }
    for (double resolution : {1.0, 3.0}) {
        const SeriesOutline out = outlineOf(chart, 1, resolution);
        const AxisMap& x = chart.frame().maps[0];
        const AxisMap& y = chart.frame().maps[1];
        std::map<double, std::pair<double, double>> columns; // px -> lowest, highest py
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double px = x.toPixel(s.pointAt(i).x, resolution);
            const double py = y.toPixel(s.pointAt(i).y - s.zeroLevel(), resolution);
            auto [it, fresh] = columns.try_emplace(px, py, py);
            it->second.first = std::min(it->second.first, py);
            it->second.second = std::max(it->second.second, py);
        }
        std::map<double, std::pair<double, double>> drawn;
        for (const PixelPoint& p : out.points) {
            auto [it, fresh] = drawn.try_emplace(p.x, p.y, p.y);
            it->second.first = std::min(it->second.first, p.y);
            it->second.second = std::max(it->second.second, p.y);
        }
        EXPECT_EQ(drawn, columns) << "resolution " << resolution;
        EXPECT_LE(out.points.size(), 4 * columns.size());
    }
}

} // namespace
