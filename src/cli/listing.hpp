#pragma once

#include "store/workbench.hpp"

#include <string>

namespace ombrelune {

// One line per spectrum, tables 1D, 2D, 3D in slot order: table, slot, name, nx, ny, nz,
// monitor, comment, separated by tabs.
std::string spectrumListing(const Workbench& wb);

} // namespace ombrelune
