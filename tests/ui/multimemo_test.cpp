// The multi-page script editor: pages, files, find, clipboard, printing and its menu.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/code_editor.hpp"
#include "ui/find_dialog.hpp"
#include "ui/multimemo.hpp"
#include "ui/qt_text.hpp"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QTest>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

QString pageLabel(const tmultimemo& memo) {
    return memo.findChild<QLabel*>(QStringLiteral("pagelabel"))->text();
}

} // namespace

class MultimemoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageCountIsClamped_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("kept");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -4 << 1;
        QTest::newRow("ten") << 10 << 10;
        QTest::newRow("too many") << 25 << 19;
    }
    void pageCountIsClamped() {
        QFETCH(int, asked);
        QFETCH(int, kept);
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(asked);
        QCOMPARE(memo.maxvalue(), kept);
    }

    void pagesKeepTheirText() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(10);
        QTest::keyClicks(memo.editor(), QStringLiteral("X=1;"));
        memo.setActivepage(2);
        QVERIFY(memo.editor()->toPlainText().isEmpty());
        memo.editor()->setPlainText(QStringLiteral("Y=2;"));
        memo.setActivepage(1);
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("X=1;"));
        QCOMPARE(memo.pageStore(2), QStringLiteral("Y=2;"));
        memo.setActivepage(11); // beyond the pages in use: ignored
        QCOMPARE(memo.activepage(), 1);
    }

    void newPageAddsOneUpToNineteen() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(10);
        memo.editor()->setPlainText(QStringLiteral("kept"));
        memo.newPage();
        QCOMPARE(memo.maxvalue(), 11);
        QCOMPARE(memo.activepage(), 11);
        QVERIFY(memo.editor()->toPlainText().isEmpty());
        memo.setMaxvalue(19);
        memo.newPage();
        QCOMPARE(memo.maxvalue(), 19);
        QCOMPARE(memo.activepage(), 19);
        QCOMPARE(memo.pageStore(1), QStringLiteral("kept"));
    }

    void openNamesThePageAfterTheFile() {
        Session s;
        writeFile(s.dir / "run.old.seq", "X=1;\r\nY=2;\r\n");
        tmultimemo memo(s.dialogs);
        memo.setDirectory(s.path("sequences"));
        s.dialogs.files.push_back(s.path("run.old.seq"));
        memo.openFile();
        QCOMPARE(s.dialogs.last("open")->text, s.path("sequences"));
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("X=1;\nY=2;"));
        QCOMPARE(memo.pageName(1), QStringLiteral("run"));
        QCOMPARE(pageLabel(memo), QStringLiteral("run"));
        QCOMPARE(memo.pagePath(1), s.path("run.old.seq"));
    }

    void aMissingFileLeavesThePageAndSaysSo() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.editor()->insertPlainText(QStringLiteral("mine"));
        s.dialogs.saveChoices = {SaveChoice::discard};
        s.dialogs.files.push_back(s.path("absent.seq"));
        memo.openFile();
        QCOMPARE(s.dialogs.count("error"), 1);
        QVERIFY(s.dialogs.texts("error")[0].contains(QStringLiteral("absent.seq")));
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("mine"));
        QCOMPARE(memo.pageName(1), tmultimemo::unknownName);
    }

    void saveAsksForANameOnlyTheFirstTime() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setDefaultext(QStringLiteral(".seq"));
        memo.editor()->setPlainText(QStringLiteral("A=1;\nB=2;"));
        s.dialogs.files.push_back(s.path("first"));
        memo.save();
        QCOMPARE(s.dialogs.count("save"), 1);
        QCOMPARE(readFile(s.dir / "first.seq"), std::string("A=1;\r\nB=2;\r\n"));
        QCOMPARE(memo.pageName(1), QStringLiteral("first"));

        memo.editor()->setPlainText(QStringLiteral("C=3;"));
        memo.save();
        QCOMPARE(s.dialogs.count("save"), 1); // overwritten silently
        QCOMPARE(readFile(s.dir / "first.seq"), std::string("C=3;\r\n"));
    }

    void insertPutsTheFileAtTheCaret() {
        Session s;
        writeFile(s.dir / "part.seq", "B=2;\n");
        tmultimemo memo(s.dialogs);
        memo.editor()->setPlainText(QStringLiteral("A=1;\nC=3;"));
        QTextCursor cursor = memo.editor()->textCursor();
        cursor.setPosition(5);
        memo.editor()->setTextCursor(cursor);
        s.dialogs.files.push_back(s.path("part.seq"));
        memo.insertFile();
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("A=1;\nB=2;\nC=3;"));
        QCOMPARE(memo.pageName(1), tmultimemo::unknownName);
    }

    void findWrapsAndReportsAMissingText() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.editor()->setPlainText(QStringLiteral("X=1;\ndelay[2];\nY=2;"));
        memo.findNext(QStringLiteral("DELAY"));
        QCOMPARE(memo.editor()->textCursor().selectionStart(), 5);
        QCOMPARE(memo.editor()->textCursor().selectedText(), QStringLiteral("delay"));
        memo.findNext(QStringLiteral("delay"));
        QCOMPARE(memo.editor()->textCursor().selectionStart(), 5);
        QCOMPARE(s.dialogs.count("warning"), 0);

        memo.showFind();
        memo.findNext(QStringLiteral("goto"));
        QCOMPARE(s.dialogs.texts("warning"), QStringList{QStringLiteral("Chaîne non trouvée")});
        QVERIFY(!memo.findDialog()->isVisible());
    }

    void clearAllAndAllPagesToTheClipboard() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(2);
        memo.editor()->insertPlainText(QStringLiteral("one\ntwo"));
        memo.setActivepage(2);
        memo.editor()->insertPlainText(QStringLiteral("three"));
        memo.setActivepage(1);
        memo.allPagesToClipboard();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral(" \nFichier 1 : \n \none\ntwo\n \nFichier 1 : \n \nthree\n"));

        memo.clearAll(); // both pages have unsaved text: cancelled at the first question
        QCOMPARE(s.dialogs.count("unsaved"), 1);
        QCOMPARE(memo.pageStore(2), QStringLiteral("three"));
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("one\ntwo"));

        s.dialogs.saveChoices = {SaveChoice::discard, SaveChoice::discard};
        memo.clearAll();
        QCOMPARE(s.dialogs.count("unsaved"), 3);
        QVERIFY(memo.editor()->toPlainText().isEmpty());
        QVERIFY(memo.pageStore(2).isEmpty());
        QVERIFY(!memo.needsSaving(1) && !memo.needsSaving(2));
    }

    void aPageShowsWhetherItHasUnsavedChanges() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(3);
        QCOMPARE(pageLabel(memo), QStringLiteral("inconnu"));
        QTest::keyClicks(memo.editor(), QStringLiteral("X=1;"));
        QCOMPARE(pageLabel(memo), QStringLiteral("inconnu *"));
        memo.setActivepage(2);
        QCOMPARE(pageLabel(memo), QStringLiteral("inconnu"));
        QVERIFY(memo.pageModified(1) && !memo.pageModified(2));
        memo.setActivepage(1);
        QCOMPARE(pageLabel(memo), QStringLiteral("inconnu *"));

        s.dialogs.files.push_back(s.path("marked.seq"));
        QVERIFY(memo.save());
        QCOMPARE(pageLabel(memo), QStringLiteral("marked"));
        QTest::keyClicks(memo.editor(), QStringLiteral("Y"));
        QCOMPARE(pageLabel(memo), QStringLiteral("marked *"));
        memo.editor()->undo();
        QCOMPARE(pageLabel(memo), QStringLiteral("marked"));

        // A page typed in and emptied again, never named, has nothing to lose.
        memo.setActivepage(3);
        QTest::keyClicks(memo.editor(), QStringLiteral("Z"));
        QTest::keyClick(memo.editor(), Qt::Key_Backspace);
        QVERIFY(!memo.needsSaving(3));
    }

    void openingOverAModifiedPageAsksFirst() {
        Session s;
        writeFile(s.dir / "other.seq", "B=2;\n");
        tmultimemo memo(s.dialogs);
        memo.editor()->insertPlainText(QStringLiteral("A=1;"));
        memo.openFile(); // Cancel
        QCOMPARE(
            s.dialogs.texts("unsaved"),
            QStringList{QStringLiteral(
                "La page 1 (inconnu) a des modifications non enregistrées. Les enregistrer ?")});
        QCOMPARE(s.dialogs.count("open"), 0);
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("A=1;"));

        // Save asks a name for the page, writes it, then the file is opened over it.
        s.dialogs.saveChoices = {SaveChoice::save};
        s.dialogs.files = {s.path("kept.seq"), s.path("other.seq")};
        memo.openFile();
        QCOMPARE(readFile(s.dir / "kept.seq"), std::string("A=1;\r\n"));
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("B=2;"));
        QCOMPARE(pageLabel(memo), QStringLiteral("other"));
    }

    void closingAPageForgetsItsFileOnceSettled() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.editor()->insertPlainText(QStringLiteral("A=1;"));
        s.dialogs.files.push_back(s.path("page.seq"));
        memo.save();
        memo.closePage(); // saved: nothing to ask
        QCOMPARE(s.dialogs.count("unsaved"), 0);
        QVERIFY(memo.editor()->toPlainText().isEmpty());
        QCOMPARE(memo.pageName(1), tmultimemo::unknownName);
        QVERIFY(memo.pagePath(1).isEmpty());

        memo.editor()->insertPlainText(QStringLiteral("B=2;"));
        memo.closePage(); // Cancel
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("B=2;"));
    }

    // Quitting settles the pages in order, showing each; Cancel stops at the page asked.
    void settlingEveryPageAsksForEachUnsavedOne() {
        Session s;
        writeFile(s.dir / "one.seq", "A=1;\n");
        tmultimemo memo(s.dialogs);
        memo.setMaxvalue(4);
        s.dialogs.files.push_back(s.path("one.seq"));
        memo.openFile();
        QTest::keyClicks(memo.editor(), QStringLiteral("X"));
        memo.setActivepage(3);
        memo.editor()->insertPlainText(QStringLiteral("draft"));
        memo.setActivepage(4);

        s.dialogs.saveChoices = {SaveChoice::save, SaveChoice::cancel};
        QVERIFY(!memo.settleUnsavedPages());
        QCOMPARE(s.dialogs.count("unsaved"), 2);
        QCOMPARE(readFile(s.dir / "one.seq"), std::string("XA=1;\r\n"));
        QCOMPARE(memo.activepage(), 3);
        QCOMPARE(memo.editor()->toPlainText(), QStringLiteral("draft"));

        s.dialogs.saveChoices = {SaveChoice::discard};
        QVERIFY(memo.settleUnsavedPages());
        QCOMPARE(s.dialogs.count("unsaved"), 3);
        QCOMPARE(memo.activepage(), 3);
    }

    void printGoesToTheChosenPrinter() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.editor()->setPlainText(QStringLiteral("X=1;"));
        memo.print(); // cancelled
        const QString pdf = s.path("page.pdf");
        s.dialogs.onPrint = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        memo.print();
        QCOMPARE(s.dialogs.count("print"), 2);
        QVERIFY(readFile(fsPath(pdf)).starts_with("%PDF"));
    }

    void shortcutsReachTheCommands() {
        Session s;
        tmultimemo memo(s.dialogs);
        memo.show();
        QVERIFY(QTest::qWaitForWindowActive(&memo));
        memo.editor()->setFocus();
        QTest::keyClick(memo.editor(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(memo.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.dialogs.count("open"), 1);
        QCOMPARE(s.dialogs.count("save"), 1); // a page never saved asks for a name
        QTest::keyClick(memo.editor(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(memo.findDialog()->isVisible());
    }

    void popupMenuHasEveryEntry() {
        Session s;
        tmultimemo memo(s.dialogs);
        QCOMPARE(menuCaptions(memo.popupMenu()),
                 (QStringList{
                     QStringLiteral("&Fichier {&Nouveau,&ouvrir...,&Insérer...,&Enregistrer,"
                                    "&Enregistrer sous...,&Fermer la page,-,&Imprimer,"
                                    "&Configuration de l'impression...}"),
                     QStringLiteral("&Edition {&Défaire,-,Co&pier,C&oller,&Couper,-,"
                                    "C&hercher...,Re&mplacer... (off)}"),
                     QStringLiteral("&Global {&Effacer tout,&Chercher.. (off),&Sauver tout}")}));
    }
};

OMBRELUNE_UI_TEST(MultimemoTest, "multimemo_test");
#include "multimemo_test.moc"
