#pragma once
// Rules of the 2D view that need no window: the colour range after autoscale and after
// switching the logarithmic scale, the zoom from its text box, its slider and "Stretch",
// the aspect ratio, which table a spectrum file goes to, and the texts of the mask page.

#include "plot/image_levels.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

// The range of layer 0 (nothing for a spectrum without points); on a logarithmic scale a
// zmin <= 0 becomes (zmax - zmin) / 100, so the scale still shows two decades.
std::optional<LevelScale> autoscaled(const spectre& s, bool logarithmic);
// Switching the scale: unless both bounds are positive, zmin becomes zmax / 100 first.
LevelScale withScaleType(LevelScale scale, bool logarithmic);

// The zoom box: its text without "%" and blanks is read as a whole number n of percent;
// 1 .. 2000 sets the zoom to n / 100, anything else keeps the zoom. `text` is what the box
// shows afterwards: the percentage of the zoom and "%". Nothing for an empty text.
struct ZoomChoice {
    double zoom = 1;
    std::string text;
};
std::optional<ZoomChoice> zoomFromText(std::string_view text, double currentZoom);
inline constexpr std::array<std::string_view, 9> zoomItems{
    "    25%", "    50%", "    75%", "  100%", "  200%", "  300%", "  400%", "  800%", "1600%"};
// The zoom slider (-100 .. 100): 10^(position / 100).
double zoomFromSlider(int position);
// "Stretch": the largest zoom that shows the whole picture in the visible area.
std::optional<double> stretchZoom(double visibleWidth, double visibleHeight, int nx, int ny);

// The aspect ratio box: the picture is drawn r times as wide as tall per point. Nothing
// for a ratio that is not a positive finite number.
std::optional<double> aspectRatioFromText(std::string_view text, char decimalSeparator);

// The table "Open" reads a spectrum file into, from the first character of its extension.
enum class SpectrumFileTable { none, images, stacks };
struct SpectrumFileTarget {
    std::string name; // between the last "/" and the last "."
    SpectrumFileTable table = SpectrumFileTable::none;
};
SpectrumFileTarget spectrumFileTarget(std::string_view path);
// The file name without its folder, extension included ("Lecture LAMP D17", "Lecture TPA"),
// and without the extension ("Read from KESTRA").
std::string fileNameOf(std::string_view path);
std::string baseNameOf(std::string_view path);

// The mask page: the mask types and what the cursors mean for each.
inline constexpr std::array<std::string_view, 4> maskTypeItems{
    "rectangulaire int.", "rectangulaire ext.", "circulaire int.", "circulaire ext."};
std::string_view maskExplanation(int item);

} // namespace ombrelune
