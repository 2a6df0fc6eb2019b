#pragma once
// The frame of the chart's design dialogs: they edit a copy of the chart; "Preview" shows
// the copy on the chart, OK keeps it, Cancel puts the chart back as it was.

#include "plot/chart_model.hpp"
#include "ui/chart_form.hpp"

#include <QDialog>

class QDialogButtonBox;

namespace ombrelune {

class ChartCopyDialog : public QDialog {
    Q_OBJECT
public:
    ChartCopyDialog(ChartModel& chart, DialogService& dialogs, const QString& title,
                    QWidget* parent);

    // The copy being edited.
    ChartModel& copy() { return working_; }
    // Called with the dialog's result once it is closed.
    void finish(bool accepted);
    void Preview();

protected:
    // The dialog's body above its buttons.
    void setBody(QWidget* body);
    FormBinder& binder() { return binder_; }

private:
    ChartModel& chart_;
    ChartModel original_;
    ChartModel working_;
    bool previewed_ = false;
    FormBinder binder_;
    QDialogButtonBox* buttons_;
};

} // namespace ombrelune
