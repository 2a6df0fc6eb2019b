// The 1D view: a new view, cursors and their sum, zooms, the axis buttons and boxes, the
// factor boxes, the curve lists, the formula box, the menus, export, copy and drop.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/curve_chart.hpp"
#include "ui/edit_real.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/perbox.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"
#include "ui/spin_button.hpp"

#include "store/spectrum_files.hpp"
#include "store/text_file.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <memory>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

// Curve "Q" (x 100 + i, value i + 1 for i = 0..9) in slot 1 and "R" (x i, value 2 i) in
// slot 2, then a shown view 700 x 500.
struct View {
    Session s;
    std::unique_ptr<Tgraph1dform> view;

    View() {
        s.wb.journal.start();
        addCurve("Q", 10, [](int i) { return std::pair{100.0 + i, i + 1.0}; });
        addCurve("R", 5, [](int i) { return std::pair{double(i), 2.0 * i}; });
        view = std::make_unique<Tgraph1dform>(s.context());
        view->resize(700, 500);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        chart()->Update();
    }
    template <typename F> void addCurve(const std::string& name, int n, F point) {
        spectre& c = *s.wb.spectres1D.at(s.wb.spectres1D.create(name, n, 1, 1));
        c.typeX = "q (1/A)";
        c.comment = "curve " + name;
        for (int i = 0; i < n; ++i) {
            c.setXAt(i, 0, 0, point(i).first);
            c.setValueAt(i, 0, 0, point(i).second);
        }
    }
    TCurveChart* chart() { return view->curveChart1; }
    ChartModel& model() { return chart()->model(); }
    // The pixel column of x on the chart.
    QPoint pixelOf(double x, double y) {
        const ChartFrame& f = model().frame();
        return QPoint(static_cast<int>(f.maps[0].toPixel(x)),
                      static_cast<int>(f.maps[1].toPixel(y)));
    }
    void click(double x, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(chart(), button, {}, pixelOf(x, model().YAxis().Max / 2));
    }
    std::vector<double> ys(int n) {
        std::vector<double> out;
        TSeries& series = model().Series(n);
        for (auto p = series.FirstPoint(); p; p = series.NextPoint()) out.push_back(p->y);
        return out;
    }
};

} // namespace

