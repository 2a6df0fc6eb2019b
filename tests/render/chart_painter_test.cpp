// The chart on an image: curves in their exact colours where the mapping puts them, nothing
// of a series outside the plot area, the error caption, and the pictures of SavePlot1D.

#include "test_support.hpp"

#include "errors/errors.hpp"
#include "plot/graph1d_model.hpp"
#include "render/chart_file.hpp"
#include "render/chart_painter.hpp"
#include "render/save_plot_1d.hpp"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace ombrelune;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb black = qRgb(0, 0, 0);

// Pixels of that colour (or, antialiased, of any red tint) inside and outside a rectangle.
std::pair<int, int> countInsideOutside(const QImage& image, QRgb colour, const QRect& inside,
                                       bool reddish = false) {
    auto matches = [&](QRgb p) {
        if (!reddish) return p == colour;
        return qRed(p) > qGreen(p) + 30 && qRed(p) > qBlue(p) + 30;
    };
    int in = 0, out = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (matches(image.pixel(x, y))) ++(inside.contains(x, y) ? in : out);
    return {in, out};
}

QRect plotPixels(const ChartModel& chart) {
    const PlotArea& a = chart.frame().area;
    return QRect(QPoint(static_cast<int>(a.left), static_cast<int>(a.top)),
                 QPoint(static_cast<int>(a.right), static_cast<int>(a.bottom)));
}

ChartModel chartWithSeries() {
    ChartModel chart;
    configureGraph1DChart(chart);
    chart.Appearance.CrossAtZero = false;
    TSeries& s = chart.Series(2);
    s.setLineColor({255, 0, 0});
    s.setDrawPoints(false);
    s.setLineStyle(lsSolid);
    for (int i = 0; i <= 100; ++i) s.AddPoint(i, 50 + 40 * std::sin(i / 10.0));
    return chart;
}

TEST(ChartPainter, ACurveHasItsColourWhereTheMappingPutsIt) {
    ChartModel chart = chartWithSeries();
    const QImage image = chartImage(chart, QSize(400, 300));
    const ChartFrame& f = chart.frame();
    for (int i : {10, 37, 80}) {
        const SeriesPoint p = chart.Series(2).pointAt(static_cast<std::size_t>(i));
        const int x = static_cast<int>(f.maps[0].toPixel(p.x));
        const int y = static_cast<int>(f.maps[1].toPixel(p.y + 1e-6));
        EXPECT_EQ(image.pixel(x, y), red) << i;
    }
}

TEST(ChartPainter, SeriesStayInsideThePlotArea) {
    ChartModel chart = chartWithSeries();
    chart.setMin(AxisId::X, 20);
    chart.setMax(AxisId::X, 60);
    chart.setMin(AxisId::Y, 40);
    chart.setMax(AxisId::Y, 60);
    chart.Series(2).AddPoint(40, 1e9); // a spike far above
    for (bool antialias : {false, true}) {
        const QImage image = chartImage(chart, QSize(400, 300), {antialias});
        const auto [in, out] = countInsideOutside(image, red, plotPixels(chart), antialias);
        EXPECT_GT(in, 50) << antialias;
        EXPECT_EQ(out, 0) << antialias;
    }
    // Nothing of the series when the marks and the series may leave the plot.
    chart.Appearance.PlotOffGraph = true;
    const QImage image = chartImage(chart, QSize(400, 300));
    EXPECT_GT(countInsideOutside(image, red, plotPixels(chart)).second, 0);
}

TEST(ChartPainter, LogarithmicAxisShowsValuesAtOrBelowZeroAtTheBottom) {
    ChartModel chart;
    configureGraph1DChart(chart);
    chart.setLogScale(AxisId::Y, true);
    chart.setMin(AxisId::Y, 1);
    chart.setMax(AxisId::Y, 100);
    TSeries& s = chart.Series(2);
    s.setZeroValue(0);
    s.setLineColor({255, 0, 0});
    s.setDrawPoints(false);
    s.setLineStyle(lsSolid);
    for (int i = 0; i < 10; ++i) s.AddPoint(i, i % 2 ? 10 : -1);
    const QImage image = chartImage(chart, QSize(400, 300));
    const int bottom = static_cast<int>(chart.frame().area.bottom);
    const int x = static_cast<int>(chart.frame().maps[0].toPixel(2));
    EXPECT_EQ(image.pixel(x, bottom), red);
}

