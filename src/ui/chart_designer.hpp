#pragma once
// "Graph Designer": the chart's general settings, its legend, what all axes share, and one
// page per axis, edited on a copy of the chart.

#include "ui/chart_copy_dialog.hpp"

namespace ombrelune {

class GraphDesigner : public ChartCopyDialog {
    Q_OBJECT
public:
    GraphDesigner(ChartModel& chart, DialogService& dialogs, QWidget* parent = nullptr);

private:
    QWidget* generalPage();
    QWidget* legendPage();
    QWidget* allAxesPage();
    QWidget* axisPage(AxisId id);
};

} // namespace ombrelune
