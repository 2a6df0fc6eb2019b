#pragma once
// Colours a script as the engine reads it: comments (everything after the first ";" and
// lines whose first or second character is ";"), labels, keywords, quoted texts and the
// names of the registry's commands.

#include <QRegularExpression>
#include <QSet>
#include <QSyntaxHighlighter>

namespace ombrelune {

class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    QSet<QString> commands_; // upper case
};

} // namespace ombrelune
