#pragma once
// A plain-text editing area with line numbers in a left margin and the caret's line
// highlighted, after Qt's code-editor example.

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class LineNumberArea;
    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent* event);
    void updateMargins();
    void highlightCurrentLine();

    QWidget* lineNumberArea_;
    int firstLineNumber_ = 1;
};

} // namespace ombrelune
