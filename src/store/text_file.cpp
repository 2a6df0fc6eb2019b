#include "store/text_file.hpp"

#include "errors/errors.hpp"
#include "store/text_encoding.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrelune {

bool fileExists(const std::filesystem::path& p) {
    if (p.empty()) return false;
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) return false;
    return ::access(p.c_str(), R_OK | W_OK) == 0;
}

bool pathExists(const std::filesystem::path& p) {
    std::error_code ec;
    return !p.empty() && std::filesystem::exists(std::filesystem::symlink_status(p, ec));
}

void refuseIfNotRegular(const std::filesystem::path& p) {
    struct stat st {};
    if (!p.empty() && ::stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw EInOutError(p.string() + ": not a regular file");
}

int openRegularFile(const std::filesystem::path& p, std::uint64_t& size) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw EInOutError(p.string() + ": " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        throw EInOutError(p.string() + ": " + std::strerror(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EInOutError(p.string() + ": not a regular file");
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

namespace {

// Reads `count` bytes at `offset` into `out`; fewer when the file shrank meanwhile.
void readAt(int fd, const std::filesystem::path& p, std::uint64_t offset, std::size_t count,
            std::string& out) {
    out.resize(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, out.data() + got, count - got,
                                  static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            throw EInOutError(p.string() + ": " + std::strerror(err));
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
}

std::vector<std::string> splitLines(std::string_view data) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(decodeTextLine(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string readWholeFile(const std::filesystem::path& p) {
    std::uint64_t size = 0;
    const int fd = openRegularFile(p, size);
    if (size > std::uint64_t(std::string().max_size())) {
        ::close(fd);
        throw EInOutError(p.string() + ": file too large to read");
    }
    std::string data;
    try {
        allocating(p.string(), size, [&] { data.reserve(static_cast<std::size_t>(size)); });
    } catch (...) {
        ::close(fd);
        throw;
    }
    readAt(fd, p, 0, static_cast<std::size_t>(size), data);
    ::close(fd);
    return data;
}

std::vector<std::string> readTextLines(const std::filesystem::path& p) {
    return splitLines(readWholeFile(p));
}

std::vector<std::string> readLastLines(const std::filesystem::path& p, std::size_t maxLines,
                                       std::size_t maxBytes) {
    std::uint64_t size = 0;
    const int fd = openRegularFile(p, size);
    const std::uint64_t from = size > maxBytes ? size - maxBytes : 0;
    std::string data;
    readAt(fd, p, from, static_cast<std::size_t>(size - from), data);
    ::close(fd);
    std::string_view text = data;
    if (from > 0) {
        const std::size_t firstEnd = text.find('\n');
        text = firstEnd == std::string_view::npos ? std::string_view{} : text.substr(firstEnd + 1);
    }
    std::vector<std::string> lines = splitLines(text);
    if (lines.size() > maxLines)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(maxLines));
    return lines;
}

} // namespace ombrelune
