#include "plot/colour_tables.hpp"

#include "plot/perceptual_palettes.hpp"

#include <cmath>

namespace ombrelune {
namespace {

double hueChannel(double p, double q, double t) {
    t -= std::floor(t);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

std::uint32_t channelByte(double c) {
    const double v = std::nearbyint(255 * c);
    return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Hue, saturation and lightness of palette entry e, with a = e / 255 in single precision.
struct Hsl {
    double h, s, l;
};
using HslRule = Hsl (*)(double a);
constexpr std::array<HslRule, 4> hslRules{
    [](double a) { return Hsl{0, 0, 0.1 + 0.9 * a}; },                   // Gris
    [](double a) { return Hsl{0.4 * a, 0.5, 0.2 + 0.4 * a}; },           // Vert
    [](double a) { return Hsl{0.8 + 0.3 * a, 0.7 + 0.3 * a, 0.1 + 0.85 * a}; }, // Rouge
    [](double a) { return Hsl{1.2 * a, 0.6, 0.2 + 0.8 * a}; },           // Rainbow
};

ColourTable opaque(const std::array<std::uint32_t, 256>& rgb) {
    ColourTable table{};
    for (std::size_t e = 0; e < table.size(); ++e) table[e] = 0xFF000000u | rgb[e];
    return table;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (lower(a[k]) != lower(b[k])) return false;
    return true;
}

} // namespace

std::uint32_t hslColour(double h, double s, double l) {
    double r = l, g = l, b = l;
    if (s != 0) {
        const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
        const double p = 2 * l - q;
        r = hueChannel(p, q, h + 1.0 / 3);
        g = hueChannel(p, q, h);
        b = hueChannel(p, q, h - 1.0 / 3);
    }
    return 0xFF000000u | channelByte(r) << 16 | channelByte(g) << 8 | channelByte(b);
}

ColourTable colourTable(int index) {
    if (index == 4) return opaque(viridisRgb);
    if (index == 5) return opaque(magmaRgb);
    ColourTable table{};
    if (index < 0 || index >= static_cast<int>(hslRules.size())) return table;
    const HslRule rule = hslRules[static_cast<std::size_t>(index)];
    for (std::size_t e = 0; e < table.size(); ++e) {
        const float a = static_cast<float>(e) / 255.0f;
        const Hsl c = rule(a);
        table[e] = hslColour(c.h, c.s, c.l);
    }
    return table;
}

std::optional<int> paletteNamed(std::string_view name) {
    const std::string_view wanted = trimmed(name);
    for (std::size_t k = 0; k < paletteItems.size(); ++k)
        if (sameIgnoringCase(trimmed(paletteItems[k]), wanted)) return static_cast<int>(k);
    return std::nullopt;
}

} // namespace ombrelune
