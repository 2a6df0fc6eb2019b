// The 1D view at work: plotting its curves, the cursors and their sum, zooms, the axis
// buttons and boxes, the curve lists and the formula box.

#include "ui/graph1d_form.hpp"

#include "ui/curve_chart.hpp"
#include "ui/dialog_service.hpp"
#include "ui/edit_real.hpp"
#include "ui/guarded.hpp"
#include "ui/perbox.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "script/eval_formula.hpp"
#include "store/number_format.hpp"
#include "store/workbench.hpp"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace ombrelune {

bool Tgraph1dform::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, action);
}

QString Tgraph1dform::curveName(int c) const {
    return cocourbe[static_cast<std::size_t>(c - 1)]->currentText();
}

void Tgraph1dform::PlotCurve(int c) {
    TSeries& series = curveChart1->Series(c);
    RefillingComboBox* list = cocourbe[static_cast<std::size_t>(c - 1)];
    const spectre* s = wb_.spectres1D.find(utf8(curveName(c)));
    if (!s) {
        // A name the table does not hold shows nothing.
        series.Clear();
        list->setToolTip(QString());
        return;
    }
    plotCurve(series, *s, views_.colour(c), views_.factor(c));
    list->setToolTip(qs(curveHint(*s, wb_.decimalSeparator)));
    if (c == 1) curveChart1->model().setTitle(AxisId::X, s->typeX);
}

void Tgraph1dform::Redraw() {
    for (int c = 1; c <= curveCount; ++c) PlotCurve(c);
    IntegralBox->setValue(CursorSum());
}

double Tgraph1dform::CursorSum() const {
    const auto bound = [this](const QLineEdit* box) {
        return parseNumber(utf8(box->text()), wb_.decimalSeparator).value_or(0.0);
    };
    const int letter = QStringLiteral("ABCD").indexOf(CourbeAintegrerBox->currentText());
    if (letter < 0 || CourbeAintegrerBox->currentText().size() != 1) return 0;
    return ombrelune::CursorSum(curveChart1->model().findSeries(letter + 1), bound(PosCurseurRouge),
                                bound(PosCurseurBleu));
}

void Tgraph1dform::placeCursor(int cursor, const SeriesPoint& point) {
    const bool red = cursor == redCursor;
    (red ? PosCurseurRouge : PosCurseurBleu)
        ->setText(qs(cursorXText(point.x, wb_.decimalSeparator)));
    (red ? Edit2 : Edit4)->setText(qs(cursorYText(point.y, wb_.decimalSeparator)));
    ChartModel& chart = curveChart1->model();
    if (const TMark* mark = chart.Mark(cursor)) {
        TMark moved = *mark;
        moved.x1 = moved.x2 = point.x;
        chart.updateMark(moved);
    }
    cursorIds_[static_cast<std::size_t>(cursor - 1)] = point.id;
}

void Tgraph1dform::chartMouseDown(QMouseEvent* event) {
    const QPointF p = event->position();
    const Qt::MouseButton button = event->button();
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        const ChartModel& chart = curveChart1->model();
        if (chart.XFromPixel(p.x()) < chart.XAxis().Min ||
            chart.YFromPixel(p.y()) < chart.YAxis().Min) {
            // A press in the left or bottom margin.
            curveChart1->ShowGraphDesigner();
        } else if (const auto point = chart.NearestPoint(1, p.x())) {
            placeCursor(button == Qt::LeftButton ? redCursor : blueCursor, *point);
        }
    }
    IntegralBox->setValue(CursorSum());
}

void Tgraph1dform::chartMouseMove(QMouseEvent* event) {
    const QPointF p = event->position();
    Xpos->setValue(curveChart1->XFromPixel(p.x()));
    Ypos->setValue(curveChart1->YFromPixel(p.y()));
}

void Tgraph1dform::stepCursor(int cursor, int step) {
    const TSeries* curveA = curveChart1->model().findSeries(1);
    if (!curveA) return;
    if (const auto found = curveA->PointById(cursorId(cursor) + step))
        placeCursor(cursor, found->point);
}

