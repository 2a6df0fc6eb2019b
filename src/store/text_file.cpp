#include "store/text_file.hpp"

#include "store/errors.hpp"
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

std::string readWholeFile(const std::filesystem::path& p) {
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) throw EInOutError(p.string() + ": " + std::strerror(errno));
    std::string data;
    if (fseeko(f, 0, SEEK_END) == 0) {
        const off_t size = ftello(f);
        if (size > 0) data.reserve(static_cast<std::size_t>(size));
        std::rewind(f);
    }
    char chunk[1 << 16];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.append(chunk, got);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) throw EInOutError(p.string() + ": " + std::strerror(err));
    return data;
}

std::vector<std::string> readTextLines(const std::filesystem::path& p) {
    const std::string data = readWholeFile(p);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = data.size();
        std::string_view line(data.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(decodeTextLine(line));
        start = end + 1;
    }
    return lines;
}

AtomicFile::AtomicFile(std::filesystem::path target, bool replace)
    : target_(std::move(target)), replace_(replace) {
    std::string pattern = target_.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) fail(errno);
    temp_ = pattern;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        const int err = errno;
        ::close(fd);
        fail(err);
    }
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFile::fail(int err) {
    throw EInOutError(target_.string() + ": " + std::strerror(err));
}

void AtomicFile::write(const void* data, std::size_t size) {
    if (std::fwrite(data, 1, size, file_) != size) fail(errno);
}

void AtomicFile::writeLine(std::string_view text) {
    buffer_.assign(text);
    buffer_ += "\r\n";
    write(buffer_);
}

void AtomicFile::commit() {
    // A new file gets the usual permissions of the user, not the private ones of mkstemp.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(::fileno(file_), 0666 & ~mask);
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) fail(errno);
    if (replace_) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) fail(errno);
    } else {
        // link() refuses an existing target, so a file that appeared meanwhile survives.
        if (::link(temp_.c_str(), target_.c_str()) != 0) fail(errno);
        ::unlink(temp_.c_str());
    }
    temp_.clear();
}

} // namespace ombrelune
