#include "ui/multimemo.hpp"

#include "ui/code_editor.hpp"
#include "ui/dialog_service.hpp"
#include "ui/find_dialog.hpp"
#include "ui/guarded.hpp"
#include "ui/qt_text.hpp"

#include "store/atomic_file.hpp"
#include "store/text_file.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QSpinBox>
#include <QTextDocument>

#include <algorithm>

namespace ombrelune {

tmultimemo::tmultimemo(DialogService& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs), label_(new QLabel(this)), selector_(new QSpinBox(this)),
      editor_(new CodeEditor(this)), menu_(new QMenu(this)), findDialog_(new FindDialog(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    label_->setObjectName(QStringLiteral("pagelabel"));
    selector_->setObjectName(QStringLiteral("pageselector"));
    editor_->setObjectName(QStringLiteral("memo"));
    selector_->setRange(1, maxvalue_);
    selector_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    label_->setText(active().name);
    connect(selector_, &QSpinBox::valueChanged, this, &tmultimemo::switchTo);
    connect(editor_->document(), &QTextDocument::modificationChanged, this,
            &tmultimemo::showPageName);
    connect(findDialog_, &FindDialog::findNext, this, &tmultimemo::findNext);

    buildMenu();
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(editor_->mapToGlobal(at)); });
}

tmultimemo::~tmultimemo() = default;

void tmultimemo::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    label_->setGeometry(1, 1, std::max(0, width() - 35), 20);
    selector_->setGeometry(width() - 35, 0, 35, 20);
    editor_->setGeometry(0, 20, width(), std::max(0, height() - 20));
}

void tmultimemo::setMaxvalue(int pages) {
    maxvalue_ = std::clamp(pages, 1, pageCount);
    selector_->setMaximum(maxvalue_);
}

void tmultimemo::setActivepage(int page) {
    if (page >= 1 && page <= maxvalue_) selector_->setValue(page);
}

void tmultimemo::switchTo(int page) {
    if (page == activepage_) return;
    active().text = editor_->toPlainText();
    active().modified = editor_->document()->isModified();
    activepage_ = page;
    editor_->clearMarks();
    editor_->setPlainText(active().text);
    editor_->document()->setModified(active().modified);
    showPageName();
}

void tmultimemo::showPageName() {
    label_->setText(active().name +
                    (editor_->document()->isModified() ? QStringLiteral(" *") : QString()));
}

bool tmultimemo::pageModified(int page) const {
    return page == activepage_ ? editor_->document()->isModified() : pages_[index(page)].modified;
}

bool tmultimemo::needsSaving(int page) const {
    if (!pageModified(page)) return false;
    const QString& text = page == activepage_ ? editor_->toPlainText() : pages_[index(page)].text;
    return !(pages_[index(page)].name == unknownName && text.isEmpty());
}

bool tmultimemo::settleActivePage() {
    if (!needsSaving(activepage_)) return true;
    const QString question =
        QStringLiteral("La page %1 (%2) a des modifications non enregistrées. Les enregistrer ?")
            .arg(activepage_)
            .arg(active().name);
    switch (dialogs_.askSave(this, question)) {
    case SaveChoice::save:
        return save();
    case SaveChoice::discard:
        return true;
    case SaveChoice::cancel:
        break;
    }
    return false;
}

bool tmultimemo::settleUnsavedPages() {
    const int shown = activepage_;
    for (int page = 1; page <= maxvalue_; ++page) {
        if (!needsSaving(page)) continue;
        // The page asked about is the page on show.
        setActivepage(page);
        if (!settleActivePage()) return false;
    }
    setActivepage(shown);
    return true;
}

QStringList tmultimemo::lines() const {
    const QString text = editor_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString tmultimemo::selectedText() const {
    QString text = editor_->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

bool tmultimemo::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, [&] {
        try {
            action();
        } catch (const std::exception& e) {
            Q_EMIT fileFailed(QString::fromUtf8(e.what()));
            throw;
        }
    });
}

void tmultimemo::newPage() {
    if (maxvalue_ < pageCount) setMaxvalue(maxvalue_ + 1);
    setActivepage(maxvalue_);
}

void tmultimemo::takeFileName(const QString& path) {
    // The name is the file name up to its first ".", cut to 25 characters.
    const QString file = QFileInfo(path).fileName();
    active().path = path;
    active().name = file.left(file.indexOf(QLatin1Char('.'))).left(25);
    editor_->document()->setModified(false);
    showPageName();
}

