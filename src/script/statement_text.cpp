#include "script/statement_text.hpp"

namespace ombrelune {

int labelIndex(std::string_view s) {
    if (s.size() < 2 || (s[0] != 'L' && s[0] != 'l')) return -1;
    const char c = s[1];
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    return -1;
}

bool isIdentifier(std::string_view name) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !letter(name[0])) return false;
    for (char c : name.substr(1))
        if (!letter(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

std::string between(std::string_view s, std::size_t from, std::size_t to) {
    if (from >= s.size() || to <= from) return {};
    return std::string(s.substr(from, to - from));
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace ombrelune
