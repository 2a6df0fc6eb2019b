#pragma once
// Helpers shared by the fuzz targets.

#include "errors/errors.hpp"
#include "store/spectrum_table.hpp"

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

// Reads the input with `read` into a 2 x 2 spectrum: a read must leave a consistent
// spectrum, and a refused one (EInOutError) the spectrum as it was.
template <typename Read>
int checkSpectrumRead(const std::uint8_t* data, std::size_t size, Read read) {
    const auto file = inputAsFile(data, size);
    spectre s;
    s.resize(2, 2, 1);
    try {
        read(s, file);
        if (s.pointCount() != std::size_t(s.nx) * std::size_t(s.ny) * std::size_t(s.nz))
            __builtin_trap();
    } catch (const EInOutError&) {
        if (s.nx != 2 || s.pointCount() != 4) __builtin_trap();
    }
    return 0;
}

// A reader that replaces a spectrum of a table: `name` starts as an nx x ny x nz spectrum,
// `read` fills the table, and `accepted` checks the spectrum after a complete read. A read
// refused with an error of class Refusal must leave the spectrum as it was; any other
// exception ends the run as a finding.
template <typename Refusal = OmbreluneError, typename Read, typename Accepted>
void checkTableRead(const std::string& name, int nx, int ny, int nz, Read read, Accepted accepted) {
    spectlist table;
    table.create(name, nx, ny, nz);
    try {
        read(table);
        const spectre& s = *table.find(name);
        if (s.pointCount() != std::size_t(s.nx) * std::size_t(s.ny) * std::size_t(s.nz) ||
            !accepted(s))
            __builtin_trap();
    } catch (const Refusal&) {
        const spectre& s = *table.find(name);
        if (s.nx != nx || s.ny != ny || s.nz != nz) __builtin_trap();
    }
}

} // namespace ombrelune::fuzz
