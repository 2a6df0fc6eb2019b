// The 2D view: a new view and its menus, cursors placed with the mouse and the keys with
// their cuts and curves, the zoom box, the logarithmic scale, and reading an image file.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/curve_chart.hpp"
#include "ui/edit_real.hpp"
#include "ui/graph2d_form.hpp"
#include "ui/image_view.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "store/spectrum_files.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

struct View {
    Session s;
    std::unique_ptr<Tgraph2DForm> view;
    View() {
        s.startLikeMainWindow();
        view = std::make_unique<Tgraph2DForm>(s.context());
        view->resize(600, 800);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    // A viewport point of a picture position at the current zoom.
    QPoint at(double x, double y) {
        const QPointF offset = view->ImgView->pictureOffset();
        const double z = view->ImgView->zoom();
        return QPoint(int(offset.x() + x * z), int(offset.y() + y * z));
    }
};

} // namespace

class Graph2DFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newViewShowsTheStartUpImage() {
        View v;
        QCOMPARE(v.view->levels().width, 128);
        QCOMPARE(v.view->palettecombo->currentText(), QStringLiteral("Rouge"));
        QCOMPARE(v.view->choixspectre->currentText(), QStringLiteral("ACUP"));
        QCOMPARE(v.view->choixspectre->toolTip(), QStringLiteral("spectre upup"));
        const QStringList file = menuCaptions(v.view->findChild<QMenu*>(QStringLiteral("Fichier")));
        QCOMPARE(file.first(), QStringLiteral("Open"));
        QVERIFY(file.contains(QStringLiteral("Save to KESTRA (off)")));
        QVERIFY(file.join(' ').contains(QStringLiteral("Sauver le bitmap (off)")));
    }

    void mouseAndKeysPlaceTheCursors() {
        View v;
        QSignalSpy changed(v.view.get(), &Tgraph2DForm::spectraChanged);
        QWidget* picture = v.view->ImgView->viewport();
        QTest::mouseClick(picture, Qt::LeftButton, {}, v.at(10.5, 3.5));
        QCOMPARE(v.view->state().pixel(0), (Pixel{10, 3}));
        QCOMPARE(v.view->Xpos1->Value(), 10.0); // the mouse lies on whole screen pixels
        QCOMPARE(v.view->XYcoupe->Series(1).size(), 128u);
        const spectre* cut = v.s.wb.spectres1D.find("C1H");
        QVERIFY(cut && cut->nx == 128);
        QCOMPARE(cut->valueAt(5), v.s.wb.spectres2D.find("ACUP")->valueAt(5, 3));
        QCOMPARE(changed.count(), 1);

        QTest::keyClick(picture, 'z');
        QCOMPARE(v.view->state().pixel(1), (Pixel{9, 2}));
        QCOMPARE(v.view->Xpos2->Value(), 9.0);
        QVERIFY(v.s.wb.spectres1D.find("PV") != nullptr); // both cursors on the image
        QCOMPARE(changed.count(), 2);
    }

    void zoomBoxAndLogScale() {
        View v;
        QLineEdit* zoom = v.view->ScaleCombo->lineEdit();
        zoom->setText(QStringLiteral("150 %"));
        QTest::keyClick(zoom, Qt::Key_Return);
        QCOMPARE(v.view->ImgView->zoom(), 1.5);
        QCOMPARE(v.view->ScaleCombo->currentText(), QStringLiteral("150%"));

        v.view->ZminBox->setValue(0);
        v.view->ZmaxBox->setValue(500);
        Q_EMIT v.view->ZminBox->editingFinished();
        v.view->ZlogCheckBox->setChecked(true);
        QCOMPARE(v.view->ZminBox->Value(), 5.0);
        QCOMPARE(v.view->state().scale, (LevelScale{5, 500, true}));
    }

    void openReadsByTheExtension() {
        View v;
        spectre image = *v.s.wb.spectres2D.find("PROJ");
        image.name = "RUN7";
        writeSpectreFile(image, fsPath(v.s.path("RUN7.2D")), v.s.wb.journal);
        writeSpectreFile(image, fsPath(v.s.path("OTHER.txt")), v.s.wb.journal);
        v.s.dialogs.files = {v.s.path("OTHER.txt"), v.s.path("RUN7.2D")};
        v.view->OpenClick();
        QVERIFY(!v.s.wb.spectres2D.find("OTHER"));
        v.view->OpenClick();
        QCOMPARE(v.view->choixspectre->currentText(), QStringLiteral("RUN7"));
        QCOMPARE(v.view->levels().width, 32);
    }
};

OMBRELUNE_UI_TEST(Graph2DFormTest, "graph2d_form_test");
#include "graph2d_form_test.moc"
