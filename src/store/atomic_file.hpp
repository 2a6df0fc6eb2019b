#pragma once
// Saving a file so that a failure or a kill never leaves a damaged file where a good one
// was: the bytes go to a temporary file beside the target, renamed over it on commit().
//
// The target is the real file behind any symbolic links (the link stays a link), keeps
// its permission bits (and its owner where the system allows), and a file with other hard
// links is refused, since renaming over it would silently part it from them. A temporary
// file left by a save that was killed is removed by the next save of the same file.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace ombrelune {

class AtomicFile {
public:
    // With replace false, commit() refuses to overwrite a file that appeared meanwhile.
    // Errors raise EInOutError naming the target as given.
    explicit AtomicFile(std::filesystem::path target, bool replace = true);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Claims room for a file of `bytes` bytes before large writes, so a full disk fails
    // at once and the blocks are not allocated write by write. Where the file system
    // cannot reserve, the writes allocate as they go.
    void reserve(std::uint64_t bytes);
    void write(const void* data, std::size_t size);
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    // Writes the text followed by CR LF.
    void writeLine(std::string_view text);
    // Without commit() the temporary file is removed and the target left as it was.
    void commit();
    const std::filesystem::path& target() const { return target_; }

private:
    [[noreturn]] void fail(int err) const;
    [[noreturn]] void fail(const std::string& what) const;
    void matchExistingFile();

    std::filesystem::path target_;   // as the caller named it
    std::filesystem::path realPath_; // behind the symbolic links
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    int lockFd_ = -1;
    bool replace_;
    bool targetExisted_ = false;
    std::string buffer_;
};

// The file a path names once its symbolic links are followed, also when the last link
// points to a file not yet made. Raises EInOutError on a loop of links.
std::filesystem::path followLinks(const std::filesystem::path& p);

// Suffix of the temporary files: "<name>.tmp-" and six characters.
inline constexpr std::string_view atomicTempMarker = ".tmp-";

} // namespace ombrelune