class Graph1DFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewViewShowsTheFirstSlotsAtOneThirtySecond() {
        View v;
        QCOMPARE(v.view->windowTitle(), QStringLiteral("graphique 1d"));
        QCOMPARE(v.view->cocourbe[0]->currentText(), QStringLiteral("Q"));
        QCOMPARE(v.view->cocourbe[1]->currentText(), QStringLiteral("R"));
        QCOMPARE(v.view->cocourbe[2]->currentText(), QStringLiteral("ComboBox1"));
        for (Tperbox* box : v.view->perbox) {
            QCOMPARE(box->valeur(), 1);
            QCOMPARE(box->factorLabel()->text(), QStringLiteral("1/32"));
        }
        QCOMPARE(v.ys(1).front(), 1.0 / 32);
        QCOMPARE(v.ys(2).back(), 8.0 / 32);
        QVERIFY(v.model().findSeries(3)->empty());
        QCOMPARE(v.model().XAxis().Title, std::string("q (1/A)"));
        QCOMPARE(v.view->cocourbe[0]->toolTip(), QStringLiteral("curve Q"));
        QCOMPARE(v.model().Series(1).settings().ZeroValue, -1e-6);
        QCOMPARE(v.model().Series(2).settings().LineColor, (Rgb{255, 0, 0}));
        QCOMPARE(v.view->CursorSum(), 0.0); // both cursors at 0
        QCOMPARE(v.view->zoomLevel(), 0);
        const QString curves = QStringLiteral("{A,B,C,D}");
        QCOMPARE(menuCaptions(v.view->menuBar),
                 (QStringList{"courbes {Read " + curves + ",Save " + curves + ",Delete " + curves +
                                  ",Save To ASCII " + curves +
                                  ",Read From .00 {A,B (off),C (off),D (off)},Save NXcanSAS " +
                                  curves + "}",
                              QStringLiteral("graphique {Export…,Copy,Error bars}")}));
    }

    void cursorsShowTheirPointAndTheSumBetweenThem() {
        View v;
        v.s.wb.spectres1D.find("Q")->setXAt(3, 0, 0, 103.456789);
        v.view->Redraw();
        v.chart()->Update();
        v.click(103.45);
        QCOMPARE(v.view->PosCurseurRouge->text(), QStringLiteral("103.4600000"));
        QCOMPARE(v.view->Edit2->text(), QStringLiteral("0.12500000"));
        QCOMPARE(v.view->cursorId(redCursor), 4);
        QCOMPARE(v.model().Mark(redCursor)->x1, 103.456789);
        v.click(107, Qt::RightButton);
        QCOMPARE(v.view->PosCurseurBleu->text(), QStringLiteral("107.0000000"));
        // 103.46 < x <= 107: the points 5 .. 8, each value / 32.
        QCOMPARE(v.view->CursorSum(), (5 + 6 + 7 + 8) / 32.0);
        QCOMPARE(v.view->IntegralBox->Value(), (5 + 6 + 7 + 8) / 32.0);
        v.view->CourbeAintegrerBox->setCurrentText(QStringLiteral("C"));
        QCOMPARE(v.view->CursorSum(), 0.0);

        // The spin buttons step by point id; past the last point the cursor stays.
        QTest::mouseClick(v.view->SpinButton1->upButton, Qt::LeftButton);
        QCOMPARE(v.view->PosCurseurRouge->text(), QStringLiteral("104.0000000"));
        QCOMPARE(v.view->cursorId(redCursor), 5);
        for (int k = 0; k < 5; ++k)
            QTest::mouseClick(v.view->SpinButton2->upButton, Qt::LeftButton);
        QCOMPARE(v.view->PosCurseurBleu->text(), QStringLiteral("109.0000000"));
    }

    void aPressInTheMarginsOpensTheDesigner() {
        View v;
        const PlotArea& a = v.model().frame().area;
        QTest::mouseClick(v.chart(), Qt::LeftButton, {},
                          QPoint(static_cast<int>(a.left) - 5, static_cast<int>(a.top) + 20));
        QCOMPARE(v.s.dialogs.texts("dialog"), QStringList{QStringLiteral("Graph Designer")});
        QCOMPARE(v.view->PosCurseurRouge->text(), QStringLiteral("0"));
    }

    void zoomInBetweenTheCursorsAndBack() {
        View v;
        v.click(107);
        v.click(102, Qt::RightButton); // blue left of red: nothing to zoom
        v.view->SpeedButton6->click();
        QCOMPARE(v.view->zoomLevel(), 0);
        const double xMin = v.model().XAxis().Min, xMax = v.model().XAxis().Max;
        v.click(102);
        v.click(107, Qt::RightButton);
        v.view->SpeedButton6->click();
        QCOMPARE(v.view->zoomLevel(), 1);
        QCOMPARE(v.model().XAxis().Min, 102.0);
        QCOMPARE(v.model().XAxis().Max, 107.0);
        QVERIFY(!v.model().XAxis().AutoSizing);
        QCOMPARE(v.view->SpeedButton8->text(), QStringLiteral("Xauto")); // caption unchanged
        v.view->SpeedButton5->click();
        QCOMPARE(v.view->zoomLevel(), 0);
        QCOMPARE(v.model().XAxis().Min, xMin);
        QCOMPARE(v.model().XAxis().Max, xMax);
        QCOMPARE(v.model().Mark(redCursor)->x1, 102.0);
        QCOMPARE(v.view->PosCurseurRouge->text(), QStringLiteral("102.0000000"));
    }

    void axisButtonsAndBoxes() {
        View v;
        v.view->SpeedButton8->click();
        QCOMPARE(v.view->SpeedButton8->text(), QStringLiteral("Xman"));
        QVERIFY(!v.model().XAxis().AutoSizing);
        v.view->SpeedButton8->click();
        QCOMPARE(v.view->SpeedButton8->text(), QStringLiteral("Xauto"));
        v.view->SpeedButton7->click();
        QCOMPARE(v.view->SpeedButton7->text(), QStringLiteral("Yman"));

        v.view->ToggleLinLog->click();
        QCOMPARE(v.view->ToggleLinLog->text(), QStringLiteral("Log"));
        QVERIFY(v.model().YAxis().LogScale);
        v.view->ToggleLinLog->click();
        QCOMPARE(v.view->ToggleLinLog->text(), QStringLiteral("Lin"));
        QVERIFY(!v.model().YAxis().LogScale);

        v.view->XminBox->setFocus();
        v.view->XminBox->setText(QStringLiteral("101.5"));
        QTest::keyClick(v.view->XminBox, Qt::Key_Return);
        QCOMPARE(v.model().XAxis().Min, 101.5);
        QCOMPARE(v.view->XminBox->text(), QStringLiteral("102")); // three digits after Enter

        // Min above max: the chart shows its error caption and says so once.
        v.view->XmaxBox->setText(QStringLiteral("50"));
        QTest::keyClick(v.view->XmaxBox, Qt::Key_Return);
        v.chart()->repaint();
        QTRY_COMPARE(v.s.dialogs.texts("error"),
                     QStringList{QStringLiteral("q (1/A)CalcMetrics: XMin>=XMax")});
        v.chart()->repaint();
        QTest::qWait(20);
        QCOMPARE(v.s.dialogs.count("error"), 1);
    }

    void mouseMovesShowThePosition() {
        View v;
        const QPoint p = v.pixelOf(104, 0.1);
        QTest::mouseMove(v.chart(), p);
        QVERIFY(std::fabs(v.view->Xpos->Value() - v.chart()->XFromPixel(p.x())) < 1e-5);
        QVERIFY(std::fabs(v.view->Ypos->Value() - v.chart()->YFromPixel(p.y())) < 1e-5);
        QVERIFY(std::fabs(v.view->Xpos->Value() - 104) < 0.5);
    }

    void factorBoxesScaleHideAndShareTheirExponent() {
        View v;
        v.view->perbox[0]->setValeur(8); // factor 4
        QCOMPARE(v.ys(1).front(), 4.0);
        QCOMPARE(v.s.context().curveViews().exponents[0], 8);
        v.view->perbox[1]->checkBox()->click();
        QVERIFY(!v.model().Series(2).settings().Active);
        v.view->perbox[1]->checkBox()->click();
        QVERIFY(v.model().Series(2).settings().Active);
        // Another view shares the exponents: a new one sets them back to 1.
        Tgraph1dform second(v.s.context());
        QCOMPARE(v.s.context().curveViews().exponents[0], 1);
    }

    void listsRefillAndFollowTheChosenName() {
        View v;
        v.view->cocourbe[2]->showPopup();
        v.view->cocourbe[2]->hidePopup();
        QCOMPARE(v.view->cocourbe[2]->count(), 2);
        QCOMPARE(v.view->cocourbe[2]->currentText(), QStringLiteral("ComboBox1"));
        v.view->cocourbe[2]->setCurrentIndex(v.view->cocourbe[2]->findText(QStringLiteral("R")));
        QCOMPARE(v.ys(3).size(), 5u);
        v.view->cocourbe[2]->setEditText(QStringLiteral("nothing"));
        QVERIFY(v.ys(3).empty());
    }

    void formulaBoxMakesACurveAndOffersIt() {
        View v;
        v.view->Edit5->setText(QStringLiteral("S=Q*2"));
        QTest::keyClick(v.view->Edit5, Qt::Key_Return);
        QVERIFY(v.s.wb.spectres1D.find("S"));
        for (const RefillingComboBox* list : v.view->cocourbe)
            QVERIFY(list->findText(QStringLiteral("S")) >= 0);
        QCOMPARE(v.view->cocourbe[3]->currentText(), QStringLiteral("ComboBox1"));
    }

    void menuReadSaveAsciiDelete() {
        View v;
        const QString file = v.s.path("saved.1D");
        v.s.dialogs.files = {file};
        v.view->SaveCurve(1);
        QVERIFY(fileExists(fsPath(file)));
        QCOMPARE(v.s.dialogs.last("save")->title, QStringLiteral("Sauvegarde courbe 1D"));
        QCOMPARE(v.s.dialogs.last("save")->suffix, QStringLiteral("1D")); // "name" saves name.1D
        v.s.dialogs.files = {file};
        v.view->ReadCurve(2);
        QCOMPARE(v.view->cocourbe[1]->currentText(), QStringLiteral("saved"));
        QCOMPARE(v.ys(2).size(), 10u);
        QCOMPARE(v.s.dialogs.last("open")->title, QStringLiteral("Ouverture courbe 1D"));

        v.s.dialogs.files = {v.s.path("table.txt")};
        v.view->SaveCurveToAscii(1);
        QVERIFY(readTextLines(fsPath(v.s.path("table.txt"))).size() > 10);

        v.view->DeleteCurve(2);
        QVERIFY(!v.s.wb.spectres1D.find("saved"));
        QCOMPARE(v.view->cocourbe[1]->currentText(), QStringLiteral("Q"));

        v.s.dialogs.files = {v.s.path("missing.1D")};
        v.view->ReadCurve(3);
        QCOMPARE(v.s.dialogs.count("error"), 1);
    }

    void readFromDot00() {
        View v;
        const QString file = v.s.path("run.00");
        writeFile(fsPath(file), "x, y\n0.5\t7\n1,8\n");
        v.s.dialogs.files = {file};
        v.view->ReadFromDot00();
        QCOMPARE(v.view->cocourbe[0]->currentText(), QStringLiteral("run"));
        QCOMPARE(v.ys(1), (std::vector<double>{7.0 / 32, 8.0 / 32}));
    }

    void exportWritesTheChosenFormatAndSize() {
        View v;
        v.s.dialogs.files = {v.s.path("chart.svg"), v.s.path("chart")};
        v.s.dialogs.onDialog = [](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("width"))->setValue(900);
            return true;
        };
        v.view->ExportChart();
        const std::string svg = readFile(fsPath(v.s.path("chart.svg")));
        QVERIFY(svg.find("width=\"900") != std::string::npos);
        QVERIFY(svg.find(">q (1/A)</text>") != std::string::npos);
        v.view->ExportChart(); // no extension: a PNG
        QVERIFY(fileExists(fsPath(v.s.path("chart.png"))));
        QCOMPARE(readTextLines(v.s.wb.journal.path()).back(),
                 "graphique 1D sauvegardé sous " + utf8(v.s.path("chart.png")));
    }

    void saveNXcanSASAsksTitleAndUnitsAndNotesTheFile() {
        View v;
        v.s.dialogs.files = {v.s.path("q.h5"), v.s.path("none/q.h5")};
        QString offeredTitle;
        v.s.dialogs.onDialog = [&offeredTitle](QDialog& d) {
            auto* title = d.findChild<QLineEdit*>(QStringLiteral("title"));
            offeredTitle = title->text();
            title->setText(QStringLiteral("run 12"));
            d.findChild<QComboBox*>(QStringLiteral("iUnit"))
                ->setCurrentText(QStringLiteral("1/cm"));
            return true;
        };
        v.view->SaveCurveNXcanSAS(1);
        QCOMPARE(offeredTitle, QStringLiteral("Q"));
        const std::string bytes = readFile(fsPath(v.s.path("q.h5")));
        QCOMPARE(bytes.substr(0, 4), std::string("\x89HDF"));
        QVERIFY(bytes.find("run 12") != std::string::npos);
        QVERIFY(bytes.find("1/cm") != std::string::npos);
        QCOMPARE(v.s.journalFileLines().back(), "sauvegarde de Q sous " + utf8(v.s.path("q.h5")));
        v.view->SaveCurveNXcanSAS(1); // into a directory that does not exist
        QCOMPARE(v.s.dialogs.count("error"), 1);
        QVERIFY(v.s.journalFileLines().back().starts_with("!! SaveNXcanSAS : "));
        v.s.dialogs.files = {v.s.path("c.h5")};
        v.view->SaveCurveNXcanSAS(3); // no curve behind list C
        QCOMPARE(v.s.journalFileLines().back(),
                 std::string("!! SaveNXcanSAS : courbe ComboBox1 non trouvée"));
    }

    void theErrorBarsToggle() {
        View v;
        QAction* bars = v.view->menuBar->findChild<QAction*>(QStringLiteral("errorBars"));
        QVERIFY(bars && bars->isChecked());
        bars->trigger();
        QVERIFY(!v.view->errorBarsShown());
        for (int c = 1; c <= curveCount; ++c)
            QVERIFY(!v.model().Series(c).settings().DrawErrorBars);
        bars->trigger();
        QVERIFY(v.model().Series(2).settings().DrawErrorBars);
    }

    void copyPutsThePictureAndTheColumns() {
        View v;
        v.view->CopyChart();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasImage());
        QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), v.chart()->size());
        const QStringList lines = data->text().split('\n');
        QCOMPARE(lines[0], QStringLiteral("A: Q x\tA: Q\tB: R x\tB: R"));
        QCOMPARE(lines[1], QStringLiteral("100\t0.03125\t0\t0"));
        QCOMPARE(lines[6], QStringLiteral("105\t0.1875\t\t"));
    }

    void aDroppedFileBecomesCurveA() {
        View v;
        spectre saved = *v.s.wb.spectres1D.find("R");
        writeSpectreFile(saved, fsPath(v.s.path("dropped.1D")), v.s.wb.journal);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(v.s.path("dropped.1D"))});
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, data, Qt::LeftButton, {});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(v.view.get(), &enter);
        QVERIFY(enter.isAccepted());
        QApplication::sendEvent(v.view.get(), &drop);
        QCOMPARE(v.view->cocourbe[0]->currentText(), QStringLiteral("dropped"));
        QCOMPARE(v.ys(1).size(), 5u);
        delete data;
    }

    void refreshRedrawsFromTheTable() {
        View v;
        v.s.wb.spectres1D.find("Q")->setValueAt(0, 0, 0, 64);
        v.view->refreshView();
        QCOMPARE(v.ys(1).front(), 2.0);
    }
};

OMBRELUNE_UI_TEST(Graph1DFormTest, "graph1d_form_test");
#include "graph1d_form_test.moc"
