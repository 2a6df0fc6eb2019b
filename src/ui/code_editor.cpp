#include "ui/code_editor.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace ombrelune {

class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeEditor* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->lineNumberAreaWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { editor_->paintLineNumbers(event); }

private:
    CodeEditor* editor_;
};

CodeEditor::CodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), lineNumberArea_(new LineNumberArea(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateMargins);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            lineNumberArea_->scroll(0, dy);
        else
            lineNumberArea_->update(0, rect.y(), lineNumberArea_->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::updateHighlights);
    updateMargins();
    updateHighlights();
}

void CodeEditor::setFirstLineNumber(int first) {
    firstLineNumber_ = first;
    updateMargins();
    lineNumberArea_->update();
}

int CodeEditor::lineNumberAreaWidth() const {
    const int last = firstLineNumber_ + std::max(1, blockCount()) - 1;
    const int digits = static_cast<int>(QString::number(std::max(last, 9)).size());
    return 6 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::updateMargins() {
    setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    lineNumberArea_->setGeometry(area.left(), area.top(), lineNumberAreaWidth(), area.height());
}

void CodeEditor::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(lineNumberArea_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QFont bold = font();
    bold.setBold(true);
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        const bool marked =
            block.blockNumber() == errorLine() || block.blockNumber() == runningLine();
        painter.setFont(marked ? bold : font());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, lineNumberArea_->width() - 3, fontMetrics().height(),
                             Qt::AlignRight,
                             QString::number(firstLineNumber_ + block.blockNumber()));
        top += height;
        block = block.next();
    }
}

QTextCursor CodeEditor::lineCursor(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    return line < 0 || !block.isValid() ? QTextCursor() : QTextCursor(block);
}

void CodeEditor::setRunningLine(int line) {
    if (line == runningLine()) return;
    running_ = lineCursor(line);
    updateHighlights();
    lineNumberArea_->update();
}

void CodeEditor::setErrorLine(int line) {
    error_ = lineCursor(line);
    if (!error_.isNull()) {
        setTextCursor(error_);
        centerCursor();
    }
    updateHighlights();
    lineNumberArea_->update();
}

void CodeEditor::clearMarks() {
    running_ = QTextCursor();
    error_ = QTextCursor();
    updateHighlights();
    lineNumberArea_->update();
}

void CodeEditor::updateHighlights() {
    // Later selections are drawn over earlier ones: the error shows even on the caret's line.
    const std::pair<QTextCursor, QColor> marks[] = {
        {textCursor(), palette().color(QPalette::AlternateBase)},
        {running_, QColor(0xd4, 0xee, 0xd4)},
        {error_, QColor(0xf6, 0xc4, 0xc4)},
    };
    QList<QTextEdit::ExtraSelection> selections;
    for (const auto& [cursor, colour] : marks) {
        if (cursor.isNull()) continue;
        QTextEdit::ExtraSelection line;
        line.format.setBackground(colour);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = cursor;
        line.cursor.clearSelection();
        selections << line;
    }
    setExtraSelections(selections);
}

} // namespace ombrelune
