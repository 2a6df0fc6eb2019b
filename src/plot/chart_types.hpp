#pragma once
// Small value types of the chart settings: colours, fonts, pen style codes.

#include <cstdint>
#include <string>

namespace ombrelune {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A font as the chart's settings keep it: family and height in chart pixels.
struct FontSpec {
    std::string family = "Arial";
    int pixelHeight = 11;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Pen style codes of series lines and the grid.
enum LineStyleCode : int {
    lsSolid = 0,
    lsDash = 1,
    lsDot = 2,
    lsDashDot = 3,
    lsDashDotDot = 4,
};

// The colour of a control's face, the default of the chart's background and margins.
inline constexpr Rgb controlFaceColour{240, 240, 240};

} // namespace ombrelune
