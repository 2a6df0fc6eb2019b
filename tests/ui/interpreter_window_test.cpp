// The interpreter window on the real engine: running scripts on the timer, STOP and
// Continue, the error boxes, the command box and the list windows.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/code_editor.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/multimemo.hpp"
#include "ui/qt_text.hpp"

#include "store/data_paths.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

// An interpreter window with its three list windows, on a started workbench.
struct Bench {
    Session s;
    std::unique_ptr<Tinterpreteurform> window;
    std::unique_ptr<Tfunctionslisteform> functions;
    std::unique_ptr<Tvariableslisteform> variables;
    std::unique_ptr<Tsuiviform> watch;

    Bench() {
        s.startLikeMainWindow();
        window = std::make_unique<Tinterpreteurform>(s.context());
        const TParser& parser = s.context().interpreter().parser();
        functions = std::make_unique<Tfunctionslisteform>(parser);
        variables = std::make_unique<Tvariableslisteform>(parser, '.');
        watch = std::make_unique<Tsuiviform>(parser, '.');
        window->setListWindows(functions.get(), variables.get(), watch.get());
    }
    double variable(const char* name) { return s.context().interpreter().parser().GetVariable(name); }
    void run(const QString& script) {
        window->mem1->editor()->setPlainText(script);
        window->ScriptExecuteButton->click();
    }
    QString status() const { return window->ScriptStatus->text(); }
    bool timerOn() { return s.context().host().Timer1->isActive(); }
    void command(const QString& text) {
        window->Edit1->setText(text);
        QTest::keyClick(window->Edit1, Qt::Key_Return);
    }
};