TEST(ChartPainter, ErrorBarsSpanOneErrorEachSideAndFollowTheirSwitch) {
    ChartModel chart;
    configureGraph1DChart(chart);
    chart.Appearance.CrossAtZero = false;
    chart.setMin(AxisId::X, 0);
    chart.setMax(AxisId::X, 10);
    chart.setMin(AxisId::Y, 0);
    chart.setMax(AxisId::Y, 100);
    TSeries& s = chart.Series(2);
    s.setZeroValue(0);
    s.setLineColor({255, 0, 0});
    s.setDrawPoints(false);
    SeriesSettings noLine = s.settings();
    noLine.DrawLine = false;
    s.setSettings(noLine);
    s.AddPoint(3, 50, 20);
    s.AddPoint(7, 50); // no error: nothing drawn
    const QImage image = chartImage(chart, QSize(400, 300));
    const AxisMap& xMap = chart.frame().maps[0];
    const AxisMap& yMap = chart.frame().maps[1];
    const int x = static_cast<int>(xMap.toPixel(3));
    for (double y : {31.0, 50.0, 69.0})
        EXPECT_EQ(image.pixel(x, static_cast<int>(yMap.toPixel(y))), red) << y;
    for (double y : {25.0, 75.0})
        EXPECT_NE(image.pixel(x, static_cast<int>(yMap.toPixel(y))), red) << y;
    EXPECT_NE(image.pixel(static_cast<int>(xMap.toPixel(7)), static_cast<int>(yMap.toPixel(50))),
              red);
    SeriesSettings noBars = s.settings();
    noBars.DrawErrorBars = false;
    s.setSettings(noBars);
    EXPECT_EQ(countInsideOutside(chartImage(chart, QSize(400, 300)), red, image.rect()).first, 0);
}

TEST(ChartPainter, AnAxisThatCannotBeScaledShowsTheErrorCaptionAndNoCurve) {
    ChartModel chart = chartWithSeries();
    chart.setMin(AxisId::X, 5);
    chart.setMax(AxisId::X, 5);
    const QImage image = chartImage(chart, QSize(400, 300));
    EXPECT_EQ(chart.frame().error, "X axisCalcMetrics: XMin>=XMax");
    EXPECT_EQ(countInsideOutside(image, red, image.rect()).first, 0);
    const QByteArray svg = chartFileBytes(chart, ChartFileFormat::Svg, QSize(400, 300));
    EXPECT_TRUE(svg.contains(">MAX/MIN VALUES INCONSISTENT</text>"));
}

TEST(ChartPainter, SavePlot1DPicture) {
    ombrelune::testing::TestBench bench(false);
    Workbench& wb = *bench.wb;
    for (const char* name : {"A", "B"}) {
        const int slot = wb.spectres1D.create(name, 50, 1, 1);
        spectre& c = *wb.spectres1D.at(slot);
        c.typeX = std::string("q ") + name;
        for (int i = 0; i < 50; ++i) {
            c.setXAt(i, 0, 0, i);
            c.setValueAt(i, 0, 0, name[0] == 'A' ? i : 100 - i);
        }
    }
    ChartModel chart = graph1DPlot(wb, {"A", "", "", "B"}, false);
    EXPECT_EQ(chart.XAxis().Title, "q A");
    EXPECT_EQ(chart.Series(1).settings().LineColor, (Rgb{0, 0, 0}));
    EXPECT_EQ(chart.Series(4).settings().LineColor, (Rgb{0, 127, 0}));
    EXPECT_EQ(chart.findSeries(2)->size(), 0u);
    EXPECT_EQ(chart.Series(1).pointAt(10).y, 10); // factor 1
    const QImage image = chartImage(chart, QSize(500, 400));
    const auto [blackIn, blackOut] = countInsideOutside(image, black, plotPixels(chart));
    EXPECT_GT(blackIn, 100);
    const auto [greenIn, greenOut] = countInsideOutside(image, qRgb(0, 127, 0), plotPixels(chart));
    EXPECT_GT(greenIn, 100);
    EXPECT_EQ(greenOut, 0);
    EXPECT_THROW(graph1DPlot(wb, {"A", "C", "", ""}, false), ERefused);
    EXPECT_THROW(graph1DPlot(wb, {"", "", "", ""}, false), ERefused);
}

} // namespace
