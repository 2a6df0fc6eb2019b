#include "store/text_encoding.hpp"

#include <array>
#include <cstdint>

namespace ombrelune {
namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F; 0 marks the unassigned ones.
constexpr std::array<char32_t, 32> cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at text[pos]; returns its length, or 0 when it is malformed.
std::size_t decodeOne(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto c = static_cast<unsigned char>(text[pos]);
    std::size_t len;
    char32_t min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto d = static_cast<unsigned char>(text[pos + k]);
        if (!isContinuation(d)) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the character at pos, taking a malformed byte as one character.
std::size_t stepAt(std::string_view text, std::size_t pos) {
    char32_t cp;
    const std::size_t len = decodeOne(text, pos, cp);
    return len == 0 ? 1 : len;
}

} // namespace

std::string utf8Prefix(std::string_view text, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t count = 0; count < n && pos < text.size(); ++count) pos += stepAt(text, pos);
    return std::string(text.substr(0, pos));
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += stepAt(text, pos)) ++count;
    return count;
}

bool isValidUtf8(std::string_view text) {
    char32_t cp;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = decodeOne(text, pos, cp);
        if (len == 0) return false;
        pos += len;
    }
    return true;
}

std::string toCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp;
        std::size_t len = decodeOne(utf8, pos, cp);
        if (len == 0) {
            out += '?';
            pos += 1;
            continue;
        }
        pos += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < cp1252High.size(); ++k)
            if (cp1252High[k] != 0 && cp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

std::string fromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80 || c >= 0xA0) {
            appendUtf8(out, c);
        } else {
            const char32_t cp = cp1252High[c - 0x80];
            appendUtf8(out, cp == 0 ? char32_t{0xFFFD} : cp);
        }
    }
    return out;
}

std::string decodeTextLine(std::string_view raw) {
    return isValidUtf8(raw) ? std::string(raw) : fromCp1252(raw);
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        char x = a[k], y = b[k];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

} // namespace ombrelune