QString cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class InterpreterWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createdIdle() {
        Bench b;
        QCOMPARE(b.window->windowTitle(), QStringLiteral("h"));
        QCOMPARE(b.status(), QStringLiteral("Paused"));
        QCOMPARE(b.s.context().host().Timer1->interval(), 50);
        QVERIFY(!b.timerOn());
        QCOMPARE(b.window->mem1->maxvalue(), 10);
        QCOMPARE(b.window->mem1->directory(), qs(b.s.wb.paths.sequences()));
        QCOMPARE(b.window->mem1->defaultext(), QStringLiteral(".seq"));
        QCOMPARE(b.variable("X"), 10.0);
        QCOMPARE(menuCaptions(b.window->findChild<QMenuBar*>()),
                 (QStringList{QStringLiteral("suivi "), QStringLiteral("variables"),
                              QStringLiteral("fonctions {fonctions mathématiques,"
                                             "fonctions du programme (off)}")}));
    }

    // A command row without its routine, in the program that offers it, is a command the
    // help index lists and no script can call.
    void everyCommandOfTheTableIsBound() {
        Bench b;
        for (const CommandEntry& entry : commandTable())
            QVERIFY2(b.s.context().interpreter().registry().isBound(entry.name),
                     std::string(entry.name).c_str());
    }

    void executeRunsAScriptThatReadsAndWritesFiles() {
        Bench b;
        const QString file = b.s.path("c.spe");
        b.run(QStringLiteral("addcomment[\"début\"];\n"
                             "SaveSpectre[1,\"%1\",\"C1H\"];\n"
                             "openspectre[1,\"%1\",\"C9\"];")
                  .arg(file));
        QCOMPARE(b.status(), QStringLiteral("Running..."));
        QVERIFY(b.timerOn());
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(b.window->windowTitle(), QStringLiteral("pas de séquence en cours"));
        QVERIFY(!b.timerOn());
        const spectre* c9 = b.s.wb.spectres1D.find("C9");
        QVERIFY(c9);
        QCOMPARE(c9->nx, 512);
        QCOMPARE(b.s.journalFileLines()[2], std::string("début"));
        QVERIFY(b.s.dialogs.shown.empty());
    }

    void labelsAndConditionsLeaveXAtFive() {
        Bench b;
        b.run(QStringLiteral("X=1;\nLB:X=X+1;\nif X<5 then goto LB;"));
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(b.variable("X"), 5.0);
    }

    void stopAndContinue() {
        Bench b;
        b.run(QStringLiteral("X=0;\nLA:X=X+1;\ngoto LA;"));
        QTRY_VERIFY(b.variable("X") >= 3);
        b.window->ScriptStopButton->click();
        const int line = b.s.context().interpreter().currentLine();
        QCOMPARE(b.status(), QStringLiteral("Paused at line %1").arg(line));
        QCOMPARE(b.window->mem1->editor()->runningLine(), line); // where Continue resumes
        QCOMPARE(b.window->windowTitle(), QStringLiteral("pas de séquence en cours"));
        QVERIFY(!b.timerOn());
        const double stoppedAt = b.variable("X");
        QTest::qWait(200);
        QCOMPARE(b.variable("X"), stoppedAt);

        b.window->ContinueButton->click();
        QVERIFY(b.timerOn());
        QCOMPARE(b.status(), QStringLiteral("Running..."));
        QCOMPARE(b.s.context().interpreter().currentLine(), line);
        QTRY_VERIFY(b.variable("X") >= stoppedAt + 2);
        b.window->ScriptStopButton->click();
    }

    void anEngineErrorHaltsOnTheLine() {
        Bench b;
        b.run(QStringLiteral("X=1;\nfoo[1];\nX=2;"));
        QTRY_COMPARE(b.s.dialogs.count("error"), 1);
        QCOMPARE(b.s.dialogs.texts("error")[0],
                 QStringLiteral("fonction non valide à la ligne 1:foo[1];"));
        QVERIFY(!b.timerOn());
        QCOMPARE(b.status(),
                 QStringLiteral("Stopped at line 1: fonction non valide à la ligne 1:foo[1];"));
        QCOMPARE(b.window->mem1->editor()->errorLine(), 1);
        QCOMPARE(b.window->mem1->editor()->textCursor().blockNumber(), 1);
        QCOMPARE(b.window->mem1->editor()->runningLine(), -1);
        QCOMPARE(b.window->windowTitle(), QStringLiteral("séq : foo[1];"));
        QCOMPARE(b.s.context().interpreter().currentLine(), 1);
        QCOMPARE(b.variable("X"), 1.0);

        b.window->ContinueButton->click(); // runs the failing line again
        QCOMPARE(b.window->mem1->editor()->errorLine(), -1);
        QTRY_COMPARE(b.s.dialogs.count("error"), 2);
        QCOMPARE(b.window->mem1->editor()->errorLine(), 1);
        QCOMPARE(b.variable("X"), 1.0);
        b.window->ScriptStopButton->click();

        // The journal names the page (its file once saved) with every failure.
        QCOMPARE(b.s.journalFileLines().back(),
                 std::string("!! page 1 : fonction non valide à la ligne 1:foo[1];"));
        b.s.dialogs.files = {b.s.path("night.seq")};
        b.window->mem1->saveAs();
        QCOMPARE(b.s.dialogs.last("save")->suffix, QStringLiteral("seq"));
        QCOMPARE(b.s.journalFileLines().back(),
                 "sauvegarde de la séquence sous " + utf8(b.s.path("night.seq")));
        b.window->ScriptExecuteButton->click();
        QTRY_COMPARE(b.s.dialogs.count("error"), 3);
        QCOMPARE(b.s.journalFileLines().back(),
                 std::string("!! night.seq : fonction non valide à la ligne 1:foo[1];"));
    }

    // The mark points at the line of the page: after the start of a selection, at the
    // "inc=" line of an included line, and on the page that ran when another is on show.
    void theErrorMarkFindsTheLineOfThePage() {
        Bench b;
        DataPaths::ensure(b.s.wb.paths.sequences());
        writeFile(b.s.wb.paths.sequences() / "part.seq", "A=1;\nB=1+;\n");
        b.run(QStringLiteral("X=1;\ninc=part;\nY=2;"));
        QTRY_COMPARE(b.s.dialogs.count("expression"), 1);
        QCOMPARE(b.status(), QStringLiteral("Stopped at line 2: ") +
                                 messageLines(b.s.dialogs.last("expression")->text)
                                     .replace(QLatin1Char('\n'), QLatin1Char(' ')));
        QCOMPARE(b.window->mem1->editor()->errorLine(), 1);

        CodeEditor* editor = b.window->mem1->editor();
        editor->setPlainText(QStringLiteral("; notes\nA=1;\nfoo[2];\nB=2;"));
        QTextCursor selection = editor->textCursor();
        selection.setPosition(8);
        selection.setPosition(editor->toPlainText().size(), QTextCursor::KeepAnchor);
        editor->setTextCursor(selection);
        b.window->ScriptExecuteSelectionButton->click();
        b.window->mem1->setActivepage(2);
        QTRY_COMPARE(b.s.dialogs.count("error"), 1);
        QCOMPARE(b.s.dialogs.texts("error")[0],
                 QStringLiteral("fonction non valide à la ligne 1:foo[2];"));
        QCOMPARE(b.window->mem1->activepage(), 1);
        QCOMPARE(editor->errorLine(), 2);
    }

    // The mark of the line running moves with the script and leaves at its end.
    void theRunningLineIsMarked() {
        Bench b;
        b.window->PaceBox->setValue(200);
        b.run(QStringLiteral("A=1;\nB=2;\nC=3;"));
        QTRY_COMPARE(b.window->mem1->editor()->runningLine(), 1);
        QCOMPARE(b.status(), QStringLiteral("Running..."));
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(b.window->mem1->editor()->runningLine(), -1);
    }

    void aPaceOfZeroRunsLinesBackToBackAndStillStops() {
        Bench b;
        QCOMPARE(b.window->PaceBox->value(), 50);
        b.window->PaceBox->setValue(0);
        QCOMPARE(b.s.context().host().Timer1->interval(), 0);
        // 1000 passes of a three-line loop: 150 s at 50 ms a line.
        b.run(QStringLiteral("N=0;\nLA:N=N+1;\nif N<1000 then goto LA;\nDONE=1;"));
        QTRY_COMPARE(b.variable("DONE"), 1.0);
        QCOMPARE(b.variable("N"), 1000.0);
        QCOMPARE(b.status(), QStringLiteral("Finished"));

        // An endless loop: STOP, queued while lines run, stops it; so does Esc.
        b.run(QStringLiteral("N=0;\nLA:N=N+1;\ngoto LA;"));
        QTimer::singleShot(50, b.window->ScriptStopButton, &QPushButton::click);
        QTRY_VERIFY(!b.s.context().interpreter().running());
        QVERIFY(b.status().startsWith(QStringLiteral("Paused at line ")));
        const double stoppedAt = b.variable("N");
        QVERIFY(stoppedAt > 0);
        QTest::qWait(50);
        QCOMPARE(b.variable("N"), stoppedAt);

        b.window->show();
        QVERIFY(QTest::qWaitForWindowActive(b.window.get()));
        b.window->mem1->editor()->setFocus();
        b.window->ContinueButton->click();
        QTimer::singleShot(50, b.window.get(),
                           [&b] { QTest::keyClick(b.window->mem1->editor(), Qt::Key_Escape); });
        QTRY_VERIFY(!b.s.context().interpreter().running());
        QVERIFY(b.variable("N") > stoppedAt);
    }

    void anExpressionErrorShowsErreurAndGoesOnAfterContinue() {
        Bench b;
        b.run(QStringLiteral("X=1+;\nY=7;"));
        QTRY_COMPARE(b.s.dialogs.count("expression"), 1);
        const ShownDialog* box = b.s.dialogs.last("expression");
        QCOMPARE(box->title, QStringLiteral("erreur"));
        QVERIFY(box->text.startsWith(QStringLiteral("Error parsing expression:\r")));
        QVERIFY(!b.timerOn());
        QCOMPARE(b.variable("X"), 0.0);
        QCOMPARE(b.s.context().interpreter().currentLine(), 1);
        QVERIFY(
            b.status().startsWith(QStringLiteral("Stopped at line 0: Error parsing expression: ")));
        QCOMPARE(b.window->mem1->editor()->errorLine(), 0);

        b.window->ContinueButton->click();
        QCOMPARE(b.status(), QStringLiteral("Running..."));
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(b.variable("Y"), 7.0);
    }

    void aFileErrorInACommandHaltsOnItsLine() {
        Bench b;
        b.run(QStringLiteral("X=1;\nSaveSpectre[1,\"%1\",\"C1H\"];\nX=2;")
                  .arg(b.s.path("missing-folder/c.spe")));
        QTRY_COMPARE(b.s.dialogs.count("error"), 1);
        QVERIFY(b.s.dialogs.texts("error")[0].contains(QStringLiteral("missing-folder")));
        QVERIFY(!b.timerOn());
        QCOMPARE(b.s.context().interpreter().currentLine(), 1);
        QTest::qWait(200);
        QCOMPARE(b.s.dialogs.count("error"), 1); // not the same failure every 50 ms
        QCOMPARE(b.variable("X"), 1.0);
    }

    void executeDuringADelayStartsTheNewScript() {
        Bench b;
        b.run(QStringLiteral("delay[0.6];\nA=1;"));
        QTimer::singleShot(150, b.window.get(), [&b] {
            b.window->mem1->editor()->setPlainText(QStringLiteral("B=2;\nC=3;"));
            b.window->ScriptExecuteButton->click();
        });
        QTRY_COMPARE(b.variable("C"), 3.0);
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QTest::qWait(800); // the delay has long ended
        QCOMPARE(b.variable("B"), 2.0);
        QCOMPARE(b.variable("A"), 0.0);
        QVERIFY(b.s.dialogs.shown.empty());
    }

    void aMissingIncludeDoesNotStart() {
        Bench b;
        b.run(QStringLiteral("inc=absent;\nX=3;"));
        QCOMPARE(b.s.dialogs.count("error"), 1);
        QVERIFY(b.s.dialogs.texts("error")[0].contains(QStringLiteral("absent.seq")));
        QVERIFY(!b.timerOn());
        QCOMPARE(b.status(), QStringLiteral("Paused"));
    }

    void executeSelectionRunsTheSelectedLines() {
        Bench b;
        b.window->mem1->editor()->setPlainText(QStringLiteral("A=1;\nB=2;\nC=3;"));
        QTextCursor cursor = b.window->mem1->editor()->textCursor();
        cursor.setPosition(5);
        cursor.setPosition(14, QTextCursor::KeepAnchor);
        b.window->mem1->editor()->setTextCursor(cursor);
        b.window->ScriptExecuteSelectionButton->click();
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(b.variable("A"), 0.0);
        QCOMPARE(b.variable("B"), 2.0);
        QCOMPARE(b.variable("C"), 3.0);
    }

    void commandBoxAppendsASemicolonAndRuns() {
        Bench b;
        b.command(QStringLiteral("A=3"));
        QCOMPARE(b.window->Edit1->text(), QStringLiteral("A=3;"));
        QCOMPARE(b.variable("A"), 3.0);
        b.command(QStringLiteral("x = 5;"));
        QCOMPARE(b.s.dialogs.texts("error"),
                 QStringList{QStringLiteral("variable non valide à la ligne 1:x = 5;")});
        QCOMPARE(b.status(), QStringLiteral("Paused")); // no script ran, none stopped

        // An error in the box halts a script that runs, and the status says so.
        b.run(QStringLiteral("N=0;\nLA:N=N+1;\ngoto LA;"));
        QTRY_VERIFY(b.variable("N") >= 2);
        b.command(QStringLiteral("Y=1+"));
        QVERIFY(!b.timerOn());
        QVERIFY(b.status().startsWith(
            QStringLiteral("Stopped at line %1: ").arg(b.s.context().interpreter().currentLine())));
        QCOMPARE(b.window->mem1->editor()->errorLine(), -1); // no line of the script failed
    }

    void functionListShowsBothTables() {
        Bench b;
        b.window->fonctionsmathmatiques1Click();
        QVERIFY(b.functions->isVisible());
        QTableWidget* grid = b.functions->StringGrid1;
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("1 param"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("2 params"));
        QCOMPARE(grid->rowCount() + 1, 101); // the header row and 100 names
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("ABS"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("ARG"));
        QCOMPARE(cell(grid, 5, 1).isEmpty(), false);
        QCOMPARE(cell(grid, 6, 1), QString());
        b.window->fonctionsmathmatiques1Click();
        QVERIFY(!b.functions->isVisible());
    }

    void variableListIsFilledWhenShown() {
        Bench b;
        b.window->variables1Click();
        QTableWidget* grid = b.variables->StringGrid1;
        QCOMPARE(grid->rowCount(), 19);
        QVERIFY(grid->findItems(QStringLiteral("X"), Qt::MatchExactly).size() == 1);
        const int xRow = grid->findItems(QStringLiteral("X"), Qt::MatchExactly)[0]->row();
        QCOMPARE(cell(grid, xRow, 1), QStringLiteral("10"));

        b.command(QStringLiteral("AA=3.5"));
        QCOMPARE(grid->rowCount(), 19); // not refreshed while shown
        b.window->variables1Click();
        b.window->variables1Click();
        QCOMPARE(grid->rowCount(), 20);
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("A"));
        QCOMPARE(cell(grid, 1, 0), QStringLiteral("AA"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("3.5"));
    }

    void watchWindowFollowsTheLines() {
        Bench b;
        b.window->suividevariable1Click();
        QVERIFY(b.watch->isVisible());
        QTableWidget* grid = b.watch->StringGrid1;
        QCOMPARE(grid->rowCount(), 10);
        grid->item(0, 0)->setText(QStringLiteral("X"));
        grid->item(1, 0)->setText(QStringLiteral("nope"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("10"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("?"));
        b.command(QStringLiteral("X=42"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("42"));
        b.run(QStringLiteral("X=0.25;\nnope=1;"));
        QTRY_COMPARE(b.status(), QStringLiteral("Finished"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("0.25"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("1"));
    }
};

OMBRELUNE_UI_TEST(InterpreterWindowTest, "interpreter_window_test");
#include "interpreter_window_test.moc"
