#pragma once
// Whether a spectrum holds what a file holds. The file functions note the content of each
// spectrum they write or read, so that quitting can say which spectra would be lost. The
// name is not part of the content: a spectrum read from a file and renamed is still on
// disk, and a copy of a saved spectrum is as safe as the original.

#include "store/spectre.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace ombrelune {

class Workbench;

// A 64-bit digest of the sizes, axis types, comment, monitor, conditions and every point.
std::uint64_t contentFingerprint(const spectre& s);
// Notes that the spectrum's present content is in a file.
void markSaved(const spectre& s);
// True when the spectrum changed since it was last written or read, or never was.
bool changedSinceSaved(const spectre& s);
// The names of the spectra of the three tables (images, curves, stacks, slot order) that
// changed since they were last saved.
std::vector<std::string> changedSpectra(const Workbench& wb);

} // namespace ombrelune
