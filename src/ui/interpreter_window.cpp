#include "ui/interpreter_window.hpp"

#include "ui/child_windows.hpp"
#include "ui/code_editor.hpp"
#include "ui/dialog_service.hpp"
#include "ui/guarded.hpp"
#include "ui/list_windows.hpp"
#include "ui/multimemo.hpp"
#include "ui/menu_table.hpp"
#include "ui/qt_text.hpp"
#include "ui/script_highlighter.hpp"

#include "script/statement_text.hpp"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace ombrelune {
namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(QString::fromUtf8(hint));
    return b;
}

struct InterpreterMenuEntry {
    const char* submenu; // nullptr: an item of the menu bar itself
    const char* caption;
    const char* name;
    void (Tinterpreteurform::*action)();
};

const InterpreterMenuEntry interpreterMenu[] = {
    {nullptr, "suivi ", "suividevariable1", &Tinterpreteurform::suividevariable1Click},
    {nullptr, "variables", "variables1", &Tinterpreteurform::variables1Click},
    {"fonctions", "fonctions mathématiques", "fonctionsmathmatiques1",
     &Tinterpreteurform::fonctionsmathmatiques1Click},
    {"fonctions", "fonctions du programme", "fonctionsduprogramme1", nullptr},
};

} // namespace

