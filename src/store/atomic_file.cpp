#include "store/atomic_file.hpp"

#include "errors/errors.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrelune {
namespace {

namespace fs = std::filesystem;

constexpr int maxLinkHops = 40; // as the kernel's own limit

std::string tempPrefix(const fs::path& realPath) {
    return realPath.filename().string() + std::string(atomicTempMarker);
}

// Removes the temporary files of earlier saves of this file whose writer is gone. A writer
// holds an exclusive lock on its temporary file until it renames or removes it, and the
// lock dies with the process, so a file that can be locked is a leftover.
void removeLeftovers(const fs::path& realPath) {
    const std::string prefix = tempPrefix(realPath);
    const fs::path dir = realPath.has_parent_path() ? realPath.parent_path() : fs::path(".");
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

} // namespace

fs::path followLinks(const fs::path& p) {
    fs::path current = p;
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) throw EInOutError(p.string() + ": " + ec.message());
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw EInOutError(p.string() + ": " + std::strerror(ELOOP));
}

AtomicFile::AtomicFile(fs::path target, bool replace)
    : target_(std::move(target)), realPath_(followLinks(target_)), replace_(replace) {
    if (replace_) matchExistingFile();
    removeLeftovers(realPath_);
    std::string pattern = realPath_.string() + std::string(atomicTempMarker) + "XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) fail(errno);
    temp_ = pattern;
    // The lock marks the file as in use (see removeLeftovers); a second descriptor keeps
    // it until the rename, after the stream is closed.
    ::flock(fd, LOCK_EX | LOCK_NB);
    lockFd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        const int err = errno;
        ::close(fd);
        fail(err);
    }
}

// Checks what is at the target now: something that is not a regular file, or a file with
// other hard links, is refused before anything is written.
void AtomicFile::matchExistingFile() {
    struct stat st {};
    if (::stat(realPath_.c_str(), &st) != 0) return;
    if (!S_ISREG(st.st_mode)) fail("not a regular file");
    if (st.st_nlink > 1)
        fail("the file has " + std::to_string(st.st_nlink) +
             " hard links; saving would part it from the others, so it is left as it was "
             "(remove the other links or save under another name)");
    targetExisted_ = true;
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    if (lockFd_ >= 0) ::close(lockFd_);
}

void AtomicFile::fail(int err) const {
    fail(std::strerror(err));
}

void AtomicFile::fail(const std::string& what) const {
    throw EInOutError(target_.string() + ": " + what);
}

void AtomicFile::reserve(std::uint64_t bytes) {
    if (bytes == 0) return;
    if (::fallocate(::fileno(file_), 0, 0, static_cast<off_t>(bytes)) == 0) return;
    if (errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) fail(errno);
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
    const int fd = ::fileno(file_);
    struct stat old {};
    if (targetExisted_ && ::stat(realPath_.c_str(), &old) == 0) {
        // The saved file keeps the permissions and, where allowed, the owner of the old one.
        const bool sameOwner = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        ::fchmod(fd, old.st_mode & (sameOwner ? 07777 : 0777));
    } else {
        // A new file gets the usual permissions of the user, not the private ones of mkstemp.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (std::fflush(file_) != 0 || ::fsync(fd) != 0) fail(errno);
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) fail(errno);
    if (replace_) {
        if (::rename(temp_.c_str(), realPath_.c_str()) != 0) fail(errno);
    } else {
        // link() refuses an existing target, so a file that appeared meanwhile survives.
        if (::link(temp_.c_str(), realPath_.c_str()) != 0) fail(errno);
        ::unlink(temp_.c_str());
    }
    temp_.clear();
}

} // namespace ombrelune
