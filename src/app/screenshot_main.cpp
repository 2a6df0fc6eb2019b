// ombrelune-screenshot: starts the workbench on a throw-away data root, arranges its
// windows as a user would after running the demo script, and saves a picture of the main
// window. docs/screenshot.sh runs it under Xvfb for the README.

#include "screenshot_support.hpp"

#include "store/workbench.hpp"
#include "ui/code_editor.hpp"
#include "ui/child_windows.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/journal_window.hpp"
#include "ui/fitting_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/main_window.hpp"
#include "ui/multimemo.hpp"
#include "ui/program_identity.hpp"
#include "ui/qt_dialog_service.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "store/text_file.hpp"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

using namespace ombrelune;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setProgramIdentity();
    std::setlocale(LC_NUMERIC, "C");
    if (QApplication::arguments().size() != 3) {
        std::fprintf(stderr, "usage: ombrelune-screenshot DEMO.seq OUTPUT.png\n");
        return 2;
    }
    // The script's relative file names land in the throw-away root, ours do not.
    const QString demo = QFileInfo(QApplication::arguments()[1]).absoluteFilePath();
    const QString output = QFileInfo(QApplication::arguments()[2]).absoluteFilePath();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    MemorySettingsStore settings;
    settings.values = {{"currentfile", "manip-demo"},
                       {"RepertoireManip", utf8(home.path() + "/boite")}};
    Workbench wb(settings, DataPaths{fsPath(home.path())}, '.');
    QtDialogService dialogs;
    AppContext context(wb, dialogs);
    Tprincipalform window(context);
    window.resize(1600, 1000);
    window.show();

    Tinterpreteurform* interpreter = window.interpreterWindow();
    windowFrame(window.fittingWindow())->showMinimized(); // it has a picture of its own
    place(window.editWindow(), {0, 0, 560, 230});
    place(window.journalWindow(), {565, 0, 600, 360});
    place(interpreter, {0, 235, 560, 470});
    QStringList script;
    for (const std::string& line : readTextLines(fsPath(demo))) script << qs(line);
    interpreter->mem1->editor()->setPlainText(script.join('\n'));
    window.journalWindow()->Edit1->setText(QStringLiteral("échantillon B, 20 K"));
    window.journalWindow()->Edit1->returnPressed();

    interpreter->ScriptExecuteButton->click();
    waitUntil([&] { return !context.interpreter().running(); });

    interpreter->fonctionsmathmatiques1Click();
    place(window.functionList(), {1170, 0, 270, 480});
    interpreter->suividevariable1Click();
    place(window.watchWindow(), {565, 365, 290, 160});
    interpreter->variables1Click();
    place(window.variableList(), {860, 365, 240, 340});
    QTableWidget* watch = window.watchWindow()->StringGrid1;
    watch->item(0, 0)->setText(QStringLiteral("N"));
    watch->item(1, 0)->setText(QStringLiteral("S"));
    watch->item(2, 0)->setText(QStringLiteral("X"));
    interpreter->Edit1->setText(QStringLiteral("X=S/N;"));
    interpreter->Edit1->returnPressed();
    window.editWindow()->radio2D->click();
    window.editWindow()->ComboBox1->setCurrentIndex(
        window.editWindow()->ComboBox1->findText(QStringLiteral("HALF")));
    waitUntil([] { return false; }, 1000); // let the windows settle

    if (!window.grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
