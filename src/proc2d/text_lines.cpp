#include "proc2d/text_lines.hpp"

#include "errors/errors.hpp"
#include "store/text_file.hpp"

#include <algorithm>
#include <charconv>

namespace ombrelune {

TextLineReader::TextLineReader(const std::filesystem::path& file)
    : file_(file), data_(readWholeFile(file)) {}

std::optional<std::string_view> TextLineReader::next() {
    if (pos_ >= data_.size()) return std::nullopt;
    std::size_t end = data_.find('\n', pos_);
    if (end == std::string::npos) end = data_.size();
    std::string_view line(data_.data() + pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++line_;
    return line;
}

std::string_view TextLineReader::require(const std::string& whatIsMissing) {
    if (auto line = next()) return *line;
    ++line_;
    fail("end of file, " + whatIsMissing + " expected");
}

std::size_t TextLineReader::remainingLines() const {
    if (pos_ >= data_.size()) return 0;
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(pos_);
    const auto ends = static_cast<std::size_t>(std::count(begin, data_.end(), '\n'));
    return data_.back() == '\n' ? ends : ends + 1;
}

void TextLineReader::fail(const std::string& what) const {
    throw EInOutError(file_.string() + ", line " + std::to_string(line_) + ": " + what);
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<long long> parseInteger(std::string_view text, long long lo, long long hi) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || v < lo || v > hi)
        return std::nullopt;
    return v;
}

} // namespace ombrelune
