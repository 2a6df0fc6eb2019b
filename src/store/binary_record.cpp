#include "store/binary_record.hpp"

#include "store/text_encoding.hpp"

#include <algorithm>

namespace ombrelune {

void putShortText(std::string& record, std::size_t offset, std::size_t width,
                  std::string_view utf8) {
    std::string bytes = toCp1252(utf8);
    if (bytes.size() > width) bytes.resize(width);
    record[offset] = static_cast<char>(bytes.size());
    std::memcpy(record.data() + offset + 1, bytes.data(), bytes.size());
}

std::string getShortText(std::string_view record, std::size_t offset, std::size_t width) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(record[offset]), width);
    return fromCp1252(record.substr(offset + 1, length));
}

} // namespace ombrelune
