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

} // namespace ombrelune
