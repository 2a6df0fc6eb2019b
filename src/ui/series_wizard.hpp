#pragma once
// "Series Wizard": the chart's series listed by number, added and deleted, and the settings
// of the chosen one, edited on a copy of the chart.

#include "ui/chart_copy_dialog.hpp"

class QListWidget;
class QPushButton;

namespace ombrelune {

class SeriesWizard : public ChartCopyDialog {
    Q_OBJECT
public:
    SeriesWizard(ChartModel& chart, DialogService& dialogs, QWidget* parent = nullptr);

    QListWidget* list;
    QPushButton* addButton;
    QPushButton* deleteButton;

    // The series the form shows, 0 when none.
    int current() const { return current_; }
    void select(int number);
    void addNewSeries();
    void deleteSeries();

private:
    QWidget* settingsForm();
    void fillList();
    // A field of the chosen series' settings.
    template <typename T> Field<T> seriesField(T SeriesSettings::*member);

    int current_ = 0;
    QWidget* form_ = nullptr;
};

} // namespace ombrelune
