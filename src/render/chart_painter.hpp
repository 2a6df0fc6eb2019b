#pragma once
// Drawing a chart. The screen, the printer, PDF, SVG, PNG and the clipboard all come here.
//
// paintChart draws the model's last layout (ChartModel::prepare) scaled into `target`;
// drawChart lays the model out at the size of `target` first. The painter's own render
// hints (antialiasing) are left as the caller set them.

#include "plot/chart_model.hpp"

#include <QRectF>

class QPainter;

namespace ombrelune {

struct ChartPaintOptions {
    // On paper the background is filled only when the chart's PrintBkgndColor is on.
    bool printing = false;
    // Zoom rectangle and the like are the widget's business; the painter draws only the
    // chart.
};

void paintChart(QPainter& painter, const QRectF& target, const ChartModel& chart,
                const ChartPaintOptions& options = {});
void drawChart(QPainter& painter, const QRectF& target, ChartModel& chart,
               const ChartPaintOptions& options = {});

} // namespace ombrelune
