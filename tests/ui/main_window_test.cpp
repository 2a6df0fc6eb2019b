// The main window: start-up, menus, the view slots, the help index and quitting.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/about_box.hpp"
#include "ui/child_windows.hpp"
#include "ui/code_editor.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/graph2d_form.hpp"
#include "ui/help_window.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/journal_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/main_window.hpp"
#include "ui/multimemo.hpp"
#include "ui/operation_dialog.hpp"
#include "ui/qt_text.hpp"

#include "script/command_registry.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

QMdiSubWindow* frameOf(QWidget* child) {
    return qobject_cast<QMdiSubWindow*>(child->parentWidget());
}

// The captions of the children that are open (shown, minimised or not).
QStringList openTitles(const Tprincipalform& w) {
    QStringList out;
    for (QMdiSubWindow* frame : w.mdiArea()->subWindowList())
        if (!frame->isHidden()) out << frame->widget()->windowTitle();
    return out;
}

void showAndWait(Tprincipalform& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// A view that counts its refreshes, for the order in which the main window asks them.
class RecordingView : public QWidget, public ChildView {
    Q_OBJECT
public:
    explicit RecordingView(QStringList& log) : log_(log) {}
    void refreshView() override { log_ << windowTitle(); }
    void closeRequest() override { windowFrame(this)->close(); }

private:
    QStringList& log_;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpMakesTheTablesAndWindows() {
        Session s;
        Tprincipalform w(s.context());
        const spectlist& images = s.wb.spectres2D;
        QCOMPARE(images.at(1)->name, std::string("ACUP"));
        QCOMPARE(images.at(2)->name, std::string("ACDOWN"));
        QCOMPARE(images.at(3)->name, std::string("PROJ"));
        QCOMPARE(images.at(1)->valueAt(64, 64), 100.0);
        QVERIFY(std::fabs(images.at(1)->valueAt(0, 0) - 100 * std::exp(-0.8192)) < 1e-12);
        QCOMPARE(s.wb.spectres1D.at(6)->name, std::string("PV"));
        QCOMPARE(s.wb.spectres3D.at(1)->name, std::string("data3D"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);

        const std::vector<std::string> journal = s.journalFileLines();
        QCOMPARE(journal.size(), 2u);
        QCOMPARE(journal[0], std::string(fixedClock));
        QCOMPARE(journal[1], "ouverture de " + s.wb.journal.path().string());

        QCOMPARE(w.interpreterWindow()->windowTitle(), QStringLiteral("h"));
        QCOMPARE(w.interpreterWindow()->ScriptStatus->text(), QStringLiteral("Paused"));
        for (QWidget* hidden :
             std::initializer_list<QWidget*>{w.functionList(), w.variableList(), w.watchWindow()})
            QVERIFY(frameOf(hidden)->isHidden());
        for (QWidget* shown : std::initializer_list<QWidget*>{
                 w.journalWindow(), w.editWindow(), w.interpreterWindow(), w.fittingWindow()})
            QVERIFY(!frameOf(shown)->isHidden() && !frameOf(shown)->isMinimized());
        QVERIFY(!w.operationDialog()->isVisible());
        QVERIFY(!w.aboutBox()->isVisible());
        QCOMPARE(w.findChildren<Tgraph1dform*>().size(), 1);
    }

    // At any size from 1280 x 800 up the windows of the start tile the area: the journal
    // on the left, the edit window above the interpreter beside it, the 1D and 2D views
    // and the fitting window on the right; none overlaps another or leaves the area, and the list
    // windows, once shown, do not cover one another.
    void theStartTilesTheArea_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1280 x 800") << QSize(1280, 800);
        QTest::newRow("1600 x 1000") << QSize(1600, 1000);
        QTest::newRow("1920 x 1200") << QSize(1920, 1200);
    }
    void theStartTilesTheArea() {
        QFETCH(QSize, size);
        Session s;
        Tprincipalform w(s.context());
        w.setWindowState(Qt::WindowNoState);
        w.resize(size);
        showAndWait(w);
        const QRect area = w.mdiArea()->viewport()->rect();
        QMdiSubWindow* journal = frameOf(w.journalWindow());
        QMdiSubWindow* edit = frameOf(w.editWindow());
        QMdiSubWindow* interpreter = frameOf(w.interpreterWindow());
        QMdiSubWindow* view = frameOf(w.findChildren<Tgraph1dform*>().constFirst());
        QMdiSubWindow* image = frameOf(w.findChildren<Tgraph2DForm*>().constFirst());
        QMdiSubWindow* fitting = frameOf(w.fittingWindow());
        QTRY_COMPARE(journal->geometry(), QRect(0, 0, journal->width(), area.height()));

        const QList<QMdiSubWindow*> tiles{journal, edit, interpreter, view, image, fitting};
        for (QMdiSubWindow* a : tiles) {
            QVERIFY2(area.contains(a->geometry()), qPrintable(a->widget()->objectName()));
            for (QMdiSubWindow* b : tiles)
                QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
        }
        QCOMPARE(edit->x(), journal->geometry().right() + 1);
        QCOMPARE(interpreter->x(), edit->x());
        QCOMPARE(interpreter->y(), edit->geometry().bottom() + 1);
        QCOMPARE(view->x(), edit->geometry().right() + 1);
        QCOMPARE(image->y(), view->geometry().bottom() + 1);
        QCOMPARE(fitting->y(), image->geometry().bottom() + 1);
        QCOMPARE(view->geometry().right(), area.right());

        Tinterpreteurform* i = w.interpreterWindow();
        for (const auto& show :
             {&Tinterpreteurform::fonctionsmathmatiques1Click, &Tinterpreteurform::variables1Click,
              &Tinterpreteurform::suividevariable1Click})
            (i->*show)();
        const QList<QMdiSubWindow*> lists{frameOf(w.functionList()), frameOf(w.variableList()),
                                          frameOf(w.watchWindow())};
        for (QMdiSubWindow* a : lists) {
            QVERIFY(a->isVisible());
            QVERIFY(area.contains(a->geometry()));
            for (QMdiSubWindow* b : lists)
                QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
        }
    }

    // "organiser" tiles again what the user moved, or cascades; "disposition par défaut"
    // brings back the layout of the start.
    void organiserTilesAndCascades() {
        Session s;
        Tprincipalform w(s.context());
        w.setWindowState(Qt::WindowNoState);
        w.resize(1280, 800);
        showAndWait(w);
        QMdiSubWindow* edit = frameOf(w.editWindow());
        QTRY_VERIFY(edit->x() > 0);
        const QRect tiled = edit->geometry();
        edit->setGeometry(400, 300, 300, 250);
        w.findChild<QAction*>(QStringLiteral("mosaque1"))->trigger();
        QCOMPARE(edit->geometry(), tiled);

        w.findChild<QAction*>(QStringLiteral("cascade1"))->trigger();
        QVERIFY(edit->geometry() != tiled);
        frameOf(w.journalWindow())->showMinimized();
        w.interpreterWindow()->suividevariable1Click();
        w.findChild<QAction*>(QStringLiteral("dispositionpardefaut1"))->trigger();
        QCOMPARE(edit->geometry(), tiled);
        QVERIFY(!frameOf(w.journalWindow())->isMinimized());
        QVERIFY(frameOf(w.watchWindow())->isHidden());
    }

    // The layout and the pace are saved on quitting and come back at the next start,
    // scaled to the size of the area.
    void theLayoutComesBackAtTheNextStart() {
        MemorySettingsStore layout;
        QRect movedTo;
        QSize firstArea;
        {
            Session s;
            Tprincipalform w(s.context());
            w.setLayoutSettings(&layout);
            w.setWindowState(Qt::WindowNoState);
            w.resize(1280, 800);
            showAndWait(w);
            QTRY_VERIFY(frameOf(w.editWindow())->x() > 0);
            firstArea = w.mdiArea()->viewport()->size();
            movedTo = QRect(200, 100, 600, 500);
            frameOf(w.interpreterWindow())->setGeometry(movedTo);
            frameOf(w.journalWindow())->showMinimized();
            w.interpreterWindow()->PaceBox->setValue(0);
            s.dialogs.answerYes = true;
            QVERIFY(w.close());
        }
        Session s;
        Tprincipalform w(s.context());
        w.setLayoutSettings(&layout);
        w.setWindowState(Qt::WindowNoState);
        w.resize(1600, 1000);
        showAndWait(w);
        QTRY_COMPARE(w.interpreterWindow()->PaceBox->value(), 0);
        QCOMPARE(s.context().host().Timer1->interval(), 0);
        const QSize area = w.mdiArea()->viewport()->size();
        const QRect back = frameOf(w.interpreterWindow())->geometry();
        const double sx = double(area.width()) / firstArea.width();
        const double sy = double(area.height()) / firstArea.height();
        QVERIFY(std::abs(back.x() - movedTo.x() * sx) <= 1);
        QVERIFY(std::abs(back.y() - movedTo.y() * sy) <= 1);
        QVERIFY(std::abs(back.width() - movedTo.width() * sx) <= 1);
        QVERIFY(frameOf(w.journalWindow())->isMinimized());
        QVERIFY(frameOf(w.functionList())->isHidden());
    }

    void menusHaveTheirCaptions() {
        Session s;
        Tprincipalform w(s.context());
        QCOMPARE(menuCaptions(w.menuBar()),
                 (QStringList{
                     QStringLiteral("fenêtres {nouvelle {1D,2D},supprimer,"
                                    "organiser {mosaïque,cascade},disposition par défaut,"
                                    "sauvegarder config}"),
                     QStringLiteral("modules {Configuration fenêtres (off),&Opération {Addition,"
                                    "Soustraction,Multiplication,Division}}"),
                     QStringLiteral("&Aide {&Index,&Rechercher... (off),&Utiliser l'aide (off),"
                                    "&A propos...}"),
                     QStringLiteral("Bug Report (off)")}));
    }

    void quittingAsksFirst() {
        Session s;
        Tprincipalform w(s.context());
        w.show();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(s.dialogs.texts("yesno"),
                 QStringList{QStringLiteral("DO YOU WANT TO QUIT THE PROGRAM ?")});
        QCOMPARE(s.journalFileLines().size(), 2u);
        s.dialogs.answerYes = true;
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(s.journalFileLines().size(), 2u); // nothing written on the way out
    }

    // After the quit question, what would be lost: each unsaved page (Save / Discard /
    // Cancel), then the spectra changed since they were last saved (Quit / Cancel).
    void quittingSettlesUnsavedWorkFirst() {
        Session s;
        Tprincipalform w(s.context());
        w.show();
        s.dialogs.answerYes = true;
        tmultimemo* memo = w.interpreterWindow()->mem1;
        memo->editor()->insertPlainText(QStringLiteral("X=1;"));
        s.wb.spectres1D.find("PH")->setValueAt(0, 0, 0, 5);
        s.wb.spectres2D.create("Q", 4, 4, 1);

        QVERIFY(!w.close()); // Cancel on the page
        QCOMPARE(s.dialogs.count("yesno"), 1);
        QCOMPARE(s.dialogs.count("unsaved"), 1);
        QCOMPARE(s.dialogs.count("confirm"), 0);
        QCOMPARE(memo->editor()->toPlainText(), QStringLiteral("X=1;"));

        s.dialogs.saveChoices = {SaveChoice::discard};
        QVERIFY(!w.close()); // Cancel on the spectra
        QCOMPARE(s.dialogs.texts("confirm"),
                 QStringList{QStringLiteral("2 spectres ont changé depuis leur dernière "
                                            "sauvegarde et seront perdus :\nQ, PH")});
        QCOMPARE(s.dialogs.last("confirm")->title, QStringLiteral("Quitter"));
        QVERIFY(w.isVisible());
        QVERIFY(s.wb.spectres2D.find("Q"));

        s.dialogs.saveChoices = {SaveChoice::discard};
        s.dialogs.confirmAction = true;
        QVERIFY(w.close());
        QCOMPARE(s.dialogs.texts("yesno").constLast(),
                 QStringLiteral("DO YOU WANT TO QUIT THE PROGRAM ?"));
    }

    // A start and a quit with nothing done asks only the program's question: showing the
    // windows (the 2D view's cursors and cuts among them) loses nothing.
    void aQuitWithNothingDoneAsksOnlyTheQuestion() {
        Session s;
        Tprincipalform w(s.context());
        showAndWait(w);
        QTest::qWait(200);
        s.dialogs.answerYes = true;
        QVERIFY(w.close());
        QCOMPARE(s.dialogs.shown.size(), 1u);
    }

    void ctrlSOnAnUnnamedPageAsksForAName() {
        Session s;
        Tprincipalform w(s.context());
        showAndWait(w);
        Tinterpreteurform* interpreter = w.interpreterWindow();
        w.mdiArea()->setActiveSubWindow(frameOf(interpreter));
        interpreter->mem1->editor()->setPlainText(QStringLiteral("X=1;"));
        interpreter->mem1->editor()->setFocus();
        s.dialogs.files.push_back(s.path("named.seq"));
        QTest::keyClick(interpreter->mem1->editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.dialogs.count("save"), 1);
        QCOMPARE(readFile(s.dir / "named.seq"), std::string("X=1;\r\n"));
        QCOMPARE(interpreter->mem1->pageName(1), QStringLiteral("named"));
    }

    void atMostFourViewsOfAKindPerRun() {
        Session s;
        Tprincipalform w(s.context());
        showAndWait(w);
        const auto open1D = [&] { w.findChild<QAction*>(QStringLiteral("N1D1"))->trigger(); };
        // The view made at start-up is not one of the four.
        QCOMPARE(openTitles(w).count(QStringLiteral("graphique 1d")), 1);
        for (int k = 0; k < 4; ++k) {
            open1D();
            QCOMPARE(openTitles(w).count(QStringLiteral("graphique 1d")), 2);
            QVERIFY(w.mdiArea()->activeSubWindow()->widget()->inherits("ombrelune::Tgraph1dform"));
            w.findChild<QAction*>(QStringLiteral("supprimer2"))->trigger();
        }
        QCOMPARE(openTitles(w).count(QStringLiteral("graphique 1d")), 1);
        open1D();
        QCOMPARE(openTitles(w).count(QStringLiteral("graphique 1d")), 1);

        QCOMPARE(openTitles(w).count(QStringLiteral("Spectre2D")), 1); // made at start-up
        w.N1D2Click();
        QCOMPARE(openTitles(w).count(QStringLiteral("Spectre2D")), 2);
        QVERIFY(w.mdiArea()->activeSubWindow()->widget()->inherits("ombrelune::Tgraph2DForm"));
    }

    void supprimerLeavesStartUpWindowsAlone() {
        Session s;
        Tprincipalform w(s.context());
        w.mdiArea()->setActiveSubWindow(frameOf(w.journalWindow()));
        const int before = static_cast<int>(w.mdiArea()->subWindowList().size());
        w.supprimer2Click();
        QCOMPARE(static_cast<int>(w.mdiArea()->subWindowList().size()), before);
    }

    void refreshReachesViewsFromTheRearmost() {
        Session s;
        QStringList log;
        int made = 0;
        Tprincipalform::ChildMakers makers;
        makers.view1D = [&](Tprincipalform&) {
            auto* view = new RecordingView(log);
            view->setWindowTitle(QStringLiteral("view%1").arg(++made));
            view->setGeometry(600, 0, 300, 200);
            return view;
        };
        Tprincipalform w(s.context(), makers);
        showAndWait(w);
        w.N1D1Click();
        w.N1D1Click();
        w.mdiArea()->setActiveSubWindow(frameOf(w.findChildren<RecordingView*>().constFirst()));
        log.clear();
        w.refreshViews();
        QCOMPARE(log.size(), 3); // the one made at start-up and the two from the menu
        QCOMPARE(log.constLast(), QStringLiteral("view1"));
    }

    void closingAStartUpWindowMinimisesIt() {
        Session s;
        Tprincipalform w(s.context());
        QMdiSubWindow* frame = frameOf(w.interpreterWindow());
        QVERIFY(!frame->close());
        QVERIFY(frame->isMinimized());
        QVERIFY(w.mdiArea()->subWindowList().contains(frame));
    }

    void operationDialogFromTheModulesMenu() {
        Session s;
        Tprincipalform w(s.context());
        w.findChild<QAction*>(QStringLiteral("Division1"))->trigger();
        QVERIFY(w.operationDialog()->isVisible());
        QCOMPARE(w.operationDialog()->operation->currentText(), QStringLiteral("/"));
    }

    void helpIndexListsEveryCommandAndFunction() {
        Session s;
        Tprincipalform w(s.context());
        w.findChild<QAction*>(QStringLiteral("Index1"))->trigger();
        HelpWindow* help = w.helpWindow();
        QVERIFY(help && help->isVisible());
        QTreeWidget* index = help->index;
        QCOMPARE(index->topLevelItemCount(), 4);
        QCOMPARE(index->topLevelItem(0)->childCount(), static_cast<int>(commandTable().size()));
        const QTreeWidgetItem* sommeDNPA = index->topLevelItem(0)->child(
            static_cast<int>(findCommandEntry("SommeDNPA") - commandTable().data()));
        QCOMPARE(sommeDNPA->text(0), QStringLiteral("SommeDNPA"));
        QVERIFY(sommeDNPA->text(1).contains(QStringLiteral("mask (text), X0 (number, pixel)")));
        QVERIFY(sommeDNPA->text(1).endsWith(QStringLiteral("distance (number, mm)")));
        QVERIFY(sommeDNPA->text(2).startsWith(QStringLiteral("Small-angle average")));
        QCOMPARE(index->topLevelItem(1)->childCount(), 100);
        QCOMPARE(index->topLevelItem(2)->childCount(), 6);
        // Every function says what it does; the angles' unit is named.
        QStringList meanings;
        for (int group : {1, 2})
            for (int k = 0; k < index->topLevelItem(group)->childCount(); ++k) {
                const QTreeWidgetItem* f = index->topLevelItem(group)->child(k);
                QVERIFY2(!f->text(2).isEmpty(), qPrintable(f->text(0)));
                meanings << f->text(0) + ": " + f->text(2);
            }
        for (const char* expected :
             {"SIN: sine of x, x in radians", "SINRAD: sine of x, x in degrees",
              "COSECSQRAD: square of the cosecant (1/sin) of x, x in degrees",
              "COT: cotangent (1/tan) of x, x in radians, 100000 when |x| <= 1E-9",
              "TANHCUBE: cube of the hyperbolic tangent of x",
              "DEGATAN: arctangent of x, in degrees", "MAX: the larger of x and y"})
            QVERIFY2(meanings.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(index->topLevelItem(3)->child(0)->text(0), QStringLiteral("INPUT$"));

        // The filter looks at names and meanings.
        help->search->setText(QStringLiteral("degrees"));
        QCOMPARE(index->topLevelItem(1)->child(0)->isHidden(), true); // ABS
        for (const auto& [text, count] : {std::pair{"smooth", 2}, std::pair{"sector", 1}}) {
            help->search->setText(QString::fromUtf8(text));
            int shown = 0;
            for (int k = 0; k < index->topLevelItem(0)->childCount(); ++k)
                shown += index->topLevelItem(0)->child(k)->isHidden() ? 0 : 1;
            QCOMPARE(shown, count);
        }
    }

    void aboutBoxShowsAndHides() {
        Session s;
        Tprincipalform w(s.context());
        w.findChild<QAction*>(QStringLiteral("Apropos1"))->trigger();
        QVERIFY(w.aboutBox()->isVisible());
        QVERIFY(w.aboutBox()->findChild<QLabel*>()->text().contains(QStringLiteral("Ombrelune")));
        QTest::keyClick(w.aboutBox(), Qt::Key_Return);
        QVERIFY(!w.aboutBox()->isVisible());
    }

    void keyboardRunsAndStopsScripts() {
        Session s;
        Tprincipalform w(s.context());
        showAndWait(w);
        Tinterpreteurform* interpreter = w.interpreterWindow();
        w.mdiArea()->setActiveSubWindow(frameOf(interpreter));
        interpreter->mem1->editor()->setPlainText(QStringLiteral("X=0;\nLA:X=X+1;\ngoto LA;"));
        interpreter->mem1->editor()->setFocus();
        QTest::keyClick(interpreter->mem1->editor(), Qt::Key_F5);
        QVERIFY(s.context().host().Timer1->isActive());
        QTest::keyClick(interpreter->mem1->editor(), Qt::Key_Escape);
        QVERIFY(!s.context().host().Timer1->isActive());
        QVERIFY(interpreter->ScriptStatus->text().startsWith(QStringLiteral("Paused at line ")));
    }
};

OMBRELUNE_UI_TEST(MainWindowTest, "main_window_test");
#include "main_window_test.moc"
