#pragma once
// Files as the program sees them: existence (openable for reading and writing), whole
// text files read as lines, and writers that replace their target atomically.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

// True when the name is not empty and the file can be opened for reading and writing;
// a read-only file counts as missing.
bool fileExists(const std::filesystem::path& p);
// True when something is at that path, whatever its permissions.
bool pathExists(const std::filesystem::path& p);

// All lines of a text file (LF or CR LF ends; a line that is not valid UTF-8 is read as
// Windows-1252). Raises EInOutError naming the file when it cannot be read.
std::vector<std::string> readTextLines(const std::filesystem::path& p);
// The whole file as bytes; raises EInOutError naming the file. Only regular files are
// read: a directory, FIFO or device is refused at once instead of blocking or never ending.
std::string readWholeFile(const std::filesystem::path& p);
// At most the last maxLines lines of a text file, looking no further back than maxBytes
// from its end (a line cut by that limit is left out), decoded as readTextLines does.
std::vector<std::string> readLastLines(const std::filesystem::path& p, std::size_t maxLines,
                                       std::size_t maxBytes);
// Opens a file for reading without blocking on a FIFO and refuses anything but a regular
// file with EInOutError naming it; returns the descriptor and stores the size.
int openRegularFile(const std::filesystem::path& p, std::uint64_t& size);

// Writes into a temporary file beside the target and renames it over the target on
// commit(), so a failure never leaves a damaged file where a good one was. Without
// commit() the temporary file is removed. Errors raise EInOutError naming the target.
class AtomicFile {
public:
    // With replace false, commit() refuses to overwrite a file that appeared meanwhile.
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
    void commit();
    const std::filesystem::path& target() const { return target_; }

private:
    [[noreturn]] void fail(int err);

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    bool replace_;
    std::string buffer_;
};

} // namespace ombrelune
