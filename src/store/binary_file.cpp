#include "store/binary_file.hpp"

#include "errors/errors.hpp"
#include "store/text_file.hpp"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace ombrelune {

BinaryFileReader::BinaryFileReader(const std::filesystem::path& p)
    : path_(p), fd_(openRegularFile(p, size_)) {}

BinaryFileReader::~BinaryFileReader() { ::close(fd_); }

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
    auto* bytes = static_cast<char*>(out);
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, bytes + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) malformed(std::string("read error at byte ") + std::to_string(offset + got) +
                             ": " + std::strerror(errno));
        // The file shrank since it was opened.
        if (r == 0) malformed("file ends at byte " + std::to_string(offset + got) + ", " +
                              std::to_string(offset + n) + " expected");
        got += static_cast<std::size_t>(r);
    }
}

std::string BinaryFileReader::readAt(std::uint64_t offset, std::size_t n) {
    std::string bytes(n, '\0');
    readAt(offset, bytes.data(), n);
    return bytes;
}

} // namespace ombrelune
