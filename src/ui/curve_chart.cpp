#include "ui/curve_chart.hpp"

#include "ui/chart_designer.hpp"
#include "ui/dialog_service.hpp"
#include "ui/series_wizard.hpp"

#include "render/chart_file.hpp"
#include "render/chart_painter.hpp"
#include "render/chart_style.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTimer>

namespace ombrelune {
namespace {

// A press this close (each way) to the point 3 pixels inside the legend's corner drags it.
constexpr double legendHandle = 3;

QRectF dragRectangle(const ChartZoom& zoom, QPointF corner) {
    return QRectF(QPointF(zoom.startX(), zoom.startY()), corner).normalized();
}

} // namespace

TCurveChart::TCurveChart(DialogService& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("curveChart"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
    model_.onChanged = [this] { update(); };
}

void TCurveChart::Update() {
    model_.prepare(width(), height(), QtTextMetrics());
    repaint();
}

void TCurveChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawChart(p, QRectF(rect()), model_);
    if (zoom_.dragging() && zoomCorner_) {
        p.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(dragRectangle(zoom_, *zoomCorner_));
    }
    if (model_.Appearance.CrossWire && crosshair_) {
        const PlotArea& a = model_.frame().area;
        p.setPen(QPen(Qt::gray, 1));
        p.drawLine(QPointF(a.left, crosshair_->y()), QPointF(a.right, crosshair_->y()));
        p.drawLine(QPointF(crosshair_->x(), a.top), QPointF(crosshair_->x(), a.bottom));
    }
    noteLayoutError();
}

void TCurveChart::noteLayoutError() {
    const std::string& error = model_.frame().error;
    if (error == lastError_) return;
    lastError_ = error;
    if (error.empty()) return;
    // Told after the paint, so that whoever shows it does not paint inside a paint.
    QTimer::singleShot(0, this, [this, text = qtText(error)] { Q_EMIT scaleError(text); });
}

void TCurveChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Pixel conversions hold for the new size before the next paint.
    model_.prepare(width(), height(), QtTextMetrics());
}

bool TCurveChart::onLegendHandle(QPointF p) const {
    const TLegend& l = model_.Legend;
    return l.visible && std::abs(p.x() - (l.left + legendHandle)) < legendHandle &&
           std::abs(p.y() - (l.top + legendHandle)) < legendHandle;
}

void TCurveChart::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        if (onLegendHandle(p)) {
            draggingLegend_ = true;
        } else {
            zoom_.begin(model_, p.x(), p.y());
            zoomCorner_ = p;
        }
    } else if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        Q_EMIT OnWantDesigner();
    }
    Q_EMIT OnMouseDown(event);
}

void TCurveChart::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (zoom_.dragging()) {
        zoomCorner_ = p;
        update();
    }
    if (model_.Appearance.CrossWire) {
        const PlotArea& a = model_.frame().area;
        crosshair_.reset();
        if (a.contains(p.x(), p.y())) crosshair_ = p;
        update();
    }
    Q_EMIT OnMouseMove(event);
}

void TCurveChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (draggingLegend_) {
        draggingLegend_ = false;
        model_.Legend.left = static_cast<int>(p.x());
        model_.Legend.top = static_cast<int>(p.y());
        model_.changed();
    }
    if (zoom_.dragging()) {
        zoomCorner_.reset();
        zoom_.finish(model_, p.x(), p.y());
        update();
    }
}

void TCurveChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (crosshair_) {
        crosshair_.reset();
        update();
    }
}

bool TCurveChart::Print() {
    QPrinter printer;
    if (!dialogs_.print(this, printer)) return false;
    printOn(printer);
    return true;
}

void TCurveChart::printOn(QPrinter& printer) {
    // The picture keeps the shape the chart has on screen.
    const QSizeF chart(std::max(width(), 400), std::max(height(), 300));
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const TDimensions& d = model_.Dimensions;
    QRectF target(page.width() * d.PrintXOffsetPct / 100, page.height() * d.PrintYOffsetPct / 100,
                  page.width() * d.PrintScalePct / 100, 0);
    target.setHeight(target.width() * chart.height() / chart.width());
    // Shrunk to the page when the offsets and the scale would run off it.
    const double fit = std::min({1.0, (page.right() - target.left()) / target.width(),
                                 (page.bottom() - target.top()) / target.height()});
    target.setSize(target.size() * std::max(fit, 0.05));
    QPainter p(&printer);
    p.setRenderHint(QPainter::Antialiasing);
    model_.prepare(chart.width(), chart.height(), QtTextMetrics());
    paintChart(p, target, model_, {true});
    p.end();
    model_.prepare(width(), height(), QtTextMetrics());
}

void TCurveChart::ShowGraphDesigner() {
    GraphDesigner designer(model_, dialogs_, this);
    designer.finish(dialogs_.runDialog(designer));
}

void TCurveChart::ShowSeriesWizard() {
    SeriesWizard wizard(model_, dialogs_, this);
    wizard.finish(dialogs_.runDialog(wizard));
}

QImage TCurveChart::picture(QSize size) {
    // A copy, so that the layout for another size leaves the screen's conversions alone.
    ChartModel copy = model_;
    return chartImage(copy, size, {true});
}

} // namespace ombrelune
