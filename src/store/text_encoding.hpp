#pragma once
// Text helpers: UTF-8 in memory, Windows-1252 in the fixed-width fields of binary files,
// and name comparison that folds only the ASCII letters.

#include <cstddef>
#include <string>
#include <string_view>

namespace ombrelune {

// The first n characters (code points) of a UTF-8 text.
std::string utf8Prefix(std::string_view text, std::size_t n);
// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);
bool isValidUtf8(std::string_view text);

// UTF-8 to Windows-1252 bytes; a character without a Windows-1252 form becomes "?".
std::string toCp1252(std::string_view utf8);
// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string fromCp1252(std::string_view bytes);
// A line read from a text file: kept when it is valid UTF-8, else taken as Windows-1252.
std::string decodeTextLine(std::string_view raw);

// Upper-cases 'a'..'z' only.
std::string asciiUpper(std::string_view text);
// Equal up to the case of 'a'..'z'; other characters and the lengths must match exactly.
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

} // namespace ombrelune
