#include "store/binary_file.hpp"

#include "store/errors.hpp"

#include <cerrno>
#include <cstring>

namespace ombrelune {

BinaryFileReader::BinaryFileReader(const std::filesystem::path& p) : path_(p) {
    file_ = std::fopen(p.c_str(), "rb");
    if (!file_) throw EInOutError(p.string() + ": " + std::strerror(errno));
    if (fseeko(file_, 0, SEEK_END) != 0) {
        const int err = errno;
        std::fclose(file_);
        throw EInOutError(p.string() + ": " + std::strerror(err));
    }
    size_ = static_cast<std::uint64_t>(ftello(file_));
}

BinaryFileReader::~BinaryFileReader() { std::fclose(file_); }

void BinaryFileReader::malformed(const std::string& what) const {
    throw EInOutError(path_.string() + ": " + what);
}

void BinaryFileReader::requireRange(std::uint64_t offset, std::uint64_t n,
                                    const char* what) const {
    if (offset > size_ || n > size_ - offset)
        malformed(std::string("file is too short for its ") + what + " (" +
                  std::to_string(size_) + " bytes, " + std::to_string(offset) + " + " +
                  std::to_string(n) + " needed)");
}

void BinaryFileReader::readAt(std::uint64_t offset, void* out, std::size_t n) {
    requireRange(offset, n, "data");
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0 ||
        std::fread(out, 1, n, file_) != n)
        throw EInOutError(path_.string() + ": read error: " + std::strerror(errno));
}

std::string BinaryFileReader::readAt(std::uint64_t offset, std::size_t n) {
    std::string bytes(n, '\0');
    readAt(offset, bytes.data(), n);
    return bytes;
}

} // namespace ombrelune
