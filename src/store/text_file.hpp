#pragma once
// Files as the program sees them: existence (openable for reading and writing), whole
// text files read as lines, the tail of a text file; only regular files are read.

#include <cstdint>
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
// Raises EInOutError "<path>: not a regular file" when something other than a regular file
// (a directory, FIFO, device or socket) is at that path; a missing path passes.
void refuseIfNotRegular(const std::filesystem::path& p);

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

} // namespace ombrelune
