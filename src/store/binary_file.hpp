#pragma once
// Reading a binary file by offsets, with every failure an EInOutError naming the file.
// Only a regular file is opened: a FIFO, device or directory is refused at once.

#include <cstdint>
#include <filesystem>
#include <string>

namespace ombrelune {

class BinaryFileReader {
public:
    explicit BinaryFileReader(const std::filesystem::path& p);
    ~BinaryFileReader();
    BinaryFileReader(const BinaryFileReader&) = delete;
    BinaryFileReader& operator=(const BinaryFileReader&) = delete;

    std::uint64_t size() const { return size_; }
    // Reads exactly n bytes at offset into out; raises when the file is shorter.
    void readAt(std::uint64_t offset, void* out, std::size_t n);
    std::string readAt(std::uint64_t offset, std::size_t n);
    // Raises "<file>: <what>" as a malformed-file error.
    [[noreturn]] void malformed(const std::string& what) const;
    // Raises unless [offset, offset + n) lies inside the file.
    void requireRange(std::uint64_t offset, std::uint64_t n, const char* what) const;

private:
    std::filesystem::path path_;
    std::uint64_t size_ = 0;
    int fd_;
};

} // namespace ombrelune
