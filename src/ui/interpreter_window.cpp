#include "ui/interpreter_window.hpp"

#include "ui/child_windows.hpp"
#include "ui/code_editor.hpp"
#include "ui/dialog_service.hpp"
#include "ui/guarded.hpp"
#include "ui/list_windows.hpp"
#include "ui/multimemo.hpp"
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
#include <QTimer>
#include <QVBoxLayout>

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
      dialogs_(context.dialogs()), host_(context.host()), interpreter_(context.interpreter()) {
    setObjectName(QStringLiteral("interpreteurform"));
    setWindowTitle(QStringLiteral("h"));
    ScriptStatus->setObjectName(QStringLiteral("ScriptStatus"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    mem1->setObjectName(QStringLiteral("mem1"));
    configureEditor(context.wb());
    buildLayout();

    host_.setWindow(this);
    host_.onCaption = [this](const std::string& caption) { setWindowTitle(qs(caption)); };
    host_.onRunning = [this](bool running) {
        ScriptStatus->setText(running ? QStringLiteral("Running...") : QStringLiteral("Paused"));
    };
    host_.onLineExecuted = [this] {
        if (watch_) watch_->refresh();
    };
    connect(host_.Timer1, &QTimer::timeout, this,
            [this] { guarded([this] { interpreter_.tick(); }); });
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
    mem1->setDefaultext(QStringLiteral(".seq"));
    DataPaths::ensure(wb.paths.sequences());
    mem1->setDirectory(qs(wb.paths.sequences()));
}

QMenuBar* Tinterpreteurform::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* submenu = nullptr;
    for (const InterpreterMenuEntry& entry : interpreterMenu) {
        QAction* action = nullptr;
        if (!entry.submenu) {
            action = bar->addAction(QString::fromUtf8(entry.caption));
        } else {
            if (!submenu || submenu->title() != QString::fromUtf8(entry.submenu))
                submenu = bar->addMenu(QString::fromUtf8(entry.submenu));
            action = submenu->addAction(QString::fromUtf8(entry.caption));
        }
        action->setObjectName(QString::fromUtf8(entry.name));
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

    auto* top = new QHBoxLayout;
    top->addWidget(ScriptStatus);
    top->addWidget(Label1);
    top->addWidget(Edit1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {ScriptExecuteButton, ScriptExecuteSelectionButton, ScriptStopButton, ContinueButton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
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

void Tinterpreteurform::ScriptExecuteButtonClick() {
    interpreter_.setScriptName(utf8(scriptName()));
    guarded([this] { interpreter_.execute(utf8(mem1->editor()->toPlainText())); });
}

void Tinterpreteurform::ScriptExecuteSelectionButtonClick() {
    // Lines of a selection count from its first line.
    interpreter_.setScriptName(utf8(scriptName()) + " (sélection)");
    guarded([this] { interpreter_.execute(utf8(mem1->selectedText())); });
}

void Tinterpreteurform::ScriptStopButtonClick() {
    interpreter_.stop();
}

void Tinterpreteurform::ContinueButtonClick() {
    interpreter_.continueScript();
}

void Tinterpreteurform::Edit1Return() {
    // The box shows the ";" before the line runs, so a failing line reads as it ran.
    if (!Edit1->text().contains(QLatin1Char(';'))) Edit1->setText(Edit1->text() + ';');
    guarded([this] { interpreter_.executeCommandBox(utf8(Edit1->text())); });
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
