#pragma once
// The parts of a chart picture, in the order chart_painter.cpp calls them. Each draws in
// chart pixels on a painter already scaled to the target.

#include "plot/chart_model.hpp"

class QPainter;

namespace ombrelune {

// The frame, grid lines, ticks, labels and titles of the axes, and the graph title.
void paintAxes(QPainter& p, const ChartModel& chart);
// The marks of one layer (clipping is set by the caller).
void paintMarks(QPainter& p, const ChartModel& chart, int layer);
// Every drawable series, in number order.
void paintSeries(QPainter& p, const ChartModel& chart, double resolution);
void paintCrossAtZero(QPainter& p, const ChartModel& chart);
void paintLegend(QPainter& p, const ChartModel& chart);

} // namespace ombrelune
