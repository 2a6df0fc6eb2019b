#include "ui/journal_window.hpp"

#include "ui/dialog_service.hpp"
#include "ui/guarded.hpp"
#include "ui/qt_text.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ombrelune {

Tboitnoir::Tboitnoir(Journal& journal, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), Edit1(new QLineEdit(this)), Edit2(new QLineEdit(this)),
      repertoiremanip(new QLineEdit(this)),
      OpenFileBoiteNoire(new QPushButton(QStringLiteral("Open"), this)),
      RichEdit1(new QPlainTextEdit(this)), journal_(journal), dialogs_(dialogs) {
    setObjectName(QStringLiteral("boitnoir"));
    setWindowTitle(QStringLiteral("Boite noire"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("Text box to add a comment in the data file"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    repertoiremanip->setObjectName(QStringLiteral("repertoiremanip"));
    OpenFileBoiteNoire->setObjectName(QStringLiteral("OpenFileBoiteNoire"));
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("File :"), this), 0, 0);
    top->addWidget(Edit2, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Rep manip:"), this), 0, 2);
    top->addWidget(repertoiremanip, 0, 3);
    top->addWidget(OpenFileBoiteNoire, 0, 4);
    top->addWidget(new QLabel(QStringLiteral("Comment :"), this), 1, 0);
    top->addWidget(Edit1, 1, 1, 1, 4);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(RichEdit1, 1);

    connect(Edit1, &QLineEdit::returnPressed, this, &Tboitnoir::Edit1Return);
    connect(Edit2, &QLineEdit::returnPressed, this, &Tboitnoir::Edit2Return);
    connect(repertoiremanip, &QLineEdit::returnPressed, this, &Tboitnoir::repertoiremanipReturn);
    connect(OpenFileBoiteNoire, &QPushButton::clicked, this, &Tboitnoir::OpenFileBoiteNoireClick);

    journal_.setListener(this);
    guarded([this] { journal_.start(); });
}

Tboitnoir::~Tboitnoir() {
    journal_.setListener(nullptr);
}

void Tboitnoir::journalOpened(const std::string& path, const std::string& name,
                              const std::vector<std::string>& earlierLines) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(earlierLines.size()));
    for (const std::string& line : earlierLines) lines << qs(line);
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
    setWindowTitle(qs(path));
    Edit2->setText(qs(name));
}

void Tboitnoir::journalLineAppended(const std::string& text) {
    RichEdit1->appendPlainText(qs(text));
    RichEdit1->moveCursor(QTextCursor::End);
    RichEdit1->verticalScrollBar()->setValue(RichEdit1->verticalScrollBar()->maximum());
}

void Tboitnoir::journalDirectoryChanged(const std::string& directory) {
    repertoiremanip->setText(qs(directory));
}

void Tboitnoir::Edit1Return() {
    guarded([this] {
        journal_.appendLine(utf8(Edit1->text()));
        Edit1->clear();
    });
}

void Tboitnoir::Edit2Return() {
    guarded([this] { journal_.openJournal(utf8(Edit2->text())); });
}

void Tboitnoir::repertoiremanipReturn() {
    const std::optional<QString> entered = dialogs_.enterName(this, Edit2->text());
    if (entered && !entered->isEmpty()) Edit2->setText(*entered);
    guarded([this] {
        journal_.settings().write(settingExperimentDirectory, utf8(repertoiremanip->text()));
        journal_.openJournal(utf8(Edit2->text()));
    });
}

void Tboitnoir::OpenFileBoiteNoireClick() {
    const std::optional<QString> chosen = dialogs_.openFileName(
        this, {QStringLiteral("Open"), repertoiremanip->text(), QStringLiteral("*.txt|*.txt"),
                     QStringLiteral("txt")});
    if (!chosen) return;
    // Directory up to the last "/", name up to the last "." after it; a file without an
    // extension gives its whole name.
    const qsizetype slash = chosen->lastIndexOf(QLatin1Char('/'));
    qsizetype dot = chosen->lastIndexOf(QLatin1Char('.'));
    if (dot <= slash) dot = chosen->size();
    const QString directory = slash < 0 ? QString() : chosen->left(slash);
    const QString name = chosen->mid(slash + 1, dot - slash - 1);
    guarded([&] {
        journal_.settings().write(settingExperimentDirectory, utf8(directory));
        journal_.openJournal(utf8(name));
    });
}

void Tboitnoir::guarded(const std::function<void()>& action) {
    runGuarded(dialogs_, this, action);
}

} // namespace ombrelune
