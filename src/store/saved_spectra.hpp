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

// Notes that the spectrum's present content (sizes, axis types, comment, monitor,
// conditions and every point) is in a file. Costs no pass over the points.
void markSaved(const spectre& s);
// True when the spectrum's content differs from what it held when last written or read,
// or it never was.
bool changedSinceSaved(const spectre& s);
// The names of the spectra of the three tables (images, curves, stacks, slot order) that
// changed since they were last saved.
std::vector<std::string> changedSpectra(const Workbench& wb);

} // namespace ombrelune
