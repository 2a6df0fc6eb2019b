// The fitting window: its controls and menus, the fit of the default model, fits on a
// worker thread with their errors and table, Cancel, the 3D fit and the difference.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/edit_real.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/main_window.hpp"
#include "ui/refilling_combo.hpp"

#include "store/number_format.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <cmath>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

// A peak on a flat background with a deterministic scatter, x = 0 .. 59, as curve "G".
void storePeak(Workbench& wb) {
    spectre s;
    s.name = "G";
    s.resize(60, 1, 1);
    s.clear();
    s.typeX = "x";
    for (int i = 0; i < 60; ++i)
        s.setPointAt(i, 0, 0,
                     spectrePoint{1, double(i), 0, 0,
                                  200 * std::exp(-(i - 31.5) * (i - 31.5) / 40) + 12 +
                                      3 * std::sin(5.0 * i)});
    wb.spectres1D.store(std::move(s));
}

void chooseCurve(TFittingForm& w, const char* name, const char* model) {
    w.ChoixDim[0]->setChecked(true);
    w.ChoixSpectre1D->setEditText(QString::fromUtf8(name));
    w.MyFunction->setText(QString::fromUtf8(model));
}

// Runs a menu action and waits for the fit it starts to end.
bool fitAndWait(TFittingForm& w, QAction* action) {
    QSignalSpy ended(&w, &TFittingForm::fitEnded);
    action->trigger();
    return ended.count() > 0 || ended.wait(60000);
}

QStringList boxTexts(const TFittingForm& w) {
    QStringList texts;
    for (const TEditReal* box : w.parameterBoxes) texts << box->text();
    return texts;
}

} // namespace

class FittingWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsAndMenus() {
        Session s;
        s.startLikeMainWindow();
        TFittingForm w(s.context());
        QCOMPARE(w.MyFunction->text(),
                 QStringLiteral("100*exp(-sqr(X-64)/10000)*exp(-sqr(Y-64)/10000)"));
        QCOMPARE(boxTexts(w), QStringList(5, QStringLiteral("1.0000000000")));
        QCOMPARE(w.toleranceBox->text(), QStringLiteral("0.0000000100"));
        QCOMPARE(w.IterMaxBox->value(), 100);
        QCOMPARE(w.EcartBox->text(), QStringLiteral("EcartBox"));
        QCOMPARE(w.OutputSpectrum->text(), QStringLiteral("OutputSpectrum"));
        QCOMPARE(w.FittingStatus->text(), QStringLiteral("Idle"));
        QCOMPARE(w.chosenDimensionItem(), 1);
        QCOMPARE(w.ChoixSpectre3D->currentText(), QStringLiteral("DATA3D"));
        QCOMPARE(w.pos(), QPoint(0, 0));
        QCOMPARE(w.width(), 523);
        QCOMPARE(
            menuCaptions(w.findChild<QMenuBar*>()),
            (QStringList{"Setup {Update available spectra}", "Difference",
                         "Fitting {Simplex,BFGS,Marquardt}", "Tests {Update Combos,Plot diff 2D}",
                         "Results {Copy table,Clear table}"}));

