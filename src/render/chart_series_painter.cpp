// The series: one polyline per unbroken run of the line, as a device column shows it, the
// error bars of the points that have one, and a symbol at each point.

#include "render/chart_painter_parts.hpp"
#include "render/chart_style.hpp"

#include "plot/series_outline.hpp"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace ombrelune {
namespace {

void paintLine(QPainter& p, const ChartModel& chart, const OutlineInput& in) {
    const SeriesSettings& s = in.series->settings();
    // Thin lines whatever the device; otherwise two chart pixels, which shows on paper.
    const double width = chart.Appearance.PrintLineStyle ? 1 : 2;
    QPen pen(qtColour(s.LineColor), width, qtPenStyle(s.LineStyle));
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    SeriesOutline outline;
    seriesOutline(in, outline);
    QPolygonF polyline;
    std::size_t from = 0;
    for (std::size_t end : outline.ends) {
        polyline.resize(static_cast<qsizetype>(end - from));
        for (std::size_t i = from; i < end; ++i)
            polyline[static_cast<qsizetype>(i - from)] =
                QPointF(outline.points[i].x, outline.points[i].y);
        if (polyline.size() == 1)
            p.drawPoint(polyline[0]);
        else
            p.drawPolyline(polyline);
        from = end;
    }
}

void paintSymbol(QPainter& p, int shape, QPointF c, double r) {
    switch (shape) {
    case 0:
        p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        break;
    case 1:
        p.drawEllipse(c, r, r);
        break;
    case 2: {
        const QPointF diamond[] = {
            {c.x() - r, c.y()}, {c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}};
        p.drawPolygon(diamond, 4);
        break;
    }
    case 3:
        p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
        break;
    case 4: // a cross
        p.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
        p.drawLine(QPointF(c.x() - r, c.y() + r), QPointF(c.x() + r, c.y() - r));
        break;
    default: { // a triangle
        const QPointF triangle[] = {
            {c.x() - r, c.y() + r}, {c.x(), c.y() - r}, {c.x() + r, c.y() + r}};
        p.drawPolygon(triangle, 3);
        break;
    }
    }
}

void paintPoints(QPainter& p, const ChartModel& chart, const OutlineInput& in) {
    const TSeries& series = *in.series;
    const SeriesSettings& s = series.settings();
    const double r = s.PointStyle / 2;
    p.setPen(QPen(qtColour(s.PointColor), 1));
    p.setBrush(s.FillPoints ? qtColour(s.PointColor) : qtColour(chart.Appearance.BackgroundColor));
    const double clearance = 2 * r * chart.Appearance.MinPointClearance;
    const double zero = series.zeroLevel();
    const auto [begin, end] = indexRange(series, in.xMin, in.xMax);
    bool any = false;
    QPointF last;
    for (std::size_t i = begin; i < end; ++i) {
        const SeriesPoint pt = series.pointAt(i);
        if (std::isnan(pt.y)) continue;
        const QPointF c(in.xMap->toPixel(pt.x, in.resolution),
                        in.yMap->toPixel(pt.y - zero, in.resolution));
        if (any && clearance > 0 && std::hypot(c.x() - last.x(), c.y() - last.y()) < clearance)
            continue;
        paintSymbol(p, s.PointShape, c, r);
        last = c;
        any = true;
    }
}

// A vertical bar from y - error to y + error with short caps, in the line's colour, for
// each point that has a finite error; the ends held in the plot as the axis map holds them.
void paintErrorBars(QPainter& p, const OutlineInput& in) {
    const TSeries& series = *in.series;
    p.setPen(QPen(qtColour(series.settings().LineColor), 1));
    const double cap = 3;
    const double zero = series.zeroLevel();
    const auto [begin, end] = indexRange(series, in.xMin, in.xMax);
    for (std::size_t i = begin; i < end; ++i) {
        const double error = series.errorAt(i);
        const double y = series.ys()[i] - zero;
        if (!std::isfinite(error) || !(error > 0) || !std::isfinite(y)) continue;
        const double x = in.xMap->toPixel(series.xs()[i], in.resolution);
        const double low = in.yMap->toPixel(y - error, in.resolution);
        const double high = in.yMap->toPixel(y + error, in.resolution);
        p.drawLine(QPointF(x, low), QPointF(x, high));
        p.drawLine(QPointF(x - cap, low), QPointF(x + cap, low));
        p.drawLine(QPointF(x - cap, high), QPointF(x + cap, high));
    }
}

} // namespace

void paintSeries(QPainter& p, const ChartModel& chart, double resolution) {
    const ChartFrame& f = chart.frame();
    for (const auto& [n, series] : chart.seriesList()) {
        if (!chart.drawable(series)) continue;
        const std::size_t vertical = ChartModel::index(chart.verticalAxisOf(series));
        if (!f.scalable[0] || !f.scalable[vertical]) continue;
        const OutlineInput in{&series,           &f.maps[0],        &f.maps[vertical],
                              chart.XAxis().Min, chart.XAxis().Max, resolution};
        if (series.settings().DrawLine) paintLine(p, chart, in);
        if (series.settings().DrawErrorBars && series.hasErrors()) paintErrorBars(p, in);
        if (series.settings().DrawPoints) paintPoints(p, chart, in);
    }
}

} // namespace ombrelune
