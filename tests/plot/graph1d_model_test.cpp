// The 1D view's rules on plain values: plotting a curve, cursor texts, the sum between the
// cursors, the zoom history and the chart's start-up settings.

#include "plot/graph1d_model.hpp"

#include <gtest/gtest.h>

using namespace ombrelune;

namespace {

spectre curve(const std::string& typeX, int n, std::int32_t cursorI = 0) {
    spectre s;
    s.name = "C";
    s.typeX = typeX;
    s.resize(n, 1, 1);
    for (int i = 0; i < n; ++i) {
        s.setXAt(i, 0, 0, 10 + i);
        s.setValueAt(i, 0, 0, 100 * i);
    }
    s.cursorI = cursorI;
    return s;
}

std::vector<std::pair<double, double>> seriesPoints(TSeries& s) {
    std::vector<std::pair<double, double>> out;
    for (auto p = s.FirstPoint(); p; p = s.NextPoint()) out.emplace_back(p->x, p->y);
    return out;
}

TEST(Graph1DModel, PlotCurveByAxisType) {
    struct Case {
        std::string typeX;
        std::int32_t cursorI;
        std::vector<std::pair<double, double>> expected;
    };
    const Case cases[] = {
        {"raw", 0, {{0, 0}, {1, 50}, {2, 100}, {3, 150}, {4, 200}}},
        {"reflec", 0, {}},
        {"reflec", 3, {{11, 50}, {12, 100}, {13, 150}}},
        {"reflec", 99, {{11, 50}, {12, 100}, {13, 150}, {14, 200}}}, // held to the curve
        {"Raw", 0, {{10, 0}, {11, 50}, {12, 100}, {13, 150}, {14, 200}}},
    };
    for (const Case& c : cases) {
        TSeries series(2);
        series.AddPoint(-1, -1);
        plotCurve(series, curve(c.typeX, 5, c.cursorI), {1, 2, 3}, 0.5);
        EXPECT_EQ(seriesPoints(series), c.expected) << c.typeX << " " << c.cursorI;
        EXPECT_EQ(series.settings().SeriesName, "C");
        EXPECT_FALSE(series.settings().DrawPoints);
        EXPECT_EQ(series.settings().LineColor, (Rgb{1, 2, 3}));
        EXPECT_EQ(series.settings().LineStyle, lsSolid);
    }
}

TEST(Graph1DModel, CursorBoxTexts) {
    EXPECT_EQ(cursorXText(123.456789, '.'), "123.4600000");
    EXPECT_EQ(cursorYText(123.456789, '.'), "123.50000000");
    EXPECT_EQ(cursorXText(0.000123456789, ','), "0,0001235");
    EXPECT_EQ(cursorXText(-2.5, '.'), "-2.5000000");
    EXPECT_EQ(cursorXText(0, '.'), "0.0000000");
    EXPECT_EQ(cursorXText(1234567, '.'), "1.2346E+6"); // too many integer digits
    EXPECT_EQ(cursorYText(99999, '.'), "1.000E+5");
    EXPECT_EQ(cursorXText(99999, '.'), "99999.0000000");
}

TEST(Graph1DModel, CursorSumBetweenTheCursors) {
    TSeries s(1);
    for (int i = 0; i < 10; ++i) s.AddPoint(i, i + 1);
    EXPECT_EQ(CursorSum(&s, 2, 5), 4 + 5 + 6); // 2 < x <= 5
    EXPECT_EQ(CursorSum(&s, -100, 100), 55);
    EXPECT_EQ(CursorSum(&s, 5, 5), 0);
    EXPECT_EQ(CursorSum(&s, 6, 2), 0);
    EXPECT_EQ(CursorSum(nullptr, 0, 9), 0);
    EXPECT_EQ(CursorSum(&s, 0, 0), 0); // a new window: both cursors at 0
}

TEST(Graph1DModel, ZoomInNeedsTheBlueCursorRightOfTheRed) {
    ZoomHistory h;
    EXPECT_FALSE(h.zoomIn({0, 11, 5, 2}));
    EXPECT_EQ(h.level(), 0);
    EXPECT_TRUE(h.zoomIn({0, 11, 2, 5}));
    EXPECT_EQ(h.level(), 1);
    EXPECT_EQ(h.entry(1), (ZoomEntry{2, 5, 2, 5}));
    EXPECT_EQ(h.zoomOut(), (ZoomEntry{0, 11, 2, 5}));
    EXPECT_FALSE(h.zoomOut());
}

TEST(Graph1DModel, TwentyZoomsKeepTheFirstRange) {
    ZoomHistory h;
    ZoomEntry view{0, 1000, 0, 1000};
    for (int k = 1; k <= 20; ++k) {
        ZoomEntry cursors{view.xMin, view.xMax, view.xMin + 1, view.xMax - 1};
        ASSERT_TRUE(h.zoomIn(cursors));
        view = {cursors.red, cursors.blue, cursors.red, cursors.blue};
    }
    EXPECT_EQ(h.level(), 15);
    EXPECT_EQ(h.entry(15).xMin, 20);
    EXPECT_EQ(h.entry(1).xMin, 6); // the five oldest zooms were dropped
    std::optional<ZoomEntry> back;
    int steps = 0;
    while (auto e = h.zoomOut()) {
        back = e;
        ++steps;
    }
    EXPECT_EQ(steps, 15);
    EXPECT_EQ(back->xMin, 0);
    EXPECT_EQ(back->xMax, 1000);
}

TEST(Graph1DModel, FactorsAndChartSetUp) {
    CurveViewSettings settings;
    EXPECT_EQ(settings.factor(1), 1.0 / 32);
    settings.exponents[2] = 6;
    EXPECT_EQ(settings.factor(3), 1);
    EXPECT_EQ(settings.colour(4), (Rgb{0, 127, 0}));

    ChartModel chart;
    configureGraph1DChart(chart);
    addGraph1DCursors(chart);
    EXPECT_EQ(chart.YAxis().Title, "Intensité");
    EXPECT_TRUE(chart.XAxis().AutoSizing);
    EXPECT_EQ(chart.Dimensions.TopMargin, 8);
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(chart.Series(n).settings().ZeroValue, -1e-6);
    EXPECT_EQ(chart.Mark(redCursor)->x1, 0);
    EXPECT_EQ(chart.Mark(blueCursor)->x1, 11);
    EXPECT_EQ(chart.Mark(blueCursor)->colour, (Rgb{0, 0, 255}));
}

TEST(Graph1DModel, PlottedColumnsNameEachShownCurve) {
    ChartModel chart;
    configureGraph1DChart(chart);
    plotCurve(chart.Series(1), curve("q", 3), {0, 0, 0}, 1);
    plotCurve(chart.Series(3), curve("q", 2), {0, 0, 0}, 0.5);
    chart.findSeries(3)->setSeriesName("R");
    plotCurve(chart.Series(4), curve("q", 2), {0, 0, 0}, 1);
    chart.findSeries(4)->setActive(false);
    EXPECT_EQ(plottedColumns(chart, ','), "A: C x\tA: C\tC: R x\tC: R\n"
                                          "10\t0\t10\t0\n"
                                          "11\t100\t11\t50\n"
                                          "12\t200\t\t\n");
}

TEST(Graph1DModel, CurveHintListsTheConditions) {
    spectre s = curve("x", 1);
    s.comment = "run 12";
    s.setExpCond("T", 1.5);
    s.setExpCond("lambda", 6);
    EXPECT_EQ(curveHint(s, ','), "run 12\nT : 1,5\nlambda : 6");
}

} // namespace
