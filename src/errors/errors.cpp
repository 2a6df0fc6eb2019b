#include "errors/errors.hpp"

namespace ombrelune {
namespace {

// Length of the UTF-8 sequence starting at text[at] when it is valid and printable, else 0.
std::size_t printableSequence(std::string_view text, std::size_t at) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b >= 0x20 && b < 0x7F) return 1;
    std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (n == 0 || at + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    return n;
}

} // namespace

std::string excerpt(std::string_view text, std::size_t maxChars) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "'";
    std::size_t at = 0;
    for (std::size_t chars = 0; at < text.size() && chars < maxChars; ++chars) {
        if (const std::size_t n = printableSequence(text, at)) {
            out.append(text.substr(at, n));
            at += n;
        } else {
            const auto b = static_cast<unsigned char>(text[at++]);
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    out += '\'';
    if (at < text.size()) out += "...";
    return out;
}

EOutOfMemory::EOutOfMemory(const std::string& what, std::size_t bytes)
    : OmbreluneError("mémoire insuffisante pour " + what +
                     (bytes > 0 ? " (" + std::to_string(bytes) + " octets)" : std::string())) {}

EConvertError::EConvertError(std::string_view text)
    : OmbreluneError(excerpt(text) + " is not a valid floating point value") {}

} // namespace ombrelune
