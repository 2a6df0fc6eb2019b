#include "ui/script_highlighter.hpp"

#include "script/command_registry.hpp"

#include <QColor>
#include <QTextCharFormat>

namespace ombrelune {
namespace {

QTextCharFormat colour(const QColor& c, bool bold = false) {
    QTextCharFormat format;
    format.setForeground(c);
    if (bold) format.setFontWeight(QFont::Bold);
    return format;
}

} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    for (const CommandEntry& entry : commandTable())
        commands_.insert(
            QString::fromUtf8(entry.name.data(), qsizetype(entry.name.size())).toUpper());
}

void ScriptHighlighter::highlightBlock(const QString& text) {
    static const QRegularExpression label(QStringLiteral("^[Ll][A-Za-z]:"));
    static const QRegularExpression keyword(QStringLiteral("\\b(if|then|goto)\\b|^inc="));
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\"?"));
    static const QRegularExpression command(QStringLiteral("^(?:[Ll][A-Za-z]:)?([^\\[;=]+)\\["));

    const QTextCharFormat comment = colour(Qt::darkGreen);
    if (text.size() > 0 && (text[0] == ';' || (text.size() > 1 && text[1] == ';'))) {
        setFormat(0, static_cast<int>(text.size()), comment);
        return;
    }
    // The engine drops everything after the first ";".
    const qsizetype end = text.indexOf(QLatin1Char(';'));
    const QString statement = end < 0 ? text : text.left(end + 1);
    if (end >= 0)
        setFormat(static_cast<int>(end + 1), static_cast<int>(text.size() - end - 1), comment);

    if (auto m = label.match(statement); m.hasMatch())
        setFormat(0, 3, colour(Qt::darkMagenta, true));
    for (auto it = keyword.globalMatch(statement); it.hasNext();) {
        const auto m = it.next();
        setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()),
                  colour(Qt::darkBlue, true));
    }
    if (auto m = command.match(statement);
        m.hasMatch() && commands_.contains(m.captured(1).toUpper()))
        setFormat(static_cast<int>(m.capturedStart(1)), static_cast<int>(m.capturedLength(1)),
                  colour(Qt::darkBlue));
    for (auto it = quoted.globalMatch(statement); it.hasNext();) {
        const auto m = it.next();
        setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()),
                  colour(Qt::darkRed));
    }
}

} // namespace ombrelune
