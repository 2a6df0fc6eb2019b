#pragma once
// The interpreter window: the script editor, the command box, the buttons that start,
// stop and resume a script, the pace of the steps, and the menus of the list windows. It
// shows and drives the program's one script engine, which the application context owns;
// closing the window only minimises it.
//
// The status label says what the engine does: "Running...", "Paused at line n" (where
// Continue resumes), "Stopped at line n: reason" after an error, "Finished" at the end.
// The editor marks the line running (or where Continue resumes) and the line of an error,
// scrolled into view. At a pace of 0 lines run back to back in slices of a few
// milliseconds, between which the window handles the user's actions (STOP, Esc, Continue).

#include "ui/app_context.hpp"

#include <QElapsedTimer>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;

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
    // The time between two lines in milliseconds, 50 at start; 0 runs them back to back.
    QSpinBox* PaceBox;

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
    void connectEngine();
    void configureEditor(const Workbench& wb);
    void journalEditorFiles(Journal& journal);
    // What failures are reported under: the page's file name, else "page <n>".
    QString scriptName() const;
    bool guarded(const std::function<void()>& action);

    // Runs the text with its first line at that line of the page on show.
    void startRun(const QString& text, int firstLine);
    // One beat of Timer1: one line, or at a pace of 0 as many as a short slice allows.
    void runSteps();
    void showStatus(const QString& text);
    void showStopped(const QString& reason);
    void showRunning(bool running);
    void haltedOnLine(int line, const QString& reason);
    // The editor line of a prepared line, on the page that runs; -1 when not on show.
    int editorLine(int preparedLine) const;
    // Caption, running mark and watch window follow every line at a pace above 0, and at
    // most every few tens of milliseconds at 0, when they would cost more than the lines.
    void showIfDue();
    void showPending();

    DialogService& dialogs_;
    GuiScriptHost& host_;
    Interpreter& interpreter_;
    Tfunctionslisteform* functions_ = nullptr;
    Tvariableslisteform* variables_ = nullptr;
    Tsuiviform* watch_ = nullptr;

    int runPage_ = 1;
    int runOffset_ = 0;
    int startedLine_ = -1;
    bool inSteps_ = false;
    bool inCommandBox_ = false;
    QString pendingCaption_;
    bool captionPending_ = false;
    bool linePending_ = false;
    bool watchPending_ = false;
    QElapsedTimer sinceShown_;
};

} // namespace ombrelune
