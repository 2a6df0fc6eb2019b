// The main window: start-up, menus, the view slots, the help index and quitting.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/about_box.hpp"
#include "ui/child_windows.hpp"
#include "ui/code_editor.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/graph1d_form.hpp"
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

        QVERIFY(frameOf(w.journalWindow())->isMinimized());
        frameOf(w.journalWindow())->showNormal();
        QCOMPARE(frameOf(w.journalWindow())->geometry(), QRect(0, 0, 468, 387));
        QCOMPARE(frameOf(w.editWindow())->geometry(), QRect(0, 0, 520, 270));
        QCOMPARE(frameOf(w.interpreterWindow())->geometry(), QRect(0, 401, 520, 270));
        QCOMPARE(w.interpreterWindow()->windowTitle(), QStringLiteral("h"));
        QCOMPARE(w.interpreterWindow()->ScriptStatus->text(), QStringLiteral("Paused"));
        QCOMPARE(frameOf(w.functionList())->size(), QSize(270, 480));
        for (QWidget* hidden :
             std::initializer_list<QWidget*>{w.functionList(), w.variableList(), w.watchWindow()})
            QVERIFY(!frameOf(hidden)->isVisible());
        QVERIFY(!w.operationDialog()->isVisible());
        QVERIFY(!w.aboutBox()->isVisible());
        const auto views = w.findChildren<Tgraph1dform*>();
        QCOMPARE(views.size(), 1);
        QCOMPARE(frameOf(views.constFirst())->geometry(), QRect(0, 0, 520, 400));
    }

    void menusHaveTheirCaptions() {
        Session s;
        Tprincipalform w(s.context());
        QCOMPARE(menuCaptions(w.menuBar()),
                 (QStringList{
                     QStringLiteral("fenêtres {nouvelle {1D,2D},supprimer,organiser (off),"
                                    "sauvegarder config (off)}"),
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
        QCOMPARE(index->topLevelItem(3)->child(0)->text(0), QStringLiteral("INPUT$"));

        // The filter looks at names and meanings.
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
        QCOMPARE(interpreter->ScriptStatus->text(), QStringLiteral("Paused"));
    }
};

OMBRELUNE_UI_TEST(MainWindowTest, "main_window_test");
#include "main_window_test.moc"
