#pragma once
// Helpers shared by the fuzz targets.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace ombrelune::fuzz {

// Writes the input to one scratch file per process and returns its path.
inline std::filesystem::path inputAsFile(const std::uint8_t* data, std::size_t size,
                                         const char* suffix = "") {
    static const std::filesystem::path p = [suffix] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ombrelune-fuzz-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        ::close(fd);
        ::unlink(pattern.c_str());
        return std::filesystem::path(pattern + suffix);
    }();
    if (std::FILE* f = std::fopen(p.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return p;
}

} // namespace ombrelune::fuzz
