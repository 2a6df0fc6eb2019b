// The spectrum edit window: lists, fields, formula, saving, opening, renaming, deleting.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/data_edit_window.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "store/spectrum_files.hpp"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int k = 0; k < box->count(); ++k) out << box->itemText(k);
    return out;
}

QStringList fields(const Tdataeditform& w) {
    return {w.EditX->text(),    w.EditY->text(),   w.EdittypX->text(),
            w.EdittypY->text(), w.Editnom->text(), w.Editcom->text()};
}

void select(Tdataeditform& w, const QString& name) {
    w.ComboBox1->setCurrentIndex(w.ComboBox1->findText(name));
}

void renameTo(Tdataeditform& w, const QString& name) {
    w.Editnom->setFocus();
    w.Editnom->selectAll();
    QTest::keyClicks(w.Editnom, name);
    QTest::keyClick(w.Editnom, Qt::Key_Return);
}

} // namespace

class DataEditWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheChosenTableAndShowsFields() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        QCOMPARE(w.windowTitle(), QStringLiteral("Editions des spectres"));
        QCOMPARE(items(w.ComboBox1), (QStringList{"C1H", "C1V", "C2H", "C2V", "PH", "PV"}));
        QCOMPARE(fields(w), (QStringList{"128", "128", "single", "single", "Editnom", "Editcom"}));

        w.radio2D->click();
        QCOMPARE(items(w.ComboBox1), (QStringList{"ACDOWN", "ACUP", "PROJ"}));
        select(w, QStringLiteral("ACUP"));
        QCOMPARE(fields(w), (QStringList{"128", "128", "raw", "raw", "ACUP", "spectre upup"}));

        // Opening the list shows both tables; a curve's name shows nothing in "2D".
        w.ComboBox1->showPopup();
        w.ComboBox1->hidePopup();
        QCOMPARE(w.ComboBox1->count(), 9);
        QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("ACUP"));
        select(w, QStringLiteral("PH"));
        QCOMPARE(w.Editnom->text(), QStringLiteral("ACUP"));
    }

    void editingTheBoxesChangesTheSpectrum() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        select(w, QStringLiteral("PH"));
        w.EdittypX->selectAll();
        QTest::keyClicks(w.EdittypX, QStringLiteral("lambda"));
        w.Editcom->selectAll();
        QTest::keyClicks(w.Editcom, QStringLiteral("mon commentaire"));
        const spectre* ph = s.wb.spectres1D.find("PH");
        QCOMPARE(ph->typeX, std::string("lambda"));
        QCOMPARE(ph->comment, std::string("mon commentaire"));
    }

    void renamingFollowsTheListAndRefusesATakenName() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        select(w, QStringLiteral("PH"));
        renameTo(w, QStringLiteral("PHX"));
        QVERIFY(s.wb.spectres1D.find("PHX"));
        QVERIFY(!s.wb.spectres1D.find("PH"));
        QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("PHX"));

        renameTo(w, QStringLiteral("PHY")); // a second rename still finds it
        QVERIFY(s.wb.spectres1D.find("PHY"));

        renameTo(w, QStringLiteral("c1h"));
        QCOMPARE(s.dialogs.count("warning"), 1);
        QCOMPARE(w.Editnom->text(), QStringLiteral("PHY"));
        QCOMPARE(s.wb.spectres1D.find("C1H")->comment, std::string("curseur 1, coupe horizontale"));
        QVERIFY(s.wb.spectres1D.find("PHY"));
    }

    void formulaCreatesACurve() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        w.Edit1->setText(QStringLiteral("C=C1H*2"));
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        const spectre* c = s.wb.spectres1D.find("C");
        QVERIFY(c);
        QCOMPARE(c->nx, 512);
        QCOMPARE(c->valueAt(100), 0.00002);
        QVERIFY(items(w.ComboBox1).contains(QStringLiteral("C")));

        w.Edit1->setText(QStringLiteral("D=C1H*(2"));
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        QCOMPARE(s.dialogs.count("error"), 1);
        QCOMPARE(s.journalFileLines().back().rfind("!! Editions des spectres : ", 0), 0u);
    }

    // A formula that fails leaves the table as it was: no new spectrum, no changed one.
    void aFailedFormulaLeavesTheTableAsItWas() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        const QStringList before = items(w.ComboBox1);
        w.Edit1->setText(QStringLiteral("BAD=C1H*"));
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        QCOMPARE(s.dialogs.count("error"), 1);
        QVERIFY(!s.wb.spectres1D.find("BAD"));
        QCOMPARE(items(w.ComboBox1), before);

        const double c1h = s.wb.spectres1D.find("C1H")->valueAt(7);
        w.Edit1->setText(QStringLiteral("C1H=C1H*INTPOWER(2,1E10)"));
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        QCOMPARE(s.dialogs.count("error"), 2);
        QCOMPARE(s.wb.spectres1D.find("C1H")->valueAt(7), c1h);
    }

    void saveWritesFreshFilesInTheSpectraFolder() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        select(w, QStringLiteral("PH"));
        w.SpeedButton2->click();
        w.SpeedButton2->click();
        const auto spe = s.wb.paths.spe();
        QVERIFY(std::filesystem::exists(spe / "PH.raw"));
        QVERIFY(std::filesystem::exists(spe / "PH1.raw"));
        // Every file written is named in the journal, ".raw" ones too.
        QCOMPARE(s.journalFileLines().back(), "sauvegarde de PH sous " + (spe / "PH1.raw").string());

        w.SpeedButton3->click();
        for (const char* name : {"C1H.spe", "C1V.spe", "C2H.spe", "C2V.spe", "PH2.raw", "PV.raw"})
            QVERIFY2(std::filesystem::exists(spe / name), name);
    }

    void aSpectrumNamedToutSavesTheWholeTable() {
        Session s;
        s.startLikeMainWindow();
        s.wb.spectres1D.create("tout", 4, 1, 1);
        Tdataeditform w(s.wb, s.dialogs);
        select(w, QStringLiteral("tout"));
        w.SpeedButton2->click();
        QVERIFY(std::filesystem::exists(s.wb.paths.spe() / "C1H.spe"));
        QVERIFY(std::filesystem::exists(s.wb.paths.spe() / "tout.spe"));
    }

    void openNamesTheSpectrumAfterTheFile() {
        Session s;
        s.startLikeMainWindow();
        spectre image = *s.wb.spectres2D.find("PROJ");
        image.typeY = "raw";
        writeSpeFile(image, (s.dir / "first").string(), s.wb.journal);
        image.typeX = "qx";
        writeSpeFile(image, (s.dir / "second").string(), s.wb.journal);
        Tdataeditform w(s.wb, s.dialogs);
        s.dialogs.files = {s.path("first.raw"), s.path("second.spe")};
        w.SpeedButton4->click();
        w.SpeedButton4->click();
        QCOMPARE(s.dialogs.last("open")->text, qs(s.wb.paths.spe()));
        const spectre* first = s.wb.spectres2D.find("first");
        const spectre* second = s.wb.spectres2D.find("second");
        QVERIFY(first && second);
        QCOMPARE(second->nx, 32);
        QCOMPARE(second->valueAt(1, 2), image.valueAt(1, 2));
        QVERIFY(!s.wb.spectres1D.find("first"));
        QCOMPARE(s.journalFileLines().back(),
                 "ouverture de : " + utf8(s.path("second.spe")) + " dans : second");
    }

    void deleteRemovesTheSelectedSpectrum() {
        Session s;
        s.startLikeMainWindow();
        Tdataeditform w(s.wb, s.dialogs);
        w.radio2D->click();
        select(w, QStringLiteral("PROJ"));
        w.SpeedButton5->click(); // answered Cancel
        QCOMPARE(s.dialogs.texts("confirm"),
                 QStringList{QStringLiteral(
                     "Supprimer le spectre PROJ (1024 points) ? Il ne pourra pas être récupéré.")});
        QVERIFY(s.wb.spectres2D.find("PROJ"));
        QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("PROJ"));

        s.dialogs.confirmAction = true;
        w.SpeedButton5->click();
        QVERIFY(!s.wb.spectres2D.find("PROJ"));
        QCOMPARE(items(w.ComboBox1), (QStringList{"ACDOWN", "ACUP"}));
        QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("ACDOWN"));
    }
};

OMBRELUNE_UI_TEST(DataEditWindowTest, "data_edit_window_test");
#include "data_edit_window_test.moc"
