#include "plot/image_levels.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace ombrelune {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr std::uint64_t signBit = std::uint64_t{1} << 63;

// Doubles in their order as unsigned integers (-0 just below +0), so that a search can
// step through every double between two others.
std::uint64_t orderedKey(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return (bits & signBit) ? ~bits : bits | signBit;
}
double fromOrderedKey(std::uint64_t key) {
    return std::bit_cast<double>((key & signBit) ? key & ~signBit : ~key);
}

double levelFraction(double v, const LevelScale& s) {
    if (!s.logarithmic) {
        const double d = s.zmax - s.zmin;
        return (v - s.zmin) / (d == 0 ? 1.0 : d);
    }
    if (!(v > 0)) return 0;
    const double f = std::log10(s.zmax) - std::log10(s.zmin);
    return (std::log10(v) - std::log10(s.zmin)) / (f == 0 ? 1.0 : f);
}

// The value whose level should be about m - 1/2, where the search for Tm starts.
double thresholdGuess(int m, const LevelScale& s) {
    const double t = (m - 0.5) / 255.0;
    if (!s.logarithmic) {
        const double d = s.zmax - s.zmin;
        return s.zmin + (d == 0 ? 1.0 : d) * t;
    }
    const double lz = std::log10(s.zmin);
    const double f = std::log10(s.zmax) - lz;
    return std::pow(10.0, lz + (f == 0 ? 1.0 : f) * t);
}

// The smallest double whose level is at least m, or NaN when no double reaches m: the
// search widens a bracket around the guess, then halves it down to two neighbours.
double findThreshold(int m, const LevelScale& s) {
    auto reaches = [&](std::uint64_t key) { return levelOf(fromOrderedKey(key), s) >= m; };
    const std::uint64_t lowest = orderedKey(-inf), highest = orderedKey(inf);
    if (!reaches(highest)) return nan;
    const double guess = thresholdGuess(m, s);
    const std::uint64_t start =
        std::isnan(guess) ? orderedKey(0.0) : std::clamp(orderedKey(guess), lowest, highest);
    std::uint64_t lo = lowest, hi = highest; // level(lo) < m <= level(hi)
    if (reaches(start)) {
        hi = start;
        for (std::uint64_t step = 1; hi - lowest > step; step *= 2) {
            if (!reaches(hi - step)) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    } else {
        lo = start;
        for (std::uint64_t step = 1; highest - lo > step; step *= 2) {
            if (reaches(lo + step)) {
                hi = lo + step;
                break;
            }
            lo += step;
        }
    }
    while (hi - lo > 1) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        (reaches(mid) ? hi : lo) = mid;
    }
    return fromOrderedKey(hi);
}

} // namespace

std::uint8_t levelOf(double value, const LevelScale& scale) {
    const double t = levelFraction(value, scale);
    if (!(t > 0)) return 0;
    if (t >= 1) return 255;
    return static_cast<std::uint8_t>(std::nearbyint(255.0 * t));
}

LevelCoder::LevelCoder(const LevelScale& scale) : scale_(scale) {
    const double zmin = scale.zmin, zmax = scale.zmax;
    if (scale.logarithmic) {
        // A non-positive bound makes every fraction NaN or 0.
        if (!(zmin > 0 && zmax > 0)) {
            mode_ = Mode::zero;
            return;
        }
        const bool increasing = std::isfinite(zmin) && std::isfinite(zmax) && zmax >= zmin;
        mode_ = increasing ? Mode::bitKey : Mode::direct;
    } else {
        const double d = zmax - zmin;
        mode_ = std::isfinite(d) && d >= 0 ? Mode::thresholds : Mode::direct;
    }
    // A reversed range (zmax below zmin) has levels that fall as values grow; it is rare
    // enough to be coded value by value.
    if (mode_ == Mode::direct) return;
    findThresholds();
    fillTable();
}

