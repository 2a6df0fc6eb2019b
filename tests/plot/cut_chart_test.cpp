#include "plot/cut_chart.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

TEST(CutChart, SeriesLookAndVisibility) {
    ChartModel chart;
    configureCutChart(chart);
    EXPECT_EQ(chart.Series(rowCut1).settings().SeriesName, "Coupe horizontale 1");
    EXPECT_EQ(chart.Series(columnCut2).settings().LineColor, (Rgb{0, 0, 255}));
    EXPECT_EQ(chart.Series(profileAlongJ).settings().LineColor, (Rgb{0, 255, 0}));
    EXPECT_FALSE(chart.Series(profileAlongI).settings().DrawPoints);
    const std::vector<int> shown[] = {{1, 3}, {2, 4}, {1, 2}, {3, 4}, {5}, {6}};
    for (int item = 0; item < 6; ++item) {
        showCutSeries(chart, item);
        std::vector<int> active;
        for (int n = 1; n <= cutSeriesCount; ++n)
            if (chart.Series(n).settings().Active) active.push_back(n);
        EXPECT_EQ(active, shown[item]) << cutChartItems[static_cast<std::size_t>(item)];
    }
}

TEST(CutChart, LogarithmicAxisTakesAPositiveMinimum) {
    ChartModel chart;
    configureCutChart(chart);
    CutAxisBoxes boxes{-1, 50};
    setCutsLogScale(chart, true, boxes);
    EXPECT_EQ(boxes.z1DMin, 5);
    EXPECT_EQ(chart.YAxis().Min, 5);
    EXPECT_TRUE(chart.YAxis().LogScale);
    setCutsLogScale(chart, false, boxes);
    EXPECT_FALSE(chart.YAxis().LogScale);
}

TEST(CutChart, ShownSeriesAsColumns) {
    ChartModel chart;
    configureCutChart(chart);
    showCutSeries(chart, 0);
    chart.Series(1).AddPoint(0, 1.5);
    chart.Series(1).AddPoint(1, 2);
    chart.Series(3).AddPoint(0, 7);
    chart.Series(2).AddPoint(0, 99); // hidden
    EXPECT_EQ(shownSeriesText(chart, ','),
              "Coupe horizontale 1 x\tCoupe horizontale 1\tCoupe horizontale 2 x\t"
              "Coupe horizontale 2\n"
              "0\t1,5\t0\t7\n"
              "1\t2\t\t\n");
}

} // namespace
} // namespace ombrelune
