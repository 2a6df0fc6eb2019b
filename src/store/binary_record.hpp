#pragma once
// Little-endian fields at fixed offsets of a byte record, and the length-prefixed
// Windows-1252 short texts of the binary files.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ombrelune {

static_assert(std::endian::native == std::endian::little,
              "the file formats are little-endian and are copied as they lie in memory");

template <typename T> void putAt(std::string& record, std::size_t offset, T value) {
    std::memcpy(record.data() + offset, &value, sizeof value);
}

template <typename T> T getAt(std::string_view record, std::size_t offset) {
    T value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

// One length byte then `width` bytes; the text is converted to Windows-1252 and cut to
// `width` characters.
void putShortText(std::string& record, std::size_t offset, std::size_t width,
                  std::string_view utf8);
// Reads a short text back as UTF-8; a length byte beyond the width is taken as the width.
std::string getShortText(std::string_view record, std::size_t offset, std::size_t width);

} // namespace ombrelune
