#include "render/chart_painter.hpp"

#include "render/chart_painter_parts.hpp"
#include "render/chart_style.hpp"

#include <QPainter>

#include <cmath>

namespace ombrelune {
namespace {

QRectF plotRect(const PlotArea& a) {
    return QRectF(QPointF(a.left, a.top), QPointF(a.right, a.bottom));
}

void fillBackground(QPainter& p, const ChartModel& chart, const ChartPaintOptions& options) {
    if (options.printing && !chart.Appearance.PrintBkgndColor) return;
    const ChartFrame& f = chart.frame();
    p.fillRect(QRectF(0, 0, f.width, f.height), qtColour(chart.Appearance.MarginColor));
    p.fillRect(plotRect(f.area), qtColour(chart.Appearance.BackgroundColor));
}

// Device pixels per chart pixel along x, so that lines keep every column the device has.
double deviceResolution(const QPainter& p) {
    const QTransform t = p.deviceTransform();
    const double scale = std::hypot(t.m11(), t.m12());
    return scale > 1e-3 ? scale : 1;
}

// Every pixel column and row of the plot area, frame included (strokes are drawn half a
// pixel in, see paintChart).
void clipToPlot(QPainter& p, const ChartModel& chart) {
    if (!chart.Appearance.PlotOffGraph)
        p.setClipRect(plotRect(chart.frame().area).adjusted(-0.5, -0.5, 0.5, 0.5),
                      Qt::IntersectClip);
}

} // namespace

void paintChart(QPainter& p, const QRectF& target, const ChartModel& chart,
                const ChartPaintOptions& options) {
    const ChartFrame& f = chart.frame();
    if (!(f.width > 0 && f.height > 0)) return;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / f.width, target.height() / f.height);
    p.setClipRect(QRectF(0, 0, f.width, f.height), Qt::IntersectClip);
    fillBackground(p, chart, options);
    // A one-pixel stroke along whole coordinates then covers exactly one pixel column or
    // row, with or without antialiasing.
    p.translate(0.5, 0.5);
    const bool marks = chart.Appearance.ShowMarks && f.error.empty();
    auto layer = [&](int n) {
        if (!marks) return;
        p.save();
        clipToPlot(p, chart);
        paintMarks(p, chart, n);
        p.restore();
    };
    layer(0);
    paintAxes(p, chart);
    if (f.error.empty()) {
        paintCrossAtZero(p, chart);
        if (chart.Plotting()) {
            layer(1);
            p.save();
            clipToPlot(p, chart);
            paintSeries(p, chart, deviceResolution(p));
            p.restore();
            layer(2);
            if (chart.Legend.visible) paintLegend(p, chart);
            layer(3);
        }
    }
    p.restore();
}

void drawChart(QPainter& p, const QRectF& target, ChartModel& chart,
               const ChartPaintOptions& options) {
    chart.prepare(target.width(), target.height(), QtTextMetrics());
    paintChart(p, target, chart, options);
}

} // namespace ombrelune
