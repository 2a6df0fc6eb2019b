#pragma once
// The two instrument image formats: KESTRA (the in-house small-angle instrument, 128 x 128,
// binary with a 256-byte text header) and HADAS (256 x 256, one number per line).

#include "store/journal.hpp"
#include "store/spectrum_table.hpp"

#include <filesystem>
#include <string>

namespace ombrelune {

inline constexpr int kestraSide = 128;
inline constexpr std::size_t kestraHeaderSize = 256;
inline constexpr std::size_t kestraFileSize = kestraHeaderSize + 2 * kestraSide * kestraSide;
inline constexpr int hadasSide = 256;

struct KestraHeader {
    std::string title, name, countingTime, date, hour;
};

// prefix + "XY" + the number as 4 digits (its last 4) + ".dat".
std::filesystem::path kestraFileName(const std::string& prefix, long number);

// Writes a 128 x 128 image; values are truncated and kept within 0 .. 65535 (NaN as 0) and
// the monitor within 0 .. 99999999, with one "!! " journal line when anything was clamped.
// Returns the file written.
std::filesystem::path writeKestraFile(const spectre& s, const std::string& prefix,
                                      const KestraHeader& header, long number, Journal& journal);
// Reads a KESTRA file (exactly 33 024 bytes) into s, which becomes 128 x 128 x 1 with raw
// axes. Nothing happens when the file does not exist. The spectrum changes only after the
// whole file was read.
KestraHeader readKestraFile(spectre& s, const std::filesystem::path& file);

// Reads a HADAS image into the table under the file's name (extension included), replacing
// any spectrum of that name only after the whole file was read. Numbers use the given
// decimal separator. Counts that are infinite or NaN are read as they are, with one "!! "
// journal line giving how many and the first. Returns the slot, or -1 when the table is full.
int readHadasFile(spectlist& images, const std::filesystem::path& file, char decimalSeparator,
                  Journal& journal);

} // namespace ombrelune