void Tgraph1dform::perboxNotify(int code, int value) {
    if (code >= 1 && code <= curveCount) {
        if (value == 3) curveChart1->Series(code).setActive(false);
        if (value == 2) curveChart1->Series(code).setActive(true);
    } else if (code >= 11 && code < 11 + curveCount) {
        views_.exponents[static_cast<std::size_t>(code - 11)] = value;
        PlotCurve(code - 10);
    }
}

void Tgraph1dform::SpeedButton6Click() {
    ChartModel& chart = curveChart1->model();
    const ZoomEntry current{chart.XAxis().Min, chart.XAxis().Max, chart.Mark(redCursor)->x1,
                            chart.Mark(blueCursor)->x1};
    if (!zoom_.zoomIn(current)) return;
    chart.setMin(AxisId::X, current.red);
    chart.setMax(AxisId::X, current.blue);
}

void Tgraph1dform::SpeedButton5Click() {
    const auto back = zoom_.zoomOut();
    if (!back) return;
    ChartModel& chart = curveChart1->model();
    chart.setMin(AxisId::X, back->xMin);
    chart.setMax(AxisId::X, back->xMax);
    for (const auto& [number, x] :
         {std::pair{redCursor, back->red}, std::pair{blueCursor, back->blue}}) {
        TMark mark = *chart.Mark(number);
        mark.x1 = mark.x2 = x;
        chart.updateMark(mark);
    }
}

namespace {
// Switches an axis' automatic sizing and shows the state on its button.
void toggleAutoSizing(ChartModel& chart, AxisId id, QToolButton* button, const QString& automatic,
                      const QString& manual) {
    const bool on = !chart.axis(id).AutoSizing;
    chart.setAutoSizing(id, on);
    button->setText(on ? automatic : manual);
}
} // namespace

void Tgraph1dform::SpeedButton8Click() {
    toggleAutoSizing(curveChart1->model(), AxisId::X, SpeedButton8, QStringLiteral("Xauto"),
                     QStringLiteral("Xman"));
}

void Tgraph1dform::SpeedButton7Click() {
    toggleAutoSizing(curveChart1->model(), AxisId::Y, SpeedButton7, QStringLiteral("Yauto"),
                     QStringLiteral("Yman"));
}

void Tgraph1dform::ToggleLinLogClick() {
    const bool toLog = ToggleLinLog->text() == QStringLiteral("Lin");
    curveChart1->model().setLogScale(AxisId::Y, toLog);
    ToggleLinLog->setText(toLog ? QStringLiteral("Log") : QStringLiteral("Lin"));
    Redraw();
}

void Tgraph1dform::setAxisBound(TEditReal* box) {
    ChartModel& chart = curveChart1->model();
    const double v = box->Value();
    if (box == XminBox) chart.setMin(AxisId::X, v);
    if (box == XmaxBox) chart.setMax(AxisId::X, v);
    if (box == YminBox) chart.setMin(AxisId::Y, v);
    if (box == YmaxBox) chart.setMax(AxisId::Y, v);
    Redraw();
}

void Tgraph1dform::fillCurveLists() {
    const QStringList names = spectrumNames(wb_.spectres1D);
    for (RefillingComboBox* list : cocourbe) list->setItemsKeepingText(names);
}

void Tgraph1dform::Edit5Return() {
    if (!guarded(
            [this] { evalFormula(wb_.spectres1D, utf8(Edit5->text()), Parser1, wb_.journal); }))
        return;
    // The curve in the slot before the first empty one (the last slot when none is).
    int slot = 1;
    while (slot <= spectlist::slotCount && wb_.spectres1D.at(slot)) ++slot;
    if (const spectre* last = wb_.spectres1D.at(slot - 1))
        for (RefillingComboBox* list : cocourbe) {
            const QSignalBlocker quiet(list);
            const QString text = list->currentText();
            list->addItem(qs(last->name));
            list->setEditText(text);
        }
}

} // namespace ombrelune
