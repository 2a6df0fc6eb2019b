// Marks, the cross at zero and the legend.

#include "render/chart_painter_parts.hpp"
#include "render/chart_style.hpp"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace ombrelune {
namespace {

constexpr double captionGap = 3;

void paintVerticalMark(QPainter& p, const ChartModel& chart, const TMark& m) {
    const ChartFrame& f = chart.frame();
    const double x = f.maps[0].toPixel(m.x1);
    p.drawLine(QPointF(x, f.area.top), QPointF(x, f.area.bottom));
    // The caption runs up along the line from near the bottom.
    p.save();
    p.translate(x - captionGap, f.area.bottom - captionGap);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), qtText(m.caption));
    p.restore();
}

void paintHorizontalMark(QPainter& p, const ChartModel& chart, const TMark& m) {
    const ChartFrame& f = chart.frame();
    const double y = f.maps[1].toPixel(m.y1);
    p.drawLine(QPointF(f.area.left, y), QPointF(f.area.right, y));
    const QFontMetricsF metrics(p.font());
    const QString caption = qtText(m.caption);
    // Placements 0 to 3: above left, above right, below left, below right.
    const bool right = m.captionPlacement == 1 || m.captionPlacement == 3;
    const bool below = m.captionPlacement >= 2;
    const double x = right ? f.area.right - captionGap - metrics.horizontalAdvance(caption)
                           : f.area.left + captionGap;
    p.drawText(QPointF(x, below ? y + captionGap + metrics.ascent() : y - captionGap - 1), caption);
}

void paintSlantedMark(QPainter& p, const ChartModel& chart, const TMark& m) {
    const ChartFrame& f = chart.frame();
    const QPointF a(f.maps[0].toPixel(m.x1), f.maps[1].toPixel(m.y1));
    const QPointF b(f.maps[0].toPixel(m.x2), f.maps[1].toPixel(m.y2));
    p.drawLine(a, b);
    p.save();
    p.translate(a);
    p.rotate(std::atan2(b.y() - a.y(), b.x() - a.x()) * 180 / M_PI);
    p.drawText(QPointF(captionGap, -captionGap), qtText(m.caption));
    p.restore();
}

} // namespace

void paintMarks(QPainter& p, const ChartModel& chart, int layer) {
    const ChartFrame& f = chart.frame();
    if (!f.scalable[0] || !f.scalable[1]) return;
    p.setFont(qtFont(chart.Appearance.CaptionFont));
    p.setBrush(Qt::NoBrush);
    for (const auto& [number, m] : chart.marks()) {
        if (m.layer != layer) continue;
        p.setPen(QPen(qtColour(m.colour), 1));
        switch (m.kind) {
        case 0:
            paintVerticalMark(p, chart, m);
            break;
        case 1:
            paintHorizontalMark(p, chart, m);
            break;
        case 2: {
            const QPointF c(f.maps[0].toPixel(m.x1), f.maps[1].toPixel(m.y1));
            p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
            break;
        }
        default:
            paintSlantedMark(p, chart, m);
            break;
        }
    }
}

void paintCrossAtZero(QPainter& p, const ChartModel& chart) {
    const TAppearance& a = chart.Appearance;
    if (!a.CrossAtZero || chart.XAxis().LogScale || chart.YAxis().LogScale) return;
    auto contains0 = [](const TAxis& axis) { return axis.Min <= 0 && axis.Max >= 0; };
    if (!a.PlotOffGraph && !(contains0(chart.XAxis()) && contains0(chart.YAxis()))) return;
    const ChartFrame& f = chart.frame();
    const QPointF c(f.maps[0].toPixel(0), f.maps[1].toPixel(0));
    const double l = a.Crosslength;
    p.setPen(QPen(qtColour(a.CrossColor), 1));
    p.drawLine(QPointF(c.x() - l, c.y()), QPointF(c.x() + l, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - l), QPointF(c.x(), c.y() + l));
}

void paintLegend(QPainter& p, const ChartModel& chart) {
    const TLegend& legend = chart.Legend;
    const QFont font = qtFont(legend.font);
    const QFontMetricsF metrics(font);
    std::vector<const TSeries*> shown;
    for (const auto& [n, s] : chart.seriesList())
        if (s.settings().Active && s.settings().ShowInLegend) shown.push_back(&s);
    const double width = legend.width > 0 ? legend.width : chart.frame().width - 20;
    const bool down = legend.Layout == LegendLayout::lsDown;
    const double rowHeight = metrics.height();
    const double height =
        down ? std::max<double>(legend.height, 2.0 * legend.YMargin +
                                                   rowHeight * static_cast<double>(shown.size()))
             : legend.height;
    const QRectF box(legend.left, legend.top, width, height);
    p.setPen(legend.borderStyle ? QPen(qtColour(chart.Appearance.AxesColor), 1) : Qt::NoPen);
    p.setBrush(qtColour(legend.color));
    p.drawRect(box);
    p.setFont(font);
    double x = box.left() + legend.XMargin;
    double y = box.top() + (down ? legend.YMargin : (height - rowHeight) / 2);
    for (const TSeries* s : shown) {
        const double middle = y + rowHeight / 2;
        p.setPen(QPen(qtColour(s->settings().LineColor), 1, qtPenStyle(s->settings().LineStyle)));
        p.drawLine(QPointF(x, middle), QPointF(x + legend.SymbolSpace, middle));
        const QString name = qtText(s->settings().SeriesName);
        p.setPen(QPen(qtColour(chart.Appearance.AxesColor), 1));
        p.drawText(QPointF(x + legend.SymbolSpace + 4, y + metrics.ascent()), name);
        if (down)
            y += rowHeight;
        else
            x += legend.SymbolSpace + 4 + metrics.horizontalAdvance(name) + legend.XMargin;
    }
}

} // namespace ombrelune
