// The journal window: start-up, comments, switching files and directories, and a
// journal that cannot be written.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/journal_window.hpp"
#include "ui/qt_text.hpp"

#include "store/text_file.hpp"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

QStringList listLines(const Tboitnoir& window) {
    return window.RichEdit1->toPlainText().split(QLatin1Char('\n'));
}

QStringList fileLines(const std::filesystem::path& p) {
    QStringList out;
    for (const std::string& line : readTextLines(p)) out << qs(line);
    return out;
}

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startOpensTheStoredJournal() {
        Session s;
        const std::string manip = (s.dir / "manip").string();
        s.settings.values = {{"currentfile", "run1"}, {"RepertoireManip", manip}};
        Tboitnoir window(s.wb.journal, s.dialogs);
        const QString path = qs(std::filesystem::path(manip) / "run1.txt");
        const QStringList expected{QString::fromLatin1(fixedClock), "ouverture de " + path};
        QCOMPARE(fileLines(fsPath(path)), expected);
        QCOMPARE(listLines(window), expected);
        QCOMPARE(window.windowTitle(), path);
        QCOMPARE(window.Edit2->text(), QStringLiteral("run1"));
        QCOMPARE(window.repertoiremanip->text(), qs(manip));
        QCOMPARE(window.Edit1->toolTip(),
                 QStringLiteral("Text box to add a comment in the data file"));
    }

    void aSecondStartShowsTheEarlierLines() {
        Session s;
        s.settings.values = {{"currentfile", "run1"}, {"RepertoireManip", (s.dir / "m").string()}};
        { Tboitnoir first(s.wb.journal, s.dialogs); }
        Tboitnoir second(s.wb.journal, s.dialogs);
        const QStringList lines = listLines(second);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[2], QString::fromLatin1(fixedClock));
        QCOMPARE(fileLines(s.wb.journal.path()), lines);
    }

    void aCommentReachesTheFile() {
        Session s;
        Tboitnoir window(s.wb.journal, s.dialogs);
        window.Edit1->setText(QStringLiteral("essai é"));
        QTest::keyClick(window.Edit1, Qt::Key_Return);
        QCOMPARE(fileLines(s.wb.journal.path()).constLast(), QStringLiteral("essai é"));
        QCOMPARE(listLines(window).constLast(), QStringLiteral("essai é"));
        QVERIFY(window.Edit1->text().isEmpty());
    }

    void enterInTheNameBoxSwitchesFiles() {
        Session s;
        Tboitnoir window(s.wb.journal, s.dialogs);
        const auto first = s.wb.journal.path();
        window.Edit2->setText(QStringLiteral("run2"));
        QTest::keyClick(window.Edit2, Qt::Key_Return);
        QCOMPARE(s.wb.journal.fileName(), std::string("run2"));
        QCOMPARE(s.settings.values["currentfile"], std::string("run2"));
        QCOMPARE(fileLines(first).size(), 2); // the old file is left as it was
        QCOMPARE(listLines(window).size(), 2);
    }

    void enterInTheDirectoryBoxAsksForTheName() {
        Session s;
        Tboitnoir window(s.wb.journal, s.dialogs);
        window.Edit2->setText(QStringLiteral("kept"));
        const QString other = s.path("other");
        window.repertoiremanip->setText(other);
        QTest::keyClick(window.repertoiremanip, Qt::Key_Return); // cancelled
        QCOMPARE(s.dialogs.texts("name"), QStringList{QStringLiteral("kept")});
        QCOMPARE(s.wb.journal.path(), fsPath(other) / "kept.txt");

        s.dialogs.name = QStringLiteral("renamed");
        QTest::keyClick(window.repertoiremanip, Qt::Key_Return);
        QCOMPARE(s.wb.journal.path(), fsPath(other) / "renamed.txt");
        QCOMPARE(s.settings.values["RepertoireManip"], utf8(other));
    }

    void openButtonContinuesTheChosenFile() {
        Session s;
        std::filesystem::create_directory(s.dir / "manip");
        writeFile(s.dir / "manip" / "run3.txt", "earlier\r\n");
        Tboitnoir window(s.wb.journal, s.dialogs);
        s.dialogs.files.push_back(s.path("manip/run3.txt"));
        window.OpenFileBoiteNoire->click();
        QCOMPARE(s.dialogs.last("open")->title, QStringLiteral("Open"));
        QCOMPARE(s.settings.values["RepertoireManip"], (s.dir / "manip").string());
        QCOMPARE(s.settings.values["currentfile"], std::string("run3"));
        QCOMPARE(fileLines(s.dir / "manip" / "run3.txt").constFirst(), QStringLiteral("earlier"));
        QCOMPARE(listLines(window).size(), 3);
    }

    void anUnwritableJournalIsReportedAndTheWindowStays() {
        Session s;
        writeFile(s.dir / "blocked", "a file where the directory should be");
        s.settings.values = {{"currentfile", "run"},
                             {"RepertoireManip", (s.dir / "blocked").string()}};
        Tboitnoir window(s.wb.journal, s.dialogs);
        QCOMPARE(s.dialogs.count("error"), 1);
        QVERIFY(s.dialogs.texts("error")[0].contains(QStringLiteral("blocked")));

        window.repertoiremanip->setText(s.path("fine"));
        QTest::keyClick(window.repertoiremanip, Qt::Key_Return);
        QCOMPARE(fileLines(s.dir / "fine" / "run.txt").size(), 2);
        QCOMPARE(s.dialogs.count("error"), 1);
    }
};

OMBRELUNE_UI_TEST(JournalWindowTest, "journal_window_test");
#include "journal_window_test.moc"
