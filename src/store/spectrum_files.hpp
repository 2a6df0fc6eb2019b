#pragma once
// The program's own spectrum files and text exports.
//
// Header-and-records file (".spe" all five fields of layer 0, ".raw" values only), the
// spectrum file (header, conditions, axis vectors, values), the tab-separated table and
// the two ASCII exports of the script commands. Readers fill a spectrum the caller made
// and never change its name; they check every size against the file before allocating
// and leave the spectrum unchanged when they raise EInOutError.

#include "store/journal.hpp"
#include "store/spectrum_table.hpp"

#include <filesystem>
#include <string>

namespace ombrelune {

inline constexpr std::size_t speHeaderSize = 152;
inline constexpr std::size_t speDataStart = 8000;
inline constexpr std::size_t rawDataStart = 1600;
inline constexpr std::size_t spectreHeaderSize = 328;
inline constexpr std::size_t spectreConditionsStart = 448;
inline constexpr int spectreMaxConditions = 21;

// Writes s under base + ".spe" (or ".raw" when typeX is "raw"), choosing base1, base2, ...
// when the name is taken: an existing file is never overwritten. Returns the path written.
// A ".spe" file is reported in the journal, after it is complete.
std::filesystem::path writeSpeFile(const spectre& s, const std::string& base, Journal& journal);
void readSpeFile(spectre& s, const std::filesystem::path& file);
// writeSpeFile of every spectrum of the table under its own name, in the current directory.
void saveAllSpe(const spectlist& table, Journal& journal);

// Offset of the x axis for c conditions: 8 * (62 + round(3.7 c)), halves to even.
std::uint64_t spectreDataOffset(int conditionCount);
// Writes (replacing) the spectrum file. Only the first 21 conditions fit in the layout;
// more are reported in the journal with a "!! " line.
void writeSpectreFile(const spectre& s, const std::filesystem::path& file, Journal& journal);
void readSpectreFile(spectre& s, const std::filesystem::path& file);

// Comment, nx, ny, nz, then x TAB y TAB z TAB value per point (indexes on raw axes).
void writeAsciiTable(const spectre& s, const std::filesystem::path& file, char decimalSeparator);
// Header line, nx, ny, nz, then x TAB value per point of a curve.
void writeAscii1D(const spectre& s, const std::filesystem::path& file, const std::string& header,
                  char decimalSeparator);
// Header line, monitor, then one value per point (i, j, 0), i outer.
void writeAscii2D(const spectre& s, const std::filesystem::path& file, const std::string& header,
                  char decimalSeparator);

} // namespace ombrelune
