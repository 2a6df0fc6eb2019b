#pragma once
// Small text tests shared by the script engine and the argument slots.

#include <string>
#include <string_view>

namespace ombrelune {

// "L" followed by a letter A-Z, in either case; the letter index 0..25, or -1.
int labelIndex(std::string_view twoChars);
// A letter or "_", then letters, digits and "_".
bool isIdentifier(std::string_view name);
// The character at a 0-based position, or '\0' past the end.
inline char charAt(std::string_view s, std::size_t pos) { return pos < s.size() ? s[pos] : '\0'; }
// Text from `from` up to (not including) `to`; empty when `to` is before `from`.
std::string between(std::string_view s, std::size_t from, std::size_t to);
// The text as one journal line: the carriage returns and line feeds inside evaluator
// messages become blanks.
std::string oneLine(std::string text);

} // namespace ombrelune
