#pragma once
// The colour tables of the 2D view: 256 opaque ARGB words (0xAARRGGBB, the layout of an
// indexed picture's colour table), one per level. The palettes of the view's list are
// built by a rule of hue, saturation and lightness; "viridis" and "magma" follow,
// perceptually uniform and still readable in grey and by colour-blind readers. With no
// palette chosen every level is transparent black.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ombrelune {

using ColourTable = std::array<std::uint32_t, 256>;

// The items of the palette list, in order; an index outside them chooses the empty table.
inline constexpr std::array<std::string_view, 6> paletteItems{"Gris", "Vert ", "Rouge",
                                                              "Rainbow", "viridis", "magma"};
inline constexpr int paletteRouge = 2;

// The table of palette item `index` (the zero table for any other index).
ColourTable colourTable(int index);

// The item a name stands for, in any case and with blanks around it ignored ("vert",
// " MAGMA "), or nothing.
std::optional<int> paletteNamed(std::string_view name);

// The opaque colour of hue h (taken modulo 1), saturation s and lightness l by the
// standard HSL-to-RGB conversion, each channel rounded to 0..255.
std::uint32_t hslColour(double h, double s, double l);

// The channels of a table word.
inline std::uint8_t redOf(std::uint32_t argb) { return (argb >> 16) & 0xFF; }
inline std::uint8_t greenOf(std::uint32_t argb) { return (argb >> 8) & 0xFF; }
inline std::uint8_t blueOf(std::uint32_t argb) { return argb & 0xFF; }
inline std::uint8_t alphaOf(std::uint32_t argb) { return argb >> 24; }

} // namespace ombrelune
