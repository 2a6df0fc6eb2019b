// The chart control: Shift-drag zoom and its undo, the legend drag, Ctrl-click, the two
// design dialogs on a copy, and printing.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/chart_designer.hpp"
#include "ui/curve_chart.hpp"
#include "ui/qt_text.hpp"
#include "ui/series_wizard.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

// A shown chart 500 x 400 with one series y = x over 0..100 and automatic axes.
struct Chart {
    Session s;
    std::unique_ptr<TCurveChart> chart;

    Chart() : chart(std::make_unique<TCurveChart>(s.dialogs)) {
        ChartModel& m = chart->model();
        for (AxisId id : {AxisId::X, AxisId::Y}) {
            m.editAxis(id).AutoSizing = true;
            m.editAxis(id).AutoStepping = true;
        }
        for (int i = 0; i <= 100; ++i) m.Series(1).AddPoint(i, i);
        chart->resize(500, 400);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        chart->Update();
    }
    ChartModel& model() { return chart->model(); }
    QPoint at(double x, double y) {
        const ChartFrame& f = model().frame();
        return QPoint(static_cast<int>(f.maps[0].toPixel(x)),
                      static_cast<int>(f.maps[1].toPixel(y)));
    }
    void shiftDrag(QPoint from, QPoint to) {
        QTest::mousePress(chart.get(), Qt::LeftButton, Qt::ShiftModifier, from);
        QTest::mouseMove(chart.get(), to);
        QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::ShiftModifier, to);
        chart->Update();
    }
};

// The field of a form row by its caption.
template <typename W> W* fieldOf(QWidget* dialog, const QString& caption) {
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->text() == caption) return qobject_cast<W*>(label->buddy());
    return nullptr;
}

} // namespace

class CurveChartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shiftDragZoomsAndASmallDragUndoes() {
        Chart c;
        QSignalSpy presses(c.chart.get(), &TCurveChart::OnMouseDown);
        const double automaticMax = c.model().XAxis().Max;
        c.shiftDrag(c.at(20, 60), c.at(40, 30));
        QVERIFY(std::fabs(c.model().XAxis().Min - 20) < 0.5);
        QVERIFY(std::fabs(c.model().XAxis().Max - 40) < 0.5);
        QVERIFY(std::fabs(c.model().YAxis().Min - 30) < 0.5);
        QVERIFY(!c.model().XAxis().AutoSizing);
        QCOMPARE(presses.count(), 1); // the window hears the press too
        c.shiftDrag(c.at(25, 50), c.at(30, 40));
        QVERIFY(std::fabs(c.model().XAxis().Max - 30) < 0.5);
        const QPoint p = c.at(30, 40);
        c.shiftDrag(p, p + QPoint(100, 3));
        QVERIFY(c.model().XAxis().AutoSizing);
        QCOMPARE(c.model().XAxis().Max, automaticMax);
    }

    void legendDragAndCtrlClick() {
        Chart c;
        c.model().Legend.visible = true;
        c.model().Legend.left = 20;
        c.model().Legend.top = 20;
        QTest::mousePress(c.chart.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(23, 24));
        QTest::mouseRelease(c.chart.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(150, 90));
        QCOMPARE(c.model().Legend.left, 150);
        QCOMPARE(c.model().Legend.top, 90);
        QVERIFY(c.model().XAxis().AutoSizing); // no zoom meanwhile
        QSignalSpy designer(c.chart.get(), &TCurveChart::OnWantDesigner);
        QTest::mouseClick(c.chart.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(200, 200));
        QCOMPARE(designer.count(), 1);
    }

    void graphDesignerAppliesOnOkOnly() {
        Chart c;
        QStringList titles;
        c.s.dialogs.onDialog = [&titles](QDialog& d) {
            auto* pages = d.findChild<QTabWidget*>(QStringLiteral("pages"));
            for (int k = 0; k < pages->count(); ++k) titles << pages->tabText(k);
            auto* title = fieldOf<QLineEdit>(pages->widget(3), QStringLiteral("Title"));
            title->setText(QStringLiteral("q"));
            title->textEdited(title->text());
            return false;
        };
        c.chart->ShowGraphDesigner();
        QCOMPARE(titles, (QStringList{"General", "Legend", "All Axes", "X Axis", "Y Axis",
                                      "Second Y Axis"}));
        QCOMPARE(c.model().XAxis().Title, std::string("X axis")); // cancelled

        c.s.dialogs.onDialog = [](QDialog& d) {
            auto* pages = d.findChild<QTabWidget*>(QStringLiteral("pages"));
            auto* title = fieldOf<QLineEdit>(pages->widget(3), QStringLiteral("Title"));
            title->setText(QStringLiteral("q"));
            title->textEdited(title->text());
            for (QCheckBox* box : pages->widget(4)->findChildren<QCheckBox*>())
                if (box->text() == QStringLiteral("Scale Automatically")) box->click();
            return true;
        };
        c.chart->ShowGraphDesigner();
        QCOMPARE(c.model().XAxis().Title, std::string("q"));
        QVERIFY(!c.model().YAxis().AutoSizing);
        QCOMPARE(c.model().Series(1).size(), 101u); // the series came back with the copy
    }

    void previewShowsTheCopyAndCancelPutsTheChartBack() {
        Chart c;
        GraphDesigner designer(c.model(), c.s.dialogs);
        designer.copy().Appearance.GraphTitle = "preview";
        designer.Preview();
        QCOMPARE(c.model().Appearance.GraphTitle, std::string("preview"));
        designer.finish(false);
        QCOMPARE(c.model().Appearance.GraphTitle, std::string("Curve chart"));
    }

    void seriesWizardAddsEditsAndDeletes() {
        Chart c;
        QStringList seen;
        c.s.dialogs.onDialog = [&seen](QDialog& d) {
            auto& wizard = static_cast<SeriesWizard&>(d);
            seen << QString::number(wizard.list->count());
            wizard.addButton->click();
            seen << QString::number(wizard.current());
            auto* name = fieldOf<QLineEdit>(&wizard, QStringLiteral("Name"));
            seen << name->text();
            name->setText(QStringLiteral("fit"));
            name->textEdited(name->text());
            wizard.select(1);
            for (QCheckBox* box : wizard.findChildren<QCheckBox*>())
                if (box->text() == QStringLiteral("Series is shown")) box->click();
            return true;
        };
        c.chart->ShowSeriesWizard();
        QCOMPARE(seen, (QStringList{"1", "2", "Series 2"}));
        QCOMPARE(c.model().Series(2).settings().SeriesName, std::string("fit"));
        QVERIFY(!c.model().Series(1).settings().Active);

        int afterDelete = 0;
        c.s.dialogs.onDialog = [&afterDelete](QDialog& d) {
            auto& wizard = static_cast<SeriesWizard&>(d);
            wizard.select(2);
            wizard.deleteButton->click();
            afterDelete = wizard.current();
            return true;
        };
        c.chart->ShowSeriesWizard();
        QCOMPARE(afterDelete, 1);
        QVERIFY(!c.model().findSeries(2));
    }

    void printsOnOnePage() {
        Chart c;
        const QString pdf = c.s.path("print.pdf");
        c.s.dialogs.onPrint = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        QVERIFY(c.chart->Print());
        QVERIFY(std::filesystem::file_size(fsPath(pdf)) > 500);
        QCOMPARE(c.model().frame().width, 500.0); // the screen's layout is back
        c.s.dialogs.onPrint = {};
        QVERIFY(!c.chart->Print());
    }
};

OMBRELUNE_UI_TEST(CurveChartTest, "curve_chart_test");
#include "curve_chart_test.moc"
