// The frame of the plot area, the axes with their grid lines, ticks, labels and titles,
// and the graph title.

#include "render/chart_painter_parts.hpp"
#include "render/chart_style.hpp"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace ombrelune {
namespace {

// Ticks land on whole pixels; a tick half a pixel beyond the plot area is still its edge.
bool withinSpan(double pixel, double from, double to) {
    return pixel >= from - 0.5 && pixel <= to + 0.5;
}

QPen gridPen(const ChartModel& chart) {
    QPen pen(qtColour(chart.Appearance.GridColor), 1, qtPenStyle(chart.Appearance.GridStyle));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen axesPen(const ChartModel& chart) {
    QPen pen(qtColour(chart.Appearance.AxesColor), 1);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The axis title, or the error caption when its bounds cannot be mapped.
QString titleOf(const ChartModel& chart, AxisId id) {
    const bool failed = !chart.frame().scalable[ChartModel::index(id)];
    return qtText(failed ? chart.Appearance.ErrorCaption : chart.axis(id).Title);
}

void paintHorizontalAxis(QPainter& p, const ChartModel& chart) {
    const ChartFrame& f = chart.frame();
    const PlotArea& a = f.area;
    const TDimensions& d = chart.Dimensions;
    const QFont labelFont = qtFont(chart.Appearance.LabelFont);
    const QFontMetricsF labels(labelFont);
    const double labelTop = a.bottom + d.TickLength + d.XAxisLabelOffset;
    if (f.scalable[0]) {
        for (const AxisTick& t : f.ticks[0].ticks) {
            const double x = f.maps[0].toPixel(t.value);
            if (!withinSpan(x, a.left, a.right)) continue;
            if (chart.XAxis().Gridlines && t.gridLine) {
                p.setPen(gridPen(chart));
                p.drawLine(QPointF(x, a.top), QPointF(x, a.bottom));
            }
            p.setPen(axesPen(chart));
            if (chart.Appearance.ShowTicks)
                p.drawLine(QPointF(x, a.bottom), QPointF(x, a.bottom + d.TickLength));
            if (!t.labelled) continue;
            const QString text = qtText(t.label);
            p.setFont(labelFont);
            p.drawText(QPointF(x - labels.horizontalAdvance(text) / 2, labelTop + labels.ascent()),
                       text);
        }
    }
    if (!chart.Appearance.ShowGraphLabels) return;
    const QFont captionFont = qtFont(chart.Appearance.CaptionFont);
    const QFontMetricsF caption(captionFont);
    const QString title = titleOf(chart, AxisId::X);
    p.setPen(axesPen(chart));
    p.setFont(captionFont);
    p.drawText(QPointF((a.left + a.right) / 2 - caption.horizontalAdvance(title) / 2,
                       labelTop + labels.height() + d.XAxisTitleOffset + caption.ascent()),
               title);
}

// A vertical axis on the left (Y) or on the right (the second Y axis).
void paintVerticalAxis(QPainter& p, const ChartModel& chart, AxisId id) {
    const ChartFrame& f = chart.frame();
    const std::size_t k = ChartModel::index(id);
    const PlotArea& a = f.area;
    const TDimensions& d = chart.Dimensions;
    const bool left = id == AxisId::Y;
    const double edge = left ? a.left : a.right;
    const double outward = left ? -1 : 1;
    const QFont labelFont = qtFont(chart.Appearance.LabelFont);
    const QFontMetricsF labels(labelFont);
    const double labelEdge = edge + outward * (d.TickLength + d.YAxisLabelOffset);
    double widest = 0;
    if (f.scalable[k]) {
        for (const AxisTick& t : f.ticks[k].ticks) {
            const double y = f.maps[k].toPixel(t.value);
            if (!withinSpan(y, a.top, a.bottom)) continue;
            if (chart.axis(id).Gridlines && t.gridLine) {
                p.setPen(gridPen(chart));
                p.drawLine(QPointF(a.left, y), QPointF(a.right, y));
            }
            p.setPen(axesPen(chart));
            if (chart.Appearance.ShowTicks)
                p.drawLine(QPointF(edge, y), QPointF(edge + outward * d.TickLength, y));
            if (!t.labelled) continue;
            const QString text = qtText(t.label);
            const double w = labels.horizontalAdvance(text);
            widest = std::max(widest, w);
            p.setFont(labelFont);
            p.drawText(QPointF(left ? labelEdge - w : labelEdge,
                               y + (labels.ascent() - labels.descent()) / 2),
                       text);
        }
    }
    if (!chart.Appearance.ShowGraphLabels) return;
    const QFont captionFont = qtFont(chart.Appearance.CaptionFont);
    const QFontMetricsF caption(captionFont);
    const QString title = titleOf(chart, id);
    // Written upwards, centred on the plot area, outside the labels.
    const double titleEdge = labelEdge + outward * (widest + d.YAxisTitleOffset);
    const double baseline = left ? titleEdge - caption.descent() : titleEdge + caption.ascent();
    p.save();
    p.setPen(axesPen(chart));
    p.setFont(captionFont);
    p.translate(std::max(left ? caption.ascent() : 0.0, baseline), (a.top + a.bottom) / 2);
    p.rotate(-90);
    p.drawText(QPointF(-caption.horizontalAdvance(title) / 2, 0), title);
    p.restore();
}

void paintGraphTitle(QPainter& p, const ChartModel& chart) {
    const ChartFrame& f = chart.frame();
    if (!f.showGraphTitle) return;
    const QFont font = qtFont(chart.Appearance.TitleFont);
    const QFontMetricsF metrics(font);
    const QString title = qtText(chart.Appearance.GraphTitle);
    p.setPen(axesPen(chart));
    p.setFont(font);
    p.drawText(QPointF((f.area.left + f.area.right) / 2 - metrics.horizontalAdvance(title) / 2,
                       f.area.top - chart.Dimensions.GraphTitleOffset - metrics.descent()),
               title);
}

} // namespace

void paintAxes(QPainter& p, const ChartModel& chart) {
    const PlotArea& a = chart.frame().area;
    if (chart.YAxis().ShowAxis) paintVerticalAxis(p, chart, AxisId::Y);
    if (chart.YAxis_Second().ShowAxis) paintVerticalAxis(p, chart, AxisId::Y2);
    if (chart.XAxis().ShowAxis) paintHorizontalAxis(p, chart);
    p.setPen(axesPen(chart));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(a.left, a.top, a.width(), a.height()));
    paintGraphTitle(p, chart);
}

} // namespace ombrelune
