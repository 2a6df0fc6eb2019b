#pragma once
// A plain-text editing area with line numbers in a left margin and the caret's line
// highlighted, after Qt's code-editor example; two more marks show the line a script is
// running (or resumes at) and the line where it stopped on an error. A mark follows its
// line while the text is edited.

#include <QPlainTextEdit>

namespace ombrelune {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // The number shown beside the first line (the script engine counts lines from 0, so
    // its window numbers them the same way).
    void setFirstLineNumber(int first);
    int firstLineNumber() const { return firstLineNumber_; }

    // Lines are counted from 0; -1 removes the mark. The error mark also takes the caret
    // to the start of its line and scrolls it into view.
    void setRunningLine(int line);
    void setErrorLine(int line);
    // Removes both marks (the owner does so when it replaces the whole text).
    void clearMarks();
    int runningLine() const { return markedLine(running_); }
    int errorLine() const { return markedLine(error_); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class LineNumberArea;
    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent* event);
    void updateMargins();
    void updateHighlights();
    QTextCursor lineCursor(int line) const;
    static int markedLine(const QTextCursor& mark) {
        return mark.isNull() ? -1 : mark.blockNumber();
    }

    QWidget* lineNumberArea_;
    int firstLineNumber_ = 1;
    QTextCursor running_;
    QTextCursor error_;
};

} // namespace ombrelune
