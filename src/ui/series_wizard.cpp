#include "ui/series_wizard.hpp"

#include "ui/qt_text.hpp"

#include "store/number_format.hpp"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ombrelune {

SeriesWizard::SeriesWizard(ChartModel& chart, DialogService& dialogs, QWidget* parent)
    : ChartCopyDialog(chart, dialogs, QStringLiteral("Series Wizard"), parent),
      list(new QListWidget(this)),
      addButton(new QPushButton(QStringLiteral("Add New Series"), this)),
      deleteButton(new QPushButton(QStringLiteral("Delete Series"), this)) {
    setObjectName(QStringLiteral("SeriesWizard"));
    auto* body = new QWidget(this);
    auto* left = new QVBoxLayout;
    left->addWidget(list, 1);
    left->addWidget(addButton);
    left->addWidget(deleteButton);
    auto* layout = new QHBoxLayout(body);
    layout->addLayout(left);
    form_ = settingsForm();
    layout->addWidget(form_, 1);
    fillList();
    connect(list, &QListWidget::currentRowChanged, this,
            [this](int row) { select(row < 0 ? 0 : list->item(row)->data(Qt::UserRole).toInt()); });
    connect(addButton, &QPushButton::clicked, this, &SeriesWizard::addNewSeries);
    connect(deleteButton, &QPushButton::clicked, this, &SeriesWizard::deleteSeries);
    const auto& series = copy().seriesList();
    current_ = series.empty() ? 0 : series.begin()->first;
    setBody(body);
    select(current_);
}

template <typename T> Field<T> SeriesWizard::seriesField(T SeriesSettings::*member) {
    return {[this, member] {
                const TSeries* s = copy().findSeries(current_);
                return s ? s->settings().*member : SeriesSettings{}.*member;
            },
            [this, member](const T& v) {
                if (TSeries* s = copy().findSeries(current_)) {
                    SeriesSettings changed = s->settings();
                    changed.*member = v;
                    s->setSettings(changed);
                }
            }};
}

QWidget* SeriesWizard::settingsForm() {
    auto* page = new QWidget(this);
    auto* f = new QFormLayout(page);
    FormBinder& b = binder();
    b.text(f, QStringLiteral("Name"), seriesField(&SeriesSettings::SeriesName));
    b.check(f, QStringLiteral("Series is shown"), seriesField(&SeriesSettings::Active));
    b.check(f, QStringLiteral("Shown in the legend"), seriesField(&SeriesSettings::ShowInLegend));
    b.check(f, QStringLiteral("Lines"), seriesField(&SeriesSettings::DrawLine));
    b.colour(f, QStringLiteral("Line colour"), seriesField(&SeriesSettings::LineColor));
    b.choice(f, QStringLiteral("Line style"), lineStyleNames(),
             seriesField(&SeriesSettings::LineStyle));
    b.check(f, QStringLiteral("Points"), seriesField(&SeriesSettings::DrawPoints));
    b.colour(f, QStringLiteral("Point colour"), seriesField(&SeriesSettings::PointColor));
    b.check(f, QStringLiteral("Filled points"), seriesField(&SeriesSettings::FillPoints));
    b.choice(f, QStringLiteral("Point shape"), pointShapeNames(),
             seriesField(&SeriesSettings::PointShape));
    b.integer(f, QStringLiteral("Point size"), 1, 100, seriesField(&SeriesSettings::PointStyle));
    b.check(f, QStringLiteral("Error bars"), seriesField(&SeriesSettings::DrawErrorBars));
    b.choice(f, QStringLiteral("Axis"), {QStringLiteral("Main"), QStringLiteral("Second")},
             {[this] { return seriesField(&SeriesSettings::onSecondAxis).get() ? 1 : 0; },
              [this](const int& k) { seriesField(&SeriesSettings::onSecondAxis).set(k == 1); }});
    b.number(f, QStringLiteral("Internal zero"), seriesField(&SeriesSettings::ZeroValue));
    b.check(f, QStringLiteral("Automatically set at lowest value"),
            seriesField(&SeriesSettings::AutoZero));
    b.number(f, QStringLiteral("Tolerance"), seriesField(&SeriesSettings::NumericalTolerance));
    b.check(f, QStringLiteral("Allow Duplicate X values"),
            seriesField(&SeriesSettings::DuplicatesAllowed));
    auto* statistics = new QLabel(page);
    statistics->setObjectName(QStringLiteral("statistics"));
    f->addRow(QStringLiteral("Statistics"), statistics);
    return page;
}

void SeriesWizard::fillList() {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& [n, s] : copy().seriesList()) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1: %2").arg(n).arg(QString::fromStdString(s.settings().SeriesName)),
            list);
        item->setData(Qt::UserRole, n);
        if (n == current_) list->setCurrentItem(item);
    }
}

void SeriesWizard::select(int number) {
    current_ = copy().findSeries(number) ? number : 0;
    form_->setEnabled(current_ != 0);
    deleteButton->setEnabled(current_ != 0);
    binder().load();
    auto* statistics = form_->findChild<QLabel*>(QStringLiteral("statistics"));
    const TSeries* s = copy().findSeries(current_);
    if (!s || s->empty()) {
        statistics->setText(s ? QStringLiteral("no points") : QString());
    } else {
        const ValueSpan x = s->xSpan(), y = s->ySpan();
        auto shown = [](double v) { return qs(formatGeneral(roundToSignificant(v, 6), '.')); };
        statistics->setText(QStringLiteral("%1 points, x %2 … %3, y %4 … %5")
                                .arg(s->size())
                                .arg(shown(x.lo), shown(x.hi), shown(y.lo), shown(y.hi)));
    }
    fillList();
}

void SeriesWizard::addNewSeries() {
    const auto& series = copy().seriesList();
    const int number = series.empty() ? 1 : series.rbegin()->first + 1;
    copy().Series(number);
    select(number);
}

void SeriesWizard::deleteSeries() {
    if (current_ == 0) return;
    copy().deleteSeries(current_);
    const auto& series = copy().seriesList();
    select(series.empty() ? 0 : series.begin()->first);
}

} // namespace ombrelune
