#pragma once
// Line-by-line reading of a whole text file held in memory, with errors that name the
// file and the line. Faster than a vector of lines on files of many megabytes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

class TextLineReader {
public:
    // Reads the whole file; raises EInOutError naming it when it cannot be read.
    explicit TextLineReader(const std::filesystem::path& file);

    // The next line without its LF or CR LF end, or nothing at the end of the file.
    std::optional<std::string_view> next();
    // The next line, or an error "... line N: <what is missing>" at the end of the file.
    std::string_view require(const std::string& whatIsMissing);
    // Number (from 1) of the line last returned.
    long lineNumber() const { return line_; }
    // Lines not yet returned (a last line without end counts).
    std::size_t remainingLines() const;

    // Raises EInOutError "<file>, line N: <what>" for the line last returned.
    [[noreturn]] void fail(const std::string& what) const;
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::string data_;
    std::size_t pos_ = 0;
    long line_ = 0;
};

// Blanks are spaces and tabs.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
std::string_view trimBlanks(std::string_view text);

// A whole-number text (optional sign, digits; blanks around allowed) in the given range.
std::optional<long long> parseInteger(std::string_view text, long long lo, long long hi);

} // namespace ombrelune
