#pragma once
// Text crosses between the core (UTF-8 std::string) and the widgets (QString) only here.

#include <QString>

#include <filesystem>
#include <string>

namespace ombrelune {

inline QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}
inline QString qs(const std::filesystem::path& p) {
    return qs(p.string());
}
inline std::filesystem::path fsPath(const QString& text) {
    return std::filesystem::path(utf8(text));
}

// A message whose lines are parted by CR (the evaluator's) or CR LF, with "\n" between
// its lines, as a message box shows them.
inline QString messageLines(QString message) {
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return message;
}

} // namespace ombrelune
