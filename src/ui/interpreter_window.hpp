#pragma once
// The interpreter window: the script editor, the command box, the buttons that start,
// stop and resume a script, and the menus of the list windows. It shows and drives the
// program's one script engine, which the application context owns; closing the window
// only minimises it.

#include "ui/app_context.hpp"

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace ombrelune {

class DialogService;
class Tfunctionslisteform;
class Tsuiviform;
class Tvariableslisteform;
class tmultimemo;

class Tinterpreteurform : public QWidget {
    Q_OBJECT
public:
    explicit Tinterpreteurform(AppContext& context, QWidget* parent = nullptr);
    ~Tinterpreteurform() override;

    // The windows its menus show and hide (made by the main window, which places them).
    void setListWindows(Tfunctionslisteform* functions, Tvariableslisteform* variables,
                        Tsuiviform* watch);

    QLabel* ScriptStatus;
    QLabel* Label1;
    QLineEdit* Edit1;
    tmultimemo* mem1;
    QPushButton* ScriptExecuteButton;
    QPushButton* ScriptExecuteSelectionButton;
    QPushButton* ScriptStopButton;
    QPushButton* ContinueButton;

    void ScriptExecuteButtonClick();
    void ScriptExecuteSelectionButtonClick();
    void ScriptStopButtonClick();
    void ContinueButtonClick();
    void Edit1Return();
    void suividevariable1Click();
    void variables1Click();
    void fonctionsmathmatiques1Click();

private:
    QMenuBar* buildMenu();
    void buildLayout();
    void configureEditor(const Workbench& wb);
    void journalEditorFiles(Journal& journal);
    // What failures are reported under: the page's file name, else "page <n>".
    QString scriptName() const;
    bool guarded(const std::function<void()>& action);

    DialogService& dialogs_;
    GuiScriptHost& host_;
    Interpreter& interpreter_;
    Tfunctionslisteform* functions_ = nullptr;
    Tvariableslisteform* variables_ = nullptr;
    Tsuiviform* watch_ = nullptr;
};

} // namespace ombrelune
