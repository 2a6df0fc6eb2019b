#include "plot/graph2d_rules.hpp"

#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <charconv>
#include <cmath>

namespace ombrelune {

std::optional<LevelScale> autoscaled(const spectre& s, bool logarithmic) {
    const auto range = valueRange(s);
    if (!range) return std::nullopt;
    LevelScale scale{range->first, range->second, logarithmic};
    if (logarithmic && scale.zmin <= 0) scale.zmin = (scale.zmax - scale.zmin) / 100;
    return scale;
}

LevelScale withScaleType(LevelScale scale, bool logarithmic) {
    if (!(scale.zmin > 0 && scale.zmax > 0)) scale.zmin = scale.zmax / 100;
    scale.logarithmic = logarithmic;
    return scale;
}

std::optional<ZoomChoice> zoomFromText(std::string_view text, double currentZoom) {
    std::string digits;
    for (char c : text)
        if (c != '%' && c != ' ') digits += c;
    if (digits.empty()) return std::nullopt;
    long n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    const bool whole = ec == std::errc() && end == digits.data() + digits.size();
    ZoomChoice choice{currentZoom, ""};
    if (whole && n >= 1 && n <= 2000)
        choice.zoom = n / 100.0;
    else
        n = std::lround(currentZoom * 100);
    choice.text = std::to_string(n) + "%";
    return choice;
}

double zoomFromSlider(int position) { return std::pow(10.0, position / 100.0); }

std::optional<double> stretchZoom(double visibleWidth, double visibleHeight, int nx, int ny) {
    if (nx <= 0 || ny <= 0 || !(visibleWidth > 0) || !(visibleHeight > 0)) return std::nullopt;
    return std::min(visibleWidth / nx, visibleHeight / ny);
}

std::optional<double> aspectRatioFromText(std::string_view text, char decimalSeparator) {
    const auto r = parseNumber(text, decimalSeparator);
    if (!r || !std::isfinite(*r) || *r <= 0) return std::nullopt;
    return *r;
}

std::string fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string baseNameOf(std::string_view path) {
    const std::string file = fileNameOf(path);
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

SpectrumFileTarget spectrumFileTarget(std::string_view path) {
    const std::string file = fileNameOf(path);
    const std::size_t dot = file.rfind('.');
    SpectrumFileTarget target{baseNameOf(path), SpectrumFileTable::none};
    if (dot == std::string::npos || dot + 1 >= file.size()) return target;
    const char kind = file[dot + 1];
    if (kind == '2') target.table = SpectrumFileTable::images;
    if (kind == '3') target.table = SpectrumFileTable::stacks;
    return target;
}

std::string_view maskExplanation(int item) {
    switch (item) {
    case 0:
        return "Les curseurs représentent les coins du rectangle, les points intérieurs sont "
               "masqués";
    case 1:
        return "Les curseurs représentent les coins du rectangle, les points extérieurs sont "
               "masqués";
    case 2:
    case 3:
        return "Le curseur rouge représente le centre du cercle, le curseur bleu un point du "
               "cercle";
    default:
        return "";
    }
}

} // namespace ombrelune