void LevelCoder::findThresholds() {
    thresholds_[0] = -inf;
    for (int m = 1; m < levelCount; ++m)
        thresholds_[static_cast<std::size_t>(m)] = findThreshold(m, scale_);
    thresholds_[levelCount] = nan;
    const double first = thresholds_[1], last = thresholds_[levelCount - 1];
    if (mode_ == Mode::bitKey) {
        keyOrigin_ = first;
        originBits_ = std::bit_cast<std::int64_t>(first);
        const double span = double(std::bit_cast<std::int64_t>(last) -
                                   std::bit_cast<std::int64_t>(first));
        keyScale_ = span > 0 ? keyCount / span : 1.0;
    } else {
        keyOrigin_ = first;
        const double span = last - first;
        keyScale_ = span > 0 && std::isfinite(span) ? keyCount / span : 1.0;
    }
}

void LevelCoder::codeRun(const spectre& image, std::size_t index, std::size_t step, int n,
                         std::uint8_t* out, std::size_t stride) const {
    switch (mode_) {
    case Mode::thresholds: return codeRunAs<Mode::thresholds>(image, index, step, n, out, stride);
    case Mode::bitKey: return codeRunAs<Mode::bitKey>(image, index, step, n, out, stride);
    case Mode::zero:
    case Mode::direct: break;
    }
    for (int k = 0; k < n; ++k, index += step, out += stride) *out = (*this)(image.value(index));
}

// Entry k counts the thresholds whose key is below k: every value of key k reaches at
// least those, since the key never decreases as the value grows.
void LevelCoder::fillTable() {
    std::array<int, keyCount + 1> perKey{};
    for (int m = 1; m < levelCount; ++m) {
        const double t = thresholds_[static_cast<std::size_t>(m)];
        if (std::isnan(t)) {
            ++perKey[keyCount];
            continue;
        }
        const double q = mode_ == Mode::bitKey ? keyOf<Mode::bitKey>(t) : keyOf<Mode::thresholds>(t);
        ++perKey[static_cast<std::size_t>(
            q > 0 ? (q < double(keyCount) ? static_cast<int>(q) : keyCount - 1) : 0)];
    }
    int below = 0;
    for (std::size_t k = 0; k < table_.size(); ++k) {
        table_[k] = static_cast<std::uint8_t>(below);
        below += perKey[k];
    }
}

std::vector<double> LevelCoder::thresholds() const {
    if (mode_ == Mode::direct || mode_ == Mode::zero) return {};
    return {thresholds_.begin() + 1, thresholds_.end() - 1};
}

void computeLevels(const spectre& image, const LevelScale& scale, LevelMap& map) {
    const int nx = std::max(image.nx, 0), ny = std::max(image.ny, 0);
    const bool readable = image.nz >= 1 && image.pointCount() > 0;
    map.width = nx;
    map.height = ny;
    map.stride = (nx + 3) / 4 * 4;
    map.bytes.assign(static_cast<std::size_t>(map.stride) * static_cast<std::size_t>(ny), 0);
    if (!readable) return;
    const LevelCoder code(scale);
    const auto stride = static_cast<std::size_t>(map.stride);
    const auto step = static_cast<std::size_t>(image.nz);
    // Points are read in storage order (column by column), which the memory prefetches
    // best; the rows written meanwhile, one byte each per column, stay in the cache.
    for (int i = 0; i < nx; ++i)
        code.codeRun(image, image.indexOf(i, 0, 0), step, ny,
                     map.bytes.data() + static_cast<std::size_t>(i), stride);
}

LevelMap scaleStripMap() {
    LevelMap map;
    map.width = 1;
    map.height = levelCount;
    map.stride = 4;
    map.bytes.assign(static_cast<std::size_t>(map.stride) * levelCount, 0);
    for (int r = 0; r < levelCount; ++r)
        map.bytes[static_cast<std::size_t>(r * map.stride)] = static_cast<std::uint8_t>(255 - r);
    return map;
}

} // namespace ombrelune