Tinterpreteurform::Tinterpreteurform(AppContext& context, QWidget* parent)
    : QWidget(parent), ScriptStatus(new QLabel(QStringLiteral("Paused"), this)),
      Label1(new QLabel(QStringLiteral("ligne : "), this)),
      Edit1(new QLineEdit(QStringLiteral("Edit1"), this)),
      mem1(new tmultimemo(context.dialogs(), this)),
      ScriptExecuteButton(
          button(this, "ScriptExecuteButton", "Execute", "Exécute la page affichée (F5)")),
      ScriptExecuteSelectionButton(button(this, "ScriptExecuteSelectionButton", "ExecuteSelection",
                                          "Exécute le texte sélectionné")),
      ScriptStopButton(button(this, "ScriptStopButton", "STOP", "Arrête la séquence (Echap)")),
      ContinueButton(button(this, "ContinueButton", "Continue", "Reprend la séquence")),
      PaceBox(new QSpinBox(this)), dialogs_(context.dialogs()), host_(context.host()),
      interpreter_(context.interpreter()) {
    setObjectName(QStringLiteral("interpreteurform"));
    setWindowTitle(QStringLiteral("h"));
    ScriptStatus->setObjectName(QStringLiteral("ScriptStatus"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    mem1->setObjectName(QStringLiteral("mem1"));
    PaceBox->setObjectName(QStringLiteral("PaceBox"));
    PaceBox->setRange(0, GuiScriptHost::maxStepMilliseconds);
    PaceBox->setValue(host_.stepInterval());
    PaceBox->setSuffix(QStringLiteral(" ms"));
    PaceBox->setToolTip(
        QStringLiteral("Temps entre deux lignes de la séquence ; 0 : les lignes à la suite"));
    configureEditor(context.wb());
    buildLayout();
    connectEngine();
    connect(PaceBox, &QSpinBox::valueChanged, this,
            [this](int milliseconds) { host_.setStepInterval(milliseconds); });
    connect(ScriptExecuteButton, &QPushButton::clicked, this,
            &Tinterpreteurform::ScriptExecuteButtonClick);
    connect(ScriptExecuteSelectionButton, &QPushButton::clicked, this,
            &Tinterpreteurform::ScriptExecuteSelectionButtonClick);
    connect(ScriptStopButton, &QPushButton::clicked, this,
            &Tinterpreteurform::ScriptStopButtonClick);
    connect(ContinueButton, &QPushButton::clicked, this, &Tinterpreteurform::ContinueButtonClick);
    connect(Edit1, &QLineEdit::returnPressed, this, &Tinterpreteurform::Edit1Return);
    journalEditorFiles(context.wb().journal);
    for (auto [key, target] : {std::pair{Qt::Key_F5, ScriptExecuteButton},
                               std::pair{Qt::Key_Escape, ScriptStopButton}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
    }
}

Tinterpreteurform::~Tinterpreteurform() {
    host_.setStepTimer(false);
    host_.setWindow(nullptr);
    host_.onCaption = {};
    host_.onRunning = {};
    host_.onLineStarted = {};
    host_.onExpressionError = {};
    host_.onLineExecuted = {};
}

void Tinterpreteurform::journalEditorFiles(Journal& journal) {
    // Scripts read and written are part of the record, like every other file.
    const auto line = [this, &journal](const std::string& text) {
        runGuarded(dialogs_, this, [&] { journal.appendLine(text); });
    };
    connect(mem1, &tmultimemo::fileRead, this,
            [line](const QString& path) { line("lecture de la séquence " + utf8(path)); });
    connect(mem1, &tmultimemo::fileWritten, this,
            [line](const QString& path) { line("sauvegarde de la séquence sous " + utf8(path)); });
    connect(mem1, &tmultimemo::fileFailed, this, [line](const QString& message) {
        line("!! éditeur de séquences : " + oneLine(utf8(message)));
    });
}

QString Tinterpreteurform::scriptName() const {
    const QString& path = mem1->pagePath(mem1->activepage());
    return path.isEmpty() ? QStringLiteral("page %1").arg(mem1->activepage())
                          : QFileInfo(path).fileName();
}

void Tinterpreteurform::connectEngine() {
    host_.setWindow(this);
    host_.onCaption = [this](const std::string& caption) {
        pendingCaption_ = qs(caption);
        captionPending_ = true;
        showIfDue();
    };
    host_.onLineStarted = [this](int line) {
        startedLine_ = line;
        linePending_ = true;
        showIfDue();
    };
    host_.onLineExecuted = [this] {
        watchPending_ = true;
        showIfDue();
    };
    host_.onRunning = [this](bool running) { showRunning(running); };
    host_.onExpressionError = [this](const std::string& message) {
        // A command-box line is no line of the script, though its error halts the script.
        if (inCommandBox_)
            showStopped(qs(message));
        else
            haltedOnLine(startedLine_, qs(message));
    };
    connect(host_.Timer1, &QTimer::timeout, this, &Tinterpreteurform::runSteps);
    sinceShown_.start();
}

void Tinterpreteurform::configureEditor(const Workbench& wb) {
    mem1->setMaxvalue(10);
    mem1->setActivepage(1);
    CodeEditor* editor = mem1->editor();
    // Both scroll bars, as needed: long lines are not wrapped.
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier"), 8);
    courier.setStyleHint(QFont::TypeWriter);
    editor->setFont(courier);
    // The engine's messages count lines from 0; so does the margin.
    editor->setFirstLineNumber(0);
    new ScriptHighlighter(editor->document());
    mem1->setFilter(QStringLiteral("Séquences (*.seq)|*.seq|textes (*.txt)|*.txt"));
    mem1->setDefaultSuffix(QStringLiteral("seq"));
    mem1->setDefaultext(QStringLiteral(".seq"));
    DataPaths::ensure(wb.paths.sequences());
    mem1->setDirectory(qs(wb.paths.sequences()));
}

QMenuBar* Tinterpreteurform::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* submenu = nullptr;
    for (const InterpreterMenuEntry& entry : interpreterMenu) {
        QAction* action =
            addMenuRow(bar, submenu, entry.submenu, entry.caption, entry.name);
        action->setEnabled(entry.action != nullptr);
        if (entry.action) connect(action, &QAction::triggered, this, entry.action);
    }
    return bar;
}

void Tinterpreteurform::buildLayout() {
    QFont big = ScriptStatus->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    ScriptStatus->setFont(big);
    ScriptStatus->setStyleSheet(QStringLiteral("color: red"));
    ScriptStatus->setMinimumWidth(
        ScriptStatus->fontMetrics().horizontalAdvance(QStringLiteral("Running...")) + 8);
    // A long reason is cut at the window's edge rather than widening it; the tooltip and
    // the error box hold it whole.
    ScriptStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    // The status has a row of its own, so that "Stopped at line n: reason" can be read in
    // a narrow window.
    auto* line = new QHBoxLayout;
    line->addWidget(Label1);
    line->addWidget(Edit1, 1);
    auto* paceLabel = new QLabel(QStringLiteral("pas :"), this);
    paceLabel->setBuddy(PaceBox);
    line->addWidget(paceLabel);
    line->addWidget(PaceBox);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {ScriptExecuteButton, ScriptExecuteSelectionButton, ScriptStopButton, ContinueButton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(ScriptStatus);
    layout->addLayout(line);
    layout->addLayout(buttons);
    layout->addWidget(mem1, 1);
}

void Tinterpreteurform::setListWindows(Tfunctionslisteform* functions,
                                       Tvariableslisteform* variables, Tsuiviform* watch) {
    functions_ = functions;
    variables_ = variables;
    watch_ = watch;
}

bool Tinterpreteurform::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, action);
}

void Tinterpreteurform::startRun(const QString& text, int firstLine) {
    mem1->editor()->clearMarks();
    runPage_ = mem1->activepage();
    runOffset_ = firstLine;
    guarded([&] { interpreter_.execute(utf8(text)); });
}

void Tinterpreteurform::ScriptExecuteButtonClick() {
    interpreter_.setScriptName(utf8(scriptName()));
    startRun(mem1->editor()->toPlainText(), 0);
}

void Tinterpreteurform::ScriptExecuteSelectionButtonClick() {
    // The engine counts from the selection's first line; the marks count from the page's.
    interpreter_.setScriptName(utf8(scriptName()) + " (sélection)");
    const QTextCursor selection = mem1->editor()->textCursor();
    startRun(mem1->selectedText(),
             mem1->editor()->document()->findBlock(selection.selectionStart()).blockNumber());
}

void Tinterpreteurform::ScriptStopButtonClick() {
    interpreter_.stop();
}

void Tinterpreteurform::ContinueButtonClick() {
    mem1->editor()->setErrorLine(-1);
    interpreter_.continueScript();
}

void Tinterpreteurform::runSteps() {
    constexpr qint64 sliceMilliseconds = 15;
    const bool commandBox = std::exchange(inCommandBox_, false);
    const bool nested = std::exchange(inSteps_, true);
    QElapsedTimer slice;
    slice.start();
    try {
        do {
            interpreter_.tick();
        } while (host_.stepInterval() == 0 && interpreter_.running() && host_.stepTimer() &&
                 slice.elapsed() < sliceMilliseconds);
    } catch (const std::exception& e) {
        // The line is marked before the box, so the user reads the message beside it.
        const QString message = QString::fromUtf8(e.what());
        haltedOnLine(interpreter_.currentLine(), message);
        dialogs_.showError(this, message);
    }
    inSteps_ = nested;
    inCommandBox_ = commandBox;
    if (!inSteps_) showPending();
}

void Tinterpreteurform::Edit1Return() {
    // The box shows the ";" before the line runs, so a failing line reads as it ran.
    if (!Edit1->text().contains(QLatin1Char(';'))) Edit1->setText(Edit1->text() + ';');
    inCommandBox_ = true;
    try {
        interpreter_.executeCommandBox(utf8(Edit1->text()));
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        showStopped(message);
        dialogs_.showError(this, message);
    }
    inCommandBox_ = false;
}

void Tinterpreteurform::showStatus(const QString& text) {
    ScriptStatus->setText(text);
    ScriptStatus->setToolTip(text);
}

namespace {

QString stoppedText(int line, const QString& reason) {
    QString text = messageLines(reason);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringLiteral("Stopped at line %1: %2").arg(line).arg(text);
}

} // namespace

void Tinterpreteurform::showStopped(const QString& reason) {
    // An error halts a script that runs; one that does not run has nothing to report.
    if (interpreter_.running()) showStatus(stoppedText(interpreter_.currentLine(), reason));
}

void Tinterpreteurform::haltedOnLine(int line, const QString& reason) {
    linePending_ = false;
    showStatus(stoppedText(line, reason));
    // The page that ran comes back on show to point at the line.
    if (mem1->activepage() != runPage_) mem1->setActivepage(runPage_);
    mem1->editor()->setRunningLine(-1);
    mem1->editor()->setErrorLine(editorLine(line));
}

void Tinterpreteurform::showRunning(bool running) {
    linePending_ = false;
    if (running) {
        showStatus(QStringLiteral("Running..."));
        return;
    }
    const int line = interpreter_.currentLine();
    const int count = static_cast<int>(interpreter_.preparedLines().size());
    if (line >= 0 && line < count) {
        showStatus(QStringLiteral("Paused at line %1").arg(line));
        mem1->editor()->setRunningLine(editorLine(line));
    } else {
        showStatus(count > 0 ? QStringLiteral("Finished") : QStringLiteral("Paused"));
        mem1->editor()->setRunningLine(-1);
    }
}

int Tinterpreteurform::editorLine(int preparedLine) const {
    const int source = interpreter_.sourceLine(preparedLine);
    if (source < 0 || mem1->activepage() != runPage_) return -1;
    return runOffset_ + source;
}

void Tinterpreteurform::showIfDue() {
    constexpr qint64 displayMilliseconds = 40;
    if (!inSteps_ || host_.stepInterval() > 0 || sinceShown_.elapsed() >= displayMilliseconds)
        showPending();
}

void Tinterpreteurform::showPending() {
    if (captionPending_) setWindowTitle(pendingCaption_);
    if (linePending_) mem1->editor()->setRunningLine(editorLine(startedLine_));
    if (watchPending_ && watch_) watch_->refresh();
    captionPending_ = linePending_ = watchPending_ = false;
    sinceShown_.restart();
}

void Tinterpreteurform::suividevariable1Click() {
    if (watch_) toggleWindow(watch_);
}

void Tinterpreteurform::variables1Click() {
    if (variables_) toggleWindow(variables_, [this] { variables_->fillVariableList(); });
}

void Tinterpreteurform::fonctionsmathmatiques1Click() {
    if (functions_) toggleWindow(functions_, [this] { functions_->fillFunctionList(); });
}

} // namespace ombrelune
