#pragma once
// TCurveChart: the chart control. It holds the chart's model (series, marks, axes), turns
// mouse events into model calls (Shift-drag zoom and its undo, legend drag, Ctrl-click for
// the designer, the crosshair) and repaints through the shared chart painter; every model
// change asks for one repaint, and Qt merges the requests that come before it.

#include "plot/chart_model.hpp"
#include "plot/chart_zoom.hpp"

#include <QMouseEvent>
#include <QWidget>

#include <optional>

class QPrinter;

namespace ombrelune {

class DialogService;

class TCurveChart : public QWidget {
    Q_OBJECT
public:
    explicit TCurveChart(DialogService& dialogs, QWidget* parent = nullptr);

    ChartModel& model() { return model_; }
    const ChartModel& model() const { return model_; }

    // Series, marks and axes as the windows name them.
    TSeries& Series(int n) { return model_.Series(n); }
    const TMark* Mark(int number) const { return model_.Mark(number); }
    double XFromPixel(double px) const { return model_.XFromPixel(px); }
    double YFromPixel(double py) const { return model_.YFromPixel(py); }
    std::optional<SeriesPoint> NearestPoint(int n, double px) const {
        return model_.NearestPoint(n, px);
    }
    bool Plotting() const { return model_.Plotting(); }
    void setPlotting(bool on) { model_.setPlotting(on); }

    // Redraws now.
    void Update();
    // Prints the chart on one page, placed and scaled by the print settings, after the
    // print dialog (false when cancelled).
    bool Print();
    // Draws the chart on a printer's page as Print does.
    void printOn(QPrinter& printer);
    // The modal design dialogs; both work on a copy that OK applies and Cancel drops.
    void ShowGraphDesigner();
    void ShowSeriesWizard();

    // The chart as an image of that size (the screen's look, antialiased).
    QImage picture(QSize size);

Q_SIGNALS:
    // After the chart's own handling of a press (also when Shift started a zoom).
    void OnMouseDown(QMouseEvent* event);
    void OnMouseMove(QMouseEvent* event);
    void OnWantDesigner();
    // A layout failed: an axis that cannot be scaled or a range rule that gave up. Sent
    // once each time the chart goes from drawable to failing.
    void scaleError(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool onLegendHandle(QPointF p) const;
    void noteLayoutError();

    DialogService& dialogs_;
    ChartModel model_;
    ChartZoom zoom_;
    std::optional<QPointF> zoomCorner_; // the moving corner while a zoom is dragged
    bool draggingLegend_ = false;
    std::optional<QPointF> crosshair_;
    std::string lastError_;
};

} // namespace ombrelune
