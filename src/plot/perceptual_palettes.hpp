#pragma once
// The published 256-entry tables of the "viridis" and "magma" colour maps (Stéfan van der
// Walt and Nathaniel Smith, released to the public domain under CC0), each channel rounded
// to eight bits: 0xRRGGBB from the lowest level to the highest.

#include <array>
#include <cstdint>

namespace ombrelune {

extern const std::array<std::uint32_t, 256> viridisRgb;
extern const std::array<std::uint32_t, 256> magmaRgb;

} // namespace ombrelune