        // The lists are filled on demand; only the chosen dimension's stays enabled.
        QCOMPARE(w.ChoixSpectre1D->count(), 0);
        w.Updateavailablespectra1->trigger();
        QCOMPARE(w.ChoixSpectre1D->count(), 6);
        QCOMPARE(w.ChoixSpectre2D->itemText(0), QStringLiteral("ACUP"));
        QCOMPARE(w.ChoixSpectre3D->itemText(0), QStringLiteral("data3D"));
        QVERIFY(!w.ChoixSpectre1D->isEnabled());
        QVERIFY(w.ChoixSpectre2D->isEnabled());
        w.ChoixDim[2]->setChecked(true);
        QVERIFY(!w.ChoixSpectre3D->isEnabled()); // until the lists are filled again
        w.UpdateCombos1->trigger();
        QVERIFY(w.ChoixSpectre3D->isEnabled());
    }

    void defaultModelStopsAfterOneIteration() {
        Session s;
        s.startLikeMainWindow();
        TFittingForm w(s.context());
        QVERIFY(fitAndWait(w, w.Simplex1));
        QCOMPARE(boxTexts(w), (QStringList{"0.9750000000", "1.0150000000", "1.0150000000",
                                           "1.0150000000", "1.0150000000"}));
        QCOMPARE(w.FittingStatus->text(), QStringLiteral("Idle"));
        const spectre* diff = s.wb.spectres2D.find("OutputSpectrum");
        QVERIFY(diff);
        QCOMPARE(diff->nx, 128);
        QCOMPARE(diff->ny, 128);
        QCOMPARE(w.errorLabels[0]->text(), QStringLiteral("fixed"));
        QVERIFY(s.journalFileLines().back().rfind("Ajustement ACUP (simplex, 1 itérations) : ",
                                                  0) == 0);
    }

    void marquardtGivesErrorsAndATable() {
        Session s;
        s.startLikeMainWindow();
        storePeak(s.wb);
        TFittingForm w(s.context());
        chooseCurve(w, "G", "A*exp(-sqr(X-B)/C)+D");
        const double start[5] = {150, 30, 30, 10, 7};
        for (std::size_t i = 0; i < 5; ++i) w.parameterBoxes[i]->setValue(start[i]);
        w.OutputSpectrum->setText(QStringLiteral("DG"));
        QSignalSpy changed(&w, &TFittingForm::spectraChanged);
        QSignalSpy curveFitted(&w, &TFittingForm::curveFitted);
        QVERIFY(fitAndWait(w, w.Marquardt1));
        QCOMPARE(curveFitted.count(), 1);
        QCOMPARE(curveFitted.at(0).at(0).toString(), QStringLiteral("G"));
        QCOMPARE(s.dialogs.count(QStringLiteral("error")), 0);
        QVERIFY(std::fabs(w.Abox->Value() - 200) < 3);
        QVERIFY(std::fabs(w.Bbox->Value() - 31.5) < 0.1);
        QCOMPARE(w.Ebox->Value(), 7.0);
        QVERIFY(w.errorLabels[1]->text().startsWith(QStringLiteral("± 0.0")));
        QCOMPARE(w.errorLabels[4]->text(), QStringLiteral("fixed"));
        QVERIFY(w.ChiSquareLabel->text().contains(QStringLiteral("n − p 56")));
        QVERIFY(s.wb.spectres1D.find("DG"));
        QCOMPARE(changed.count(), 1);
        // The model, drawn through the data's range as a curve of its own.
        const spectre* model = s.wb.spectres1D.find(TFittingForm::modelCurveName);
        QVERIFY(model);
        QCOMPARE(model->nx, 512);
        QCOMPARE(model->xAt(511), 59.0);
        QVERIFY(std::fabs(model->valueAt(0) -
                          (w.Abox->Value() *
                               std::exp(-w.Bbox->Value() * w.Bbox->Value() / w.Cbox->Value()) +
                           w.Dbox->Value())) < 1e-6);

        // Difference at the values shown (ten decimals) writes what the fit wrote, but for
        // the digits the boxes do not show.
        const std::vector<double> fitted = [&] {
            std::vector<double> v;
            const spectre& d = *s.wb.spectres1D.find("DG");
            for (int i = 0; i < d.nx; ++i) v.push_back(d.valueAt(i));
            return v;
        }();
        const double ecart = w.EcartBox->Value();
        w.CalculateDifference1->trigger();
        QVERIFY(std::fabs(w.EcartBox->Value() / ecart - 1) < 1e-9);
        const spectre& again = *s.wb.spectres1D.find("DG");
        for (int i = 0; i < again.nx; ++i)
            QVERIFY(std::fabs(again.valueAt(i) - fitted[std::size_t(i)]) <= 1e-7);

        // A second fit adds its row to the table that the menu copies.
        QVERIFY(fitAndWait(w, w.Simplex1));
        QCOMPARE(w.resultRows().size(), 2u);
        w.CopyResults1->trigger();
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, the final line end
        QVERIFY(lines[0].startsWith(QStringLiteral("spectre\tmodèle\tméthode\tA\tdA")));
        QVERIFY(lines[1].startsWith(QStringLiteral("G\tA*exp(-sqr(X-B)/C)+D\tmarquardt\t")));
        QVERIFY(lines[2].startsWith(QStringLiteral("G\tA*exp(-sqr(X-B)/C)+D\tsimplex\t")));
        w.ClearResults1->trigger();
        QVERIFY(w.resultRows().empty());
    }

    void cancelKeepsTheStartValues() {
        Session s;
        s.startLikeMainWindow();
        TFittingForm w(s.context());
        w.MyFunction->setText(QStringLiteral("A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E"));
        const double start[5] = {90, 60, 70, 9000, 1};
        for (std::size_t i = 0; i < 5; ++i) w.parameterBoxes[i]->setValue(start[i]);
        const QStringList before = boxTexts(w);
        w.toleranceBox->setValue(0); // never converges: only the limit or Cancel ends it
        w.IterMaxBox->setValue(std::numeric_limits<int>::max());
        QSignalSpy ended(&w, &TFittingForm::fitEnded);
        w.Simplex1->trigger();
        QVERIFY(w.fitRunning());
        QCOMPARE(w.FittingStatus->text(), QStringLiteral("Fitting in progress"));
        QVERIFY(!w.Simplex1->isEnabled());
        QVERIFY(!w.Abox->isEnabled());
        // The window goes on handling events while the worker iterates.
        QTRY_VERIFY_WITH_TIMEOUT(w.FitProgress->text().startsWith(QStringLiteral("iteration ")),
                                 20000);
        w.CancelButton->click();
        QVERIFY(ended.wait(20000));
        QVERIFY(!w.fitRunning());
        QCOMPARE(boxTexts(w), before);
        QCOMPARE(w.FitProgress->text(), QStringLiteral("cancelled"));
        QCOMPARE(w.FittingStatus->text(), QStringLiteral("Idle"));
        QVERIFY(w.Simplex1->isEnabled());
        QVERIFY(!s.wb.spectres2D.find("OutputSpectrum"));
        QVERIFY(w.resultRows().empty());
    }

    void theModelIsDrawnOverTheDataInTheCurveView() {
        Session s;
        Tprincipalform main(s.context());
        storePeak(s.wb);
        TFittingForm& w = *main.fittingWindow();
        QVERIFY(w.isVisibleTo(&main)); // shown from start-up on
        chooseCurve(w, "G", "A*exp(-sqr(X-B)/C)+D");
        const double start[5] = {150, 30, 30, 10, 7};
        for (std::size_t i = 0; i < 5; ++i) w.parameterBoxes[i]->setValue(start[i]);
        QVERIFY(fitAndWait(w, w.Marquardt1));
        const auto views = main.findChildren<Tgraph1dform*>();
        QCOMPARE(views.size(), 1);
        QCOMPARE(views[0]->cocourbe[0]->currentText(), QStringLiteral("G"));
        QCOMPARE(views[0]->cocourbe[1]->currentText(), QStringLiteral("FitModel"));
    }

    void stackFitsWriteNoDifferenceAndRefusalsShowAnError() {
        Session s;
        s.startLikeMainWindow();
        TFittingForm w(s.context());
        w.ChoixDim[2]->setChecked(true);
        w.MyFunction->setText(
            QStringLiteral("A*(Z+1)*exp(-sqr(X-64)/10000)*exp(-sqr(Y-64)/10000)"));
        QVERIFY(fitAndWait(w, w.Marquardt1));
        QVERIFY(std::fabs(w.Abox->Value() - 1) < 1e-6);
        QVERIFY(w.EcartBox->Value() < 1e-6);
        QVERIFY(!s.wb.spectres1D.find("OutputSpectrum"));
        QVERIFY(!s.wb.spectres2D.find("OutputSpectrum"));

        w.ChoixSpectre3D->setEditText(QStringLiteral("NOPE"));
        QVERIFY(fitAndWait(w, w.BFGS1));
        QCOMPARE(s.dialogs.texts(QStringLiteral("error")),
                 QStringList{QStringLiteral("Spectrum \"NOPE\" not found in the 3D spectra")});
        QCOMPARE(w.FittingStatus->text(), QStringLiteral("Idle"));
    }
};

OMBRELUNE_UI_TEST(FittingWindowTest, "fitting_window_test");
#include "fitting_window_test.moc"
