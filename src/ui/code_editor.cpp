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
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::highlightCurrentLine);
    updateMargins();
    highlightCurrentLine();
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
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, lineNumberArea_->width() - 3, fontMetrics().height(),
                             Qt::AlignRight,
                             QString::number(firstLineNumber_ + block.blockNumber()));
        top += height;
        block = block.next();
    }
}

void CodeEditor::highlightCurrentLine() {
    QTextEdit::ExtraSelection line;
    line.format.setBackground(palette().color(QPalette::AlternateBase));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

} // namespace ombrelune
