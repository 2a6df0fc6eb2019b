#pragma once
// The 2D view's readers of instrument and exchange files. Each reads the whole file into
// a temporary and stores its result only after a complete, valid read: a malformed file
// raises EInOutError naming the file and the line (or the size it lacks) and leaves the
// tables as they were.

#include "store/spectrum_table.hpp"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ombrelune {

// LAMP D17 text file: header lines up to the first one starting with the integer 143500,
// then 14 350 lines of 10 integers. Values 0 .. 142 999 fill columns 0 .. 285 of a
// 287 × 500 "raw" image: value v goes to point (v mod 286, v div 286).
inline constexpr int lampD17Width = 287;
inline constexpr int lampD17Height = 500;
void readLampD17File(spectlist& images, const std::filesystem::path& file, const std::string& name);

// TPA frame: 2301 rows of 2300 little-endian 16-bit counts (row 0 unused). Point (i, j) of
// a 575 × 575 "raw" image holds the sum of the 4 × 4 block of rows 4i + 1 .. 4i + 4 and
// columns 4j .. 4j + 3, so no count is lost.
inline constexpr int tpaSide = 575;
inline constexpr std::uint64_t tpaFrameBytes = 2301ull * 2300 * 2;
void readTpaFile(spectlist& images, const std::filesystem::path& file, const std::string& name);

// Four-column table (the layout writeAsciiTable writes): comment, nx, ny, nz, then one line
// x, y, z, value per sample (i outermost, k innermost), separated by tabs or commas, with
// "." as the decimal point. Fills the stack "data3D". Fields after the fourth must be
// empty: a fifth number most likely comes from a decimal comma and would shift the values.
void readFourColumnFile(spectlist& stacks, const std::filesystem::path& file);

// Two-image table: 16 383 lines "<label> TAB <value 1> TAB <value 2>" with the user's
// decimal separator; line n gives the value of point (n mod 128, n div 128) of the images
// in slots 1 and 2, and point (127, 127) becomes 0. Raises ERefused when slot 1 or 2 holds
// no image of at least 128 × 128.
inline constexpr int twoImageSide = 128;
void readTwoImageText(spectlist& images, const std::filesystem::path& file, char decimalSeparator);

} // namespace ombrelune