void tmultimemo::openFile() {
    if (!settleActivePage()) return;
    const auto chosen =
        dialogs_.openFileName(this, {QStringLiteral("Ouvrir"), directory_, filter_, defaultSuffix_});
    if (!chosen) return;
    guarded([&] {
        QStringList text;
        for (const std::string& line : readTextLines(fsPath(*chosen))) text << qs(line);
        editor_->clearMarks();
        editor_->setPlainText(text.join(QLatin1Char('\n')));
        takeFileName(*chosen);
        Q_EMIT fileRead(*chosen);
    });
}

void tmultimemo::insertFile() {
    const auto chosen =
        dialogs_.openFileName(this, {QStringLiteral("Insérer"), directory_, filter_, defaultSuffix_});
    if (!chosen) return;
    guarded([&] {
        QString text;
        for (const std::string& line : readTextLines(fsPath(*chosen))) text += qs(line) + '\n';
        editor_->textCursor().insertText(text);
        Q_EMIT fileRead(*chosen);
    });
}

void tmultimemo::writeActivePage(const QString& path) {
    AtomicFile file(fsPath(path));
    for (const QString& line : lines()) file.writeLine(utf8(line));
    file.commit();
    Q_EMIT fileWritten(path);
}

bool tmultimemo::save() {
    if (active().name == unknownName) return saveAs();
    return guarded([this] {
        writeActivePage(active().path);
        editor_->document()->setModified(false);
    });
}

bool tmultimemo::saveAs() {
    auto chosen =
        dialogs_.saveFileName(this, {QStringLiteral("Enregistrer sous"), directory_, filter_, defaultSuffix_});
    if (!chosen) return false;
    if (QFileInfo(*chosen).suffix().isEmpty() && !defaultext_.isEmpty())
        *chosen += defaultext_.startsWith(QLatin1Char('.')) ? defaultext_ : '.' + defaultext_;
    return guarded([&] {
        writeActivePage(*chosen);
        takeFileName(*chosen);
    });
}

void tmultimemo::closePage() {
    if (!settleActivePage()) return;
    editor_->clearMarks();
    editor_->clear();
    active().name = unknownName;
    active().path.clear();
    editor_->document()->setModified(false);
    showPageName();
}

void tmultimemo::print() {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    if (!dialogs_.print(this, *printer_)) return;
    printer_->setDocName(active().name);
    editor_->print(printer_.get());
}

void tmultimemo::printerSetup() {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    dialogs_.printerSetup(this, *printer_);
}

void tmultimemo::showFind() {
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void tmultimemo::findNext(const QString& text) {
    if (text.isEmpty()) return;
    const QString content = editor_->toPlainText();
    const auto search = [&](int from) {
        return static_cast<int>(content.indexOf(text, from, Qt::CaseInsensitive));
    };
    int at = search(std::min(findPosition_, static_cast<int>(content.size())));
    if (at < 0 && findPosition_ != 0) {
        findPosition_ = 0;
        at = search(0);
    }
    if (at < 0) {
        dialogs_.showWarning(this, QStringLiteral("Chaîne non trouvée"));
        findDialog_->hide();
        return;
    }
    QTextCursor cursor = editor_->textCursor();
    cursor.setPosition(at);
    cursor.setPosition(at + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
    editor_->setFocus();
    findPosition_ = at + static_cast<int>(text.size());
}

void tmultimemo::clearAll() {
    if (!settleUnsavedPages()) return;
    for (int page = 1; page <= maxvalue_; ++page) {
        pages_[index(page)].text.clear();
        // What the pages held is settled: empty pages have nothing left to save.
        pages_[index(page)].modified = false;
    }
    editor_->clearMarks();
    editor_->clear();
    editor_->document()->setModified(false);
}

void tmultimemo::allPagesToClipboard() {
    QStringList out;
    for (int page = 1; page <= maxvalue_; ++page) {
        const Page& p = pages_[index(page)];
        out << QStringLiteral(" ") << QStringLiteral("Fichier 1 : ") + p.path
            << QStringLiteral(" ");
        if (!p.text.isEmpty()) out << p.text.split(QLatin1Char('\n'));
    }
    QApplication::clipboard()->setText(out.join(QLatin1Char('\n')) + '\n');
}

} // namespace ombrelune
